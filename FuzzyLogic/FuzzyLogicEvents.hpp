#pragma once
// The callbacks that report a set or a variable, shared by the logic component and the
// parser component without either header pulling in the other.

#include <functional>

#include "platform/Object.hpp"

namespace fuzzy {

class TFuzzySet;
class TFuzzyVariable;

using TFuzzySetEvent = std::function<void(TObject* Sender, TFuzzySet* FuzzySet)>;
using TFuzzyVariableEvent = std::function<void(TObject* Sender, TFuzzyVariable* FuzzyVariable)>;

} // namespace fuzzy
