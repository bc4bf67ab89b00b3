#pragma once
// The parser component as the logic component sees it: something that reads definition
// text into the component's variables and writes variables and terms back as text.

#include <string>

#include "platform/Component.hpp"

namespace fuzzy {

class TEncoding;
class TFuzzySet;
class TFuzzyVariable;

/// Base of the parser components. A logic component links to one (not owning it) and
/// forgets it when the parser is destroyed.
class TCustomFuzzyLogicParser : public TComponent {
public:
    std::string ClassName() const override { return "TCustomFuzzyLogicParser"; }

    /// Reads definition text (in Encoding, nullptr meaning UTF-8) into the parser's logic
    /// component.
    virtual void Parse(const std::string& Text, const TEncoding* Encoding) = 0;
    /// The definition text of a term (AsTerm) or of a set standing in an expression.
    virtual std::string PrettyPrint(const TFuzzySet* FuzzySet, bool AsTerm) = 0;
    /// The definition text of a variable with its defined terms.
    virtual std::string PrettyPrint(const TFuzzyVariable* Variable) = 0;

protected:
    TCustomFuzzyLogicParser() = default;
};

} // namespace fuzzy
