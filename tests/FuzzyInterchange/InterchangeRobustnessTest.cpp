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

TEST(InterchangeRobustnessTest, EveryPrefixOfTheExamplesReadsOrIsRefused) {
    const struct {
        std::string File;
        TReader Read;
        std::size_t Step;
    } cases[] = {{"SimpleDimmer.fll", ReadFll, 1}, {"Laundry.fll", ReadFll, 1},
                 {"AllTerms.fll", ReadFll, 23},    {"SimpleDimmer.fcl", ReadFcl, 1},
                 {"Laundry.fcl", ReadFcl, 1},      {"SimpleDimmer.fis", ReadFis, 1},
                 {"AllTerms.fis", ReadFis, 23}};
    for (const auto& row : cases) {
        const std::string text = ReadDataFile(row.File);
        for (std::size_t length = 0; length < text.size(); length += row.Step)
            ASSERT_TRUE(ReadsOrRefuses(row.Read, std::string_view(text).substr(0, length)));
    }
}

TEST(InterchangeRobustnessTest, BadInputIsRefusedWithTheInterchangeException) {
    const std::string deep(100000, '(');
    const struct {
        TReader Read;
        std::string Text;
    } cases[] = {
        {ReadFll, "InputVariable: x\n range: 0 1\n term: a Ramp 0 1\nRuleBlock:\n rule: if " +
                      deep + "x is a then x is a\n"},
        {ReadFcl, "FUNCTION_BLOCK\nVAR_INPUT x : REAL; END_VAR\nRULEBLOCK\nRULE 1 : IF " + deep +
                      "x IS a THEN x IS a;\nEND_RULEBLOCK\nEND_FUNCTION_BLOCK"},
        {ReadFcl, "FUNCTION_BLOCK\nVAR_INPUT x : REAL; END_VAR\nFUZZIFY x\nTERM a := " + deep},
        {ReadFll, "InputVariable: x\n range: 0 1e400\n"},
        {ReadFll, "InputVariable: x\n range: -1e308 1e308\n term: a Gaussian 0 1\n"},
        {ReadFll, "InputVariable: x\n range: 0 1\n term: a Gaussian NaN 1\n"},
        {ReadFll, "InputVariable: x\n term: a Gaussian 0 1\n"},
        {ReadFis, "[System]\nNumInputs=99999999999\n[Input1]\nName='x'\nRange=[0 1]\n"},
        {ReadFis, "[System]\n[Input1]\nName='x'\nRange=[0 1]\nMF999999999='a':'trimf',[0 0.5 1]\n"},
        {ReadFis, "[System]\nName='x\n"},
        {ReadFll, std::string("\0\xff\x01:\x80", 5)},
    };
    for (const auto& row : cases)
        EXPECT_THROW(static_cast<void>(row.Read(row.Text)), EFzyInterchangeException)
            << row.Text.substr(0, 80);
}

} // namespace
} // namespace fuzzy::test
