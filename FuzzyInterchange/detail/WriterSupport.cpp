// Helpers shared by the writers.

#include "FuzzyInterchange/detail/WriterSupport.hpp"

#include "FuzzyInterchange/TermShapes.hpp"
#include "FuzzyInterchange/detail/DescriptionChecks.hpp"
#include "FuzzyInterchange/detail/InterchangeText.hpp"

namespace fuzzy::interchange {

namespace {

void CheckOneLine(const std::string& Text, std::string_view Format) {
    if (Text.find_first_of("\r\n#") != std::string::npos || Trimmed(Text) != Text)
        throw EFzyInterchangeException(0, SIcUnwritableText, Text, std::string(Format));
}

} // namespace

void CheckWritable(const TControllerDescription& Description, std::string_view Format) {
    CheckDescription(Description);
    CheckOneLine(Description.Name, Format);
    CheckOneLine(Description.Comment, Format);
    for (const TVariableDescription& variable : Description.Variables) {
        CheckWritableName(variable.Name, Format);
        CheckOneLine(variable.Comment, Format);
        for (const TTermDescription& term : variable.Terms)
            CheckWritableName(term.Name, Format);
    }
}

std::string ShapeText(const TTermDescription& Term) {
    std::string text(GetTermShapeInfo(Term.Shape).Name);
    for (TFzyFloat parameter : Term.Parameters)
        text += " " + WriteNumber(parameter);
    return text;
}

} // namespace fuzzy::interchange
