// Runs the built fuzzy tool as a user does, and checks its exit code, its output and its
// messages word for word, and that a failed command leaves no file behind.

#include <algorithm>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyInterchange/FuzzyInterchange.hpp"
#include "ToolFixture.hpp"

namespace fuzzy::test {
namespace {

// The command line: help, version, usage errors (exit 2).
struct TUsageCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Err;
};

void PrintTo(const TUsageCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

class FuzzyToolUsageTest : public FuzzyToolTest,
                           public ::testing::WithParamInterface<TUsageCase> {};

TEST_P(FuzzyToolUsageTest, IsRefusedWithOneLineAndExitCode2) {
    const TRun run = Run(GetParam().Args);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, GetParam().Err);
    EXPECT_EQ(run.Out, "");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, FuzzyToolUsageTest,
    ::testing::Values(
        TUsageCase{"NoCommand", {}, "fuzzy: no command given (see fuzzy --help)\n"},
        TUsageCase{"UnknownCommand",
                   {"frobnicate"},
                   "fuzzy: unknown command 'frobnicate' (see fuzzy --help)\n"},
        TUsageCase{"UnknownOption",
                   {"check", "--frob", Heater},
                   "fuzzy check: unknown option --frob (see fuzzy check --help)\n"},
        TUsageCase{"UnknownShortOption",
                   {"print", "-x", Heater},
                   "fuzzy print: unknown option -x (see fuzzy print --help)\n"},
        TUsageCase{"NoFile", {"check"}, "fuzzy check: missing FILE... (see fuzzy check --help)\n"},
        TUsageCase{"SurplusFile",
                   {"print", Heater, "other"},
                   "fuzzy print: unexpected argument other (see fuzzy print --help)\n"},
        TUsageCase{"OptionWithoutValue",
                   {"plot", Heater, "-o"},
                   "fuzzy plot: option --output needs a value OUT.svg (see fuzzy plot --help)\n"},
        TUsageCase{"FlagWithValue",
                   {"check", "--quiet=yes", Heater},
                   "fuzzy check: option --quiet takes no value (see fuzzy check --help)\n"},
        TUsageCase{"OptionTwice",
                   {"plot", Heater, "-o", "a.svg", "--output=b.svg"},
                   "fuzzy plot: option --output given more than once (see fuzzy plot --help)\n"},
        // Checked before the file is read: a missing file is not the first thing to fix.
        TUsageCase{"PlotWithoutOutput",
                   {"plot", "missing.fuzzy"},
                   "fuzzy plot: missing --output OUT.svg (see fuzzy plot --help)\n"},
        TUsageCase{"EvalWithoutInputs",
                   {"eval", Heater},
                   "fuzzy eval: give the inputs either with --input or with --csv (see fuzzy "
                   "eval --help)\n"},
        TUsageCase{"EvalOfAnUnknownInput",
                   {"eval", Heater, "-i", "speed=1"},
                   "fuzzy eval: --input speed=1: expected NAME=VALUE with NAME one of error, "
                   "rate (see fuzzy eval --help)\n"},
        TUsageCase{"EvalOfANonNumber",
                   {"eval", Heater, "-i", "error=1", "-i", "rate=fast"},
                   "fuzzy eval: the value of rate is not a number: 'fast' (see fuzzy eval "
                   "--help)\n"},
        TUsageCase{"PlotOfAnUnknownInput",
                   {"plot", Heater, "-i", "error=1", "-i", "speed=1", "-o", "-"},
                   "fuzzy plot: --input speed=1: expected NAME=VALUE with NAME one of error, "
                   "rate (see fuzzy plot --help)\n"},
        TUsageCase{"EvalWithAnInputMissing",
                   {"eval", Heater, "-i", "error=1"},
                   "fuzzy eval: no value given for the input rate (--input rate=VALUE) (see "
                   "fuzzy eval --help)\n"}),
    [](const auto& Info) { return Info.param.Name; });

TEST_F(FuzzyToolTest, AnswersVersionAndHelp) {
    const TRun version = Run({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, "fuzzy " FUZZY_VERSION "\n");

    const TRun help = Run({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    for (const char* command : {"\n  check ", "\n  print ", "\n  plot "})
        EXPECT_NE(help.Out.find(command), std::string::npos) << command;

    // Help wins over everything else on the line, but not after "--".
    const TRun plotHelp = Run({"plot", "--frob", "-h"});
    EXPECT_EQ(plotHelp.ExitCode, 0);
    EXPECT_TRUE(plotHelp.Out.starts_with(
        "Usage: fuzzy plot [--variable NAME]... [--input NAME=VALUE]... [--output OUT.svg] "
        "FILE\n"));
    EXPECT_NE(plotHelp.Out.find("  -o, --output OUT.svg    the picture to write (required)\n"),
              std::string::npos);
    EXPECT_EQ(Run({"check", "--", "--help"}).Err, "--help: cannot open: No such file or "
                                                  "directory\n");
}

TEST_F(FuzzyToolTest, CheckListsWhatReadsAndReportsEveryFileThatDoesNot) {
    Write("badrule.fuzzy", "(deffuzzy a (range 0 10) (values (term t (tri 1 2 3))))\n"
                           "(rules (rule (if (is a t)) (then (is a nope))))");
    const TRun run =
        Run({"check", Heater, Path("bad.fuzzy"), Path("missing.fuzzy"), Path("empty.fuzzy"),
             Path(""), Path("badrule.fuzzy"), Path("small.fuzzy")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, Heater + ": 3 variables, 11 terms, 9 rules\n" + Path("small.fuzzy") +
                           ": 1 variables, 1 terms, 0 rules\n");
    EXPECT_EQ(run.Err,
              Path("bad.fuzzy") +
                  ":3: Parsing Error, Data Types of arguments for function, tri, incorrect.  "
                  "Expected numeric in CalcFuzzyFunction at line 3: \" ( deffuzzy a   ( range 0 "
                  "10 )   ( values ( term t ( tri 1 x 3 \"\n" +
                  Path("missing.fuzzy") + ": cannot open: No such file or directory\n" +
                  Path("empty.fuzzy") + ": defines no variable\n" + Path("") +
                  ": is a folder, not a file\n" + Path("badrule.fuzzy") +
                  ": Rule 0 names an unknown term of the fuzzy variable a: \"nope\"\n");
}

// Good files pass quietly on request; an error stays on one line.
TEST_F(FuzzyToolTest, CheckIsQuietOnRequestAndKeepsErrorsOnOneLine) {
    const TRun quiet = Run({"check", "-q", Heater, Path("small.fuzzy")});
    EXPECT_EQ(quiet.ExitCode, 0);
    EXPECT_EQ(quiet.Out + quiet.Err, "");
    Write("string.fuzzy", "(deffuzzy a \"two\nlines\" (range 0 x))");
    const TRun run = Run({"check", Path("string.fuzzy")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_TRUE(run.Err.starts_with(Path("string.fuzzy") + ":2: ")) << run.Err;
}

TEST_F(FuzzyToolTest, PrintWritesTheCanonicalTextWhichReadsBackTheSame) {
    const TRun run = Run({"print", Path("small.fuzzy")});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "(deffuzzy a \r\n  (range 0.0000 10.0000)\r\n  (values \r\n"
                       "    (term t (tri 1.0000 2.0000 3.0000))\r\n  )\r\n)\r\n");

    const TRun heater = Run({"print", Heater, "-o", Path("heater.fuzzy")});
    EXPECT_EQ(heater.ExitCode, 0);
    EXPECT_EQ(heater.Out, "");
    const TRun again = Run({"print", Path("heater.fuzzy")});
    EXPECT_EQ(again.ExitCode, 0);
    EXPECT_EQ(again.Out, ReadFile(Path("heater.fuzzy")));
    EXPECT_NE(again.Out.find("(term medium (pi 25.0000 50.0000))"), std::string::npos);
}

TEST_F(FuzzyToolTest, EvalAnswersAsTheRulesDoAndExplains) {
    const TRun run = Run({"eval", Heater, "-i", "rate=-1", "--input=error=2.5", "--explain"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "power\n55.905943937858844\n# rule 0 fired at strength "
                       "0.1388888888888889\n# rule 3 fired at strength 0.5\n");
    const TRun textbook =
        Run({"eval", Heater, "-i", "rate=-1", "-i", "error=2.5", "--semantics", "textbook"});
    EXPECT_EQ(textbook.Out, "power\n55.67740529402439\n");
}

// One row in, one row out, by the header's names; an empty cell where no rule fired.
TEST_F(FuzzyToolTest, EvalOfACsvWritesARowPerRow) {
    Write("partial.fuzzy", "(deffuzzy a (range 0 10) (values (term t (tri 1 2 3))))\n"
                           "(deffuzzy b (range 0 10) (values (term u (tri 0 5 10))))\n"
                           "(rules (rule (if (is a t)) (then (is b u))))");
    Write("in.csv", "note,a\r\nfirst,2\r\n\r\nsecond,8\r\nthird,-4\r\n");
    const TRun run = Run({"eval", Path("partial.fuzzy"), "--csv", Path("in.csv"), "--explain"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out,
              "b\n4.999999999999999\n# rule 0 fired at strength 1\n\n\n# input a clamped to 0\n");
    Write("bad.csv", "a\n2\n2x\n");
    const TRun bad = Run({"eval", Path("partial.fuzzy"), "--csv", Path("bad.csv")});
    EXPECT_EQ(bad.ExitCode, 1);
    EXPECT_EQ(bad.Err, Path("bad.csv") + ":3: the value of a is not a number: '2x'\n");
    Write("other.csv", "x,y\n1,2\n");
    EXPECT_EQ(Run({"eval", Path("partial.fuzzy"), "--csv", Path("other.csv")}).Err,
              Path("other.csv") + ":1: no column for the input a\n");
    EXPECT_EQ(Run({"eval", Path("small.fuzzy"), "-i", "a=1"}).Err,
              Path("small.fuzzy") + ": has no rules to evaluate\n");
}

// A controller in FLL keeps its methods when evaluated from its own file: ObstacleAvoidance
// scales its conclusions (product implication), which the definition language cannot say, so
// its conversion to that language answers with the clipping default instead.
TEST_F(FuzzyToolTest, EvalReadsInterchangeFilesWithTheirMethods) {
    const std::string obstacle = FUZZY_TEST_DATA_DIR "/interchange/ObstacleAvoidance.fll";
    const TRun scaled = Run({"eval", obstacle, "-i", "obstacle=0.25", "--semantics", "textbook"});
    EXPECT_EQ(scaled.Out, "mSteer\n0.6217948717948718\n");
    const TRun converted = Run({"convert", obstacle, Path("obstacle.fuzzy")});
    ASSERT_EQ(converted.ExitCode, 0);
    EXPECT_EQ(converted.Err, Path("obstacle.fuzzy") +
                                 ": warning: a definition file keeps no methods; not kept: "
                                 "correlation fcmProduct, firing threshold 0\n");
    EXPECT_EQ(
        Run({"eval", Path("obstacle.fuzzy"), "-i", "obstacle=0.25", "--semantics", "textbook"}).Out,
        "mSteer\n0.6145833333333333\n");

    // Rules that chain through an output are refused, not evaluated on a value asked for.
    const std::string laundry = FUZZY_TEST_DATA_DIR "/interchange/Laundry.fll";
    const TRun chained = Run({"eval", laundry, "-i", "Load=1", "-i", "Dirt=1"});
    EXPECT_EQ(chained.ExitCode, 1);
    EXPECT_EQ(chained.Err, laundry + ": rule 5 has a premise on the output variable "
                                     "\"Detergent\": chained rules have no counterpart in the "
                                     "library\n");

    const std::string tipper = FUZZY_TEST_DATA_DIR "/interchange/tipper.fll";
    const TRun refused = Run({"eval", tipper, "-i", "service=1", "-i", "food=1"});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_EQ(refused.Err, tipper + ":35: The aggregation \"none\" has no counterpart in the "
                                    "library\n");
}

// Through FLL and back the heater keeps its variables, terms and rules; a file of the peer
// library's examples reads as a definition with rules.
TEST_F(FuzzyToolTest, ConvertCarriesVariablesTermsAndRulesBetweenFormats) {
    ASSERT_EQ(Run({"convert", Heater, Path("heater.fll")}).ExitCode, 0);
    ASSERT_EQ(Run({"convert", Path("heater.fll"), Path("back.fuzzy")}).ExitCode, 0);
    EXPECT_EQ(Run({"check", Path("back.fuzzy")}).Out,
              Path("back.fuzzy") + ": 3 variables, 11 terms, 9 rules\n");
    const std::string dimmer = FUZZY_TEST_DATA_DIR "/interchange/SimpleDimmer.fcl";
    ASSERT_EQ(Run({"convert", dimmer, Path("dimmer"), "--to", "fuzzy"}).ExitCode, 0);
    EXPECT_EQ(Run({"check", "--", Path("dimmer")}).Out,
              Path("dimmer") + ": 2 variables, 6 terms, 3 rules\n");
}

// Within one format a conversion loses nothing: the file written reads as the same controller
// as the original, and converting it again writes the very same text.
class FuzzyToolSameFormatTest : public FuzzyToolTest,
                                public ::testing::WithParamInterface<const char*> {
protected:
    void ExpectExactConversions(const std::string& Original) {
        const std::string extension = Original.substr(Original.rfind('.'));
        ASSERT_EQ(Run({"convert", Original, Path("once" + extension)}).ExitCode, 0);
        ASSERT_EQ(Run({"convert", Path("once" + extension), Path("twice" + extension)}).ExitCode,
                  0);
        const std::string once = ReadFile(Path("once" + extension));
        EXPECT_EQ(ReadFile(Path("twice" + extension)), once);
        if (extension == ".fll")
            EXPECT_EQ(ReadFll(once), ReadFll(ReadFile(Original)));
        else
            EXPECT_EQ(ReadFcl(once), ReadFcl(ReadFile(Original)));
    }
};

TEST_P(FuzzyToolSameFormatTest, ConvertsExactly) {
    ExpectExactConversions(FUZZY_TEST_DATA_DIR "/interchange/" + std::string(GetParam()));
}

// Numbers with all their digits, which a writer of a few decimals would round.
TEST_F(FuzzyToolSameFormatTest, KeepsEveryDigit) {
    Write("precise.fll", "Engine: precise\nInputVariable: x\n  range: -0.1 0.7000000000000001\n"
                         "  term: low Triangle -0.1 0.12345678901234 0.3333333333333333\n"
                         "OutputVariable: y\n  range: 0 1e-7\n"
                         "  term: some Ramp 1e-7 2.5e-8\n"
                         "RuleBlock: \n  rule: if x is low then y is some with 0.123456789\n");
    ExpectExactConversions(Path("precise.fll"));
    ASSERT_EQ(Run({"convert", Path("precise.fll"), Path("precise.fcl")}).ExitCode, 0);
    ExpectExactConversions(Path("precise.fcl"));
}

INSTANTIATE_TEST_SUITE_P(Files, FuzzyToolSameFormatTest,
                         ::testing::Values("SimpleDimmer.fll", "mamdani_tip_calculator.fll",
                                           "AllTerms.fll", "Laundry.fcl", "SimpleDimmer.fcl"),
                         [](const auto& Info) {
                             std::string name = Info.param;
                             name[name.find('.')] = '_';
                             return name;
                         });

TEST_F(FuzzyToolTest, ConvertRefusesWhatTheTargetCannotSayAndWritesNothing) {
    const TRun run = Run({"convert", Heater, Path("heater.fcl")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, Heater + ": cannot be written as fcl: FCL has no firing threshold; set "
                                "the threshold to 0 to write it (it is 0.01)\n");
    EXPECT_FALSE(fs::exists(Path("heater.fcl")));
    const TRun unknown = Run({"convert", Heater, Path("heater.txt")});
    EXPECT_EQ(unknown.ExitCode, 2);
    EXPECT_EQ(unknown.Err, "fuzzy convert: cannot write '" + Path("heater.txt") +
                               "': give --to fuzzy, fll or fcl (see fuzzy convert --help)\n");
}

TEST_F(FuzzyToolTest, PlotDrawsTheChosenVariables) {
    const TRun all = Run({"plot", Heater, "-o", Path("all.svg")});
    EXPECT_EQ(all.ExitCode, 0);
    EXPECT_EQ(all.Err, "");
    const std::string svg = ReadFile(Path("all.svg"));
    EXPECT_TRUE(svg.starts_with("<?xml")) << svg.substr(0, 100);
    for (const char* axis : {">error (K)<", ">rate (K/min)<", ">power (%)<"})
        EXPECT_NE(svg.find(axis), std::string::npos) << axis;

    const TRun one = Run({"plot", "--variable", "rate", Heater, "--output=-"});
    EXPECT_EQ(one.ExitCode, 0);
    EXPECT_NE(one.Out.find(">rate (K/min)<"), std::string::npos);
    EXPECT_EQ(one.Out.find(">power (%)<"), std::string::npos);
    EXPECT_EQ(Files(), std::vector<std::string>(
                           {"all.svg", "bad.fuzzy", "empty.fuzzy", "folder.svg", "small.fuzzy"}));

    if (!HaveProgram("xmllint"))
        return SkipOrFailWithout("xmllint");
    EXPECT_EQ(RunQuietly("xmllint --noout --nonet " + Path("all.svg")), 0);
}

struct TFailedOutputCase {
    const char* Name;
    std::vector<std::string> Args; // writing {out}
    std::string Err;               // where {out} and {dir} stand for the paths
};

void PrintTo(const TFailedOutputCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

class FuzzyToolFailedOutputTest : public FuzzyToolTest,
                                  public ::testing::WithParamInterface<TFailedOutputCase> {
protected:
    std::string Expand(std::string Text) const {
        for (const auto& [mark, value] :
             {std::pair<std::string, std::string>{"{out}", Path("out.svg")},
              {"{dir}", Path("")},
              {"{heater}", Heater}})
            for (std::size_t at; (at = Text.find(mark)) != std::string::npos;)
                Text.replace(at, mark.size(), value);
        return Text;
    }
};

TEST_P(FuzzyToolFailedOutputTest, LeavesTheOldOutputAndNoOtherFile) {
    Write("out.svg", "old picture");
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().Args)
        args.push_back(Expand(arg));
    const TRun run = Run(args);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, Expand(GetParam().Err));
    EXPECT_EQ(ReadFile(Path("out.svg")), "old picture");
    EXPECT_EQ(Files(), std::vector<std::string>(
                           {"bad.fuzzy", "empty.fuzzy", "folder.svg", "out.svg", "small.fuzzy"}));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FuzzyToolFailedOutputTest,
    ::testing::Values(
        TFailedOutputCase{
            "UnknownVariable",
            {"plot", "{heater}", "--variable", "rate", "--variable", "humidity", "-o", "{out}"},
            "{heater}: no variable 'humidity' (it defines error, rate, power)\n"},
        TFailedOutputCase{"DefinitionWithAnError",
                          {"plot", "{dir}bad.fuzzy", "-o", "{out}"},
                          "{dir}bad.fuzzy:3: Parsing Error, Data Types of arguments for function, "
                          "tri, incorrect.  Expected numeric in CalcFuzzyFunction at line 3: \" ( "
                          "deffuzzy a   ( range 0 10 )   ( values ( term t ( tri 1 x 3 \"\n"},
        TFailedOutputCase{"MissingDefinition",
                          {"print", "{dir}missing.fuzzy", "-o", "{out}"},
                          "{dir}missing.fuzzy: cannot open: No such file or directory\n"},
        TFailedOutputCase{"PlotOfInputsWithoutRules",
                          {"plot", "{dir}small.fuzzy", "-i", "a=1", "-o", "{out}"},
                          "{dir}small.fuzzy: has no rules to evaluate\n"},
        TFailedOutputCase{"OutputInAMissingFolder",
                          {"plot", "{heater}", "-o", "{dir}none/out.svg"},
                          "{dir}none/out.svg: cannot write: No such file or directory\n"},
        TFailedOutputCase{"OutputIsAFolder",
                          {"print", "{heater}", "-o", "{dir}folder.svg"},
                          "{dir}folder.svg: cannot write: Is a directory\n"}),
    [](const auto& Info) { return Info.param.Name; });

} // namespace
} // namespace fuzzy::test
