// Bad input of every kind ends in the interchange exception, never in a crash, a hang or
// another exception: every truncation of the example files, NaN and huge numbers, deep
// nesting, huge counts.

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/FuzzyInterchange/InterchangeTestSupport.hpp"

namespace fuzzy::test {
namespace {

using TReader = std::function<TControllerDescription(std::string_view)>;

/// Reads Text; an error must be the interchange exception.
::testing::AssertionResult ReadsOrRefuses(const TReader& Read, std::string_view Text) {
    try {
        static_cast<void>(Read(Text));
    } catch (const EFzyInterchangeException&) {
    } catch (const std::exception& error) {
        return ::testing::AssertionFailure()
               << "raised \"" << error.what() << "\" for \"" << Text << "\"";
    }
    return ::testing::AssertionSuccess();
}

struct TTruncationCase {
    std::string File;
    TReader Read;
    std::size_t Step;
};

class TruncationTest : public ::testing::TestWithParam<TTruncationCase> {};

TEST_P(TruncationTest, EveryPrefixReadsOrIsRefused) {
    const std::string text = ReadDataFile(GetParam().File);
    for (std::size_t length = 0; length < text.size(); length += GetParam().Step)
        ASSERT_TRUE(ReadsOrRefuses(GetParam().Read, std::string_view(text).substr(0, length)));
}

INSTANTIATE_TEST_SUITE_P(Examples, TruncationTest,
                         ::testing::Values(TTruncationCase{"SimpleDimmer.fll", ReadFll, 1},
                                           TTruncationCase{"Laundry.fll", ReadFll, 1},
                                           TTruncationCase{"AllTerms.fll", ReadFll, 23},
                                           TTruncationCase{"SimpleDimmer.fcl", ReadFcl, 1},
                                           TTruncationCase{"Laundry.fcl", ReadFcl, 1},
                                           TTruncationCase{"SimpleDimmer.fis", ReadFis, 1},
                                           TTruncationCase{"AllTerms.fis", ReadFis, 23}),
                         [](const auto& param_info) {
                             std::string name = param_info.param.File;
                             name[name.find('.')] = '_';
                             return name;
                         });

struct TBadInput {
    std::string Name;
    TReader Read;
    std::string Text;
};

class BadInputTest : public ::testing::TestWithParam<TBadInput> {};

TEST_P(BadInputTest, IsRefusedWithTheInterchangeException) {
    EXPECT_THROW(static_cast<void>(GetParam().Read(GetParam().Text)), EFzyInterchangeException);
}

const std::string Deep(100000, '(');

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInputTest,
    ::testing::Values(
        TBadInput{"FllDeepRule", ReadFll,
                  "InputVariable: x\n range: 0 1\n term: a Ramp 0 1\nRuleBlock:\n rule: if " +
                      Deep + "x is a then x is a\n"},
        TBadInput{"FclDeepRule", ReadFcl,
                  "FUNCTION_BLOCK\nVAR_INPUT x : REAL; END_VAR\nRULEBLOCK\nRULE 1 : IF " + Deep +
                      "x IS a THEN x IS a;\nEND_RULEBLOCK\nEND_FUNCTION_BLOCK"},
        TBadInput{"FclDeepPoints", ReadFcl,
                  "FUNCTION_BLOCK\nVAR_INPUT x : REAL; END_VAR\nFUZZIFY x\nTERM a := " + Deep},
        TBadInput{"FllHugeNumber", ReadFll, "InputVariable: x\n range: 0 1e400\n"},
        TBadInput{"FllHugeRange", ReadFll,
                  "InputVariable: x\n range: -1e308 1e308\n term: a Gaussian 0 1\n"},
        TBadInput{"FllNaNParameter", ReadFll,
                  "InputVariable: x\n range: 0 1\n term: a Gaussian NaN 1\n"},
        TBadInput{"FllNoRange", ReadFll, "InputVariable: x\n term: a Gaussian 0 1\n"},
        TBadInput{"FisHugeCount", ReadFis,
                  "[System]\nNumInputs=99999999999\n[Input1]\nName='x'\nRange=[0 1]\n"},
        TBadInput{"FisHugeIndex", ReadFis,
                  "[System]\n[Input1]\nName='x'\nRange=[0 1]\nMF999999999='a':'trimf',[0 0.5 1]\n"},
        TBadInput{"FisOpenQuote", ReadFis, "[System]\nName='x\n"},
        TBadInput{"Bytes", ReadFll, std::string("\0\xff\x01:\x80", 5)}),
    [](const auto& param_info) { return param_info.param.Name; });

} // namespace
} // namespace fuzzy::test
