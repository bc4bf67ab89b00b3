// The built-in functions of the definition language: each builds one standard shape from
// its numeric arguments.

#include <vector>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"
#include "FuzzyLogic/FuzzySet.hpp"

namespace fuzzy {

namespace {

constexpr const char* WhereCalcFuzzyFunction = "CalcFuzzyFunction";

std::vector<TFzyFloat> NumbersOf(const TInterfacePtr<IFuzzyStreamTokenList>& Arguments) {
    std::vector<TFzyFloat> numbers;
    if (!Arguments)
        return numbers;
    numbers.reserve(static_cast<std::size_t>(Arguments->GetCount()));
    for (int i = 0; i < Arguments->GetCount(); ++i)
        numbers.push_back(Arguments->GetBaseStreamToken(i)->GetNumber());
    return numbers;
}

} // namespace

void TCustomFuzzyLogicParser::CalcFuzzyFunction(
    const std::string& Name, const TInterfacePtr<IFuzzyStreamTokenList>& Arguments,
    TFuzzySet*& FuzzySet) {
    const int points = GetNumFunctionValues();
    const char* expected = nullptr;
    if (Name == "pi")
        expected = SPIArgsExpected;
    else if (Name == "tri")
        expected = STriArgsExpected;
    else if (Name == "s" || Name == "z")
        expected = SCurveArgsExpected;
    else if (Name == "beta")
        expected = SBetaArgsExpected;
    else
        ParseError(WhereCalcFuzzyFunction, SUnknownFunctionName, Name);

    if (!VerifyAll(Arguments, {TFuzzyStreamTokenType::fstInteger, TFuzzyStreamTokenType::fstFloat}))
        ParseError(WhereCalcFuzzyFunction, SFzyArgTypeWrong, Name, "numeric");

    if (!CreateShapeOfCall(*FuzzySet, Name, NumbersOf(Arguments), points))
        ParseError(WhereCalcFuzzyFunction, SFzyArgNumWrong, Name, expected);
}

bool CreateShapeOfCall(TFuzzySet& FuzzySet, const std::string& Name,
                       const std::vector<TFzyFloat>& Arguments, int Points) {
    const std::vector<TFzyFloat>& a = Arguments;
    const std::size_t count = a.size();
    if (Name == "pi" && count == 2)
        FuzzySet.CreatePIFunctionValues(Points, a[0], a[1]);
    else if (Name == "pi" && count == 3)
        FuzzySet.CreatePIFunctionValues(Points, a[0], a[1], a[2]);
    else if (Name == "tri" && count == 3)
        FuzzySet.CreateTriangleFunctionValues(a[0], a[1], a[2]);
    else if ((Name == "s" || Name == "z") && count == 2)
        FuzzySet.CreateCurveValues(Points, a[0], a[1], a[1], Name == "s");
    else if (Name == "beta" && count == 2)
        // The writer's short form of a beta curve whose inflection point lies halfway
        // between its first X (Center - Range) and its centre; read back that way.
        FuzzySet.CreateBetaCurveFunctionValues(Points, a[0], a[1], a[1] - a[0] / 2);
    else if (Name == "beta" && count == 3)
        FuzzySet.CreateBetaCurveFunctionValues(Points, a[0], a[1], a[2]);
    else if (Name == "beta" && count == 4)
        FuzzySet.CreateBetaCurveFunctionValues(Points, a[0], a[1], a[2], a[3]);
    else
        return false;
    return true;
}

} // namespace fuzzy
