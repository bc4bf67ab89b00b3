// The parser component's IFuzzyParser face gives the component model's results on
// interface-model sets and variables.

#include "IFuzzyLogic/FuzzyParserIntf.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "IFuzzyLogic/IFuzzyLogicComponent.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy {
namespace {

using SetPtr = TInterfacePtr<IFuzzySet>;
using VariablePtr = TInterfacePtr<IFuzzyVariable>;

const char* const Temperature = "(deffuzzy temperature \"room air\" (range 0 40) (units C)\n"
                                "  (values (term cold (z 10 18)) (term warm (tri 15 21 27))\n"
                                "          (term mild \"neither\" very warm or cold)))";

// The same text read by the component model and, through the face, by an interface
// logic component with a parser of its own.
struct FaceTest : ::testing::Test, test::TParsedLogic {
    FaceTest() {
        Read(Temperature);
        shared->SetAutoTerms(false);
        shared->SetParser(sharedParser.get());
        sharedParser->SetFuzzyLogic(shared.get());
        face = shared->GetParserIntf();
        variable = face->ParseFuzzyVariableIntf(Temperature, nullptr);
    }
    SetPtr Term(const std::string& Name) const { return variable->GetFuzzySetByName(Name); }

    std::unique_ptr<TKelFuzzyLogicParser> sharedParser{TKelFuzzyLogicParser::Create(nullptr)};
    std::unique_ptr<TIFuzzyLogic> shared{TIFuzzyLogic::Create(nullptr)};
    TInterfacePtr<IFuzzyParser> face;
    VariablePtr variable;
};

// The face and the parser component's own interface forms (which the face runs) give the
// component model's text, sets and values.
TEST_F(FaceTest, ReadsEvaluatesAndWritesLikeTheComponentModel) {
    EXPECT_EQ(variable->ToString(), Parser->PrettyPrint(Variable("temperature")));
    EXPECT_EQ(variable->GetParser(), face);
    EXPECT_EQ(shared->GetItems().ContainsVariable("temperature"), variable);
    for (const char* name : {"cold", "warm", "mild"})
        for (const bool full : {false, true}) {
            const std::string expected =
                Parser->PrettyPrint(test::TParsedLogic::Term("temperature", name), full);
            EXPECT_EQ(face->PrettyPrint(Term(name), full), expected) << name;
            EXPECT_EQ(sharedParser->PrettyPrint(Term(name), full), expected) << name;
            EXPECT_TRUE(full || Term(name)->ToString() == expected) << name;
        }
    EXPECT_EQ(sharedParser->PrettyPrint(variable), face->PrettyPrint(variable));

    for (const char* expression :
         {"not cold and warm", "very warm or somewhat cold", "(tri 5 10 15)"}) {
        TFuzzySet* expected = nullptr;
        const double value =
            Parser->EvalFuzzyExpression(Variable("temperature"), expression, expected);
        SetPtr byComponent, byFace;
        EXPECT_DOUBLE_EQ(face->EvalFuzzyExpression(variable, expression, byFace), value);
        EXPECT_DOUBLE_EQ(sharedParser->EvalFuzzyExpression(variable, expression, byComponent),
                         value);
        for (const SetPtr& set :
             {byFace, byComponent, sharedParser->EvalFuzzyExpression(variable, expression)})
            EXPECT_EQ(set->GetValuesToString(), expected->GetValuesToString()) << expression;
        EXPECT_FALSE(variable->ContainsFuzzySet(byFace->GetName())) << "results are not terms";
    }

    const char* const term = "(term hot \"summer\" (s 25 35))";
    const SetPtr hot = face->ParseFuzzySet(variable, term, nullptr);
    EXPECT_EQ(hot->GetVariable(), variable);
    EXPECT_FALSE(variable->ContainsFuzzySet("hot")) << "a term read alone is not defined";
    EXPECT_DOUBLE_EQ(hot->DegreeOfMembership(35), 1);
    EXPECT_EQ(sharedParser->ParseFuzzySet(variable, term, nullptr)->ToString(), hot->ToString());

    const VariablePtr read = sharedParser->ParseFuzzyVariableIntf(Temperature, nullptr);
    EXPECT_EQ(shared->GetItems().ContainsVariable("temperature"), read) << "stored, replacing";
    EXPECT_EQ(read->GetParser(), face);
    EXPECT_EQ(read->ToString(), variable->ToString());
}

TEST_F(FaceTest, ErrorsAreTheParsersAndLeaveNothingBehind) {
    const std::string bad = "(term broken\n (tri 1 x 3))";
    const std::string expected = test::MessageOf<EFzyParseException>(
        [&] { (void)Parser->ParseFuzzySet(Variable("temperature"), bad, nullptr); });
    ASSERT_NE(expected, "");
    EXPECT_RAISES((void)face->ParseFuzzySet(variable, bad, nullptr), EFzyParseException, expected);
    EXPECT_FALSE(variable->ContainsFuzzySet("broken"));
    EXPECT_THROW((void)face->EvalFuzzyExpression(variable, "very nothing"), EFzyParseException);
    EXPECT_EQ(Parser->GetFuzzyLogic(), Logic.get()) << "the parser's link is given back";

    const auto faceOfComponent = Supports<IFuzzyParser>(Parser.get());
    EXPECT_RAISES(faceOfComponent->ParseFuzzyVariableIntf(Temperature, nullptr), EFzyParseException,
                  "FuzzyLogic property must be of type TIFuzzyLogic or descendant");
}

// The face is the parser's own: every query gives the same one, and it outlives the parser
// without reaching it.
TEST_F(FaceTest, AParserDestroyedUnderHeldReferencesIsNeverReached) {
    EXPECT_EQ(Supports<IFuzzyParser>(sharedParser.get()), face);
    EXPECT_EQ(Supports<IInterface>(sharedParser.get()), Supports<IInterface>(face));
    EXPECT_FALSE(Supports<IFuzzySet>(sharedParser.get()));
    const SetPtr warm = Term("warm");
    ASSERT_EQ(warm->GetParser(), face);

    sharedParser.reset(); // the component goes; the variable, a term and the face stay
    EXPECT_FALSE(shared->GetParserIntf());
    for (const auto& call : std::initializer_list<std::function<void()>>{
             [&] { (void)variable->ToString(); }, [&] { (void)warm->ToString(); },
             [&] { (void)face->EvalFuzzyExpression(variable, "very warm"); },
             [&] { (void)face->ParseFuzzyVariableIntf(Temperature, nullptr); }})
        EXPECT_RAISES(call(), EFzyException, "Parser not assigned.  Cannot parse");
}

TEST_F(FaceTest, RaisesTheInterfaceCallbacksOfWhatItReads) {
    std::vector<std::string> log;
    sharedParser->SetOnParseFuzzySetIntf([&](const VariablePtr& V, const SetPtr& S) {
        log.push_back(V->GetName() + "." + S->GetName());
    });
    sharedParser->SetOnParseFuzzyVariableIntf(
        [&](const VariablePtr& V) { log.push_back(V->GetName()); });
    sharedParser->SetOnEvalExpressionIntf(
        [&](const VariablePtr&, const std::string& Expression, SetPtr& Result) {
            log.push_back("eval " + Expression);
            Result = TIFuzzySet::Create(nullptr, "replaced");
        });
    (void)face->ParseFuzzyVariableIntf("(deffuzzy v (values (term b ((0 1))) (term a ((1 1)))))",
                                       nullptr);
    EXPECT_EQ(face->EvalFuzzyExpression(variable, "very warm")->GetName(), "replaced");
    EXPECT_EQ(log, (std::vector<std::string>{"v.b", "v.a", "v", "eval very warm"}));
}

// Each term is announced as it is read: the variable is not in the table yet, the term is
// not stored yet but the terms before it are, and what the handler does to the term is
// what gets stored. A failure after a term was announced stores nothing.
TEST_F(FaceTest, EachTermIsAnnouncedAsItIsRead) {
    std::vector<std::string> log;
    sharedParser->SetOnParseFuzzySetIntf([&](const VariablePtr& V, const SetPtr& S) {
        log.push_back(S->GetName() + (V->ContainsFuzzySet(S->GetName()) ? " stored" : " new") +
                      " of " + std::to_string(V->GetCount()) +
                      (shared->GetItems().ContainsVariable(V->GetName()) ? " in table" : ""));
        EXPECT_EQ(S->GetVariable(), V);
        S->SetName(S->GetName() + "2");
    });
    const VariablePtr v = face->ParseFuzzyVariableIntf(
        "(deffuzzy v (values (term b ((0 1))) (term a ((1 1)))) (range 0 5))", nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"b new of 0", "a new of 1"}));
    EXPECT_EQ(v->GetCount(), 2);
    ASSERT_TRUE(v->ContainsFuzzySet("b2")) << "the handler's set is the one stored";
    EXPECT_EQ(v->ContainsFuzzySet("b2")->GetIndex() < v->ContainsFuzzySet("a2")->GetIndex(), true);
    EXPECT_DOUBLE_EQ(v->GetMaximum(), 5) << "what follows the terms is read too";

    log.clear();
    EXPECT_THROW((void)face->ParseFuzzyVariableIntf(
                     "(deffuzzy w (values (term c ((0 1))) (term d ((0 1))) x", nullptr),
                 EFzyParseException);
    EXPECT_EQ(log, (std::vector<std::string>{"c new of 0", "d new of 1"}));
    EXPECT_FALSE(shared->GetItems().ContainsVariable("w"));
    EXPECT_FALSE(sharedParser->GetOnParseFuzzySet()) << "the parser's own handler is back";
}

TEST_F(FaceTest, AVariableHandlerMayFreeTheParser) {
    sharedParser->SetOnParseFuzzySetIntf([](const VariablePtr&, const SetPtr&) {});
    sharedParser->SetOnParseFuzzyVariableIntf([&](const VariablePtr&) { sharedParser.reset(); });
    const VariablePtr v =
        face->ParseFuzzyVariableIntf("(deffuzzy v (values (term a ((0 1)))))", nullptr);
    EXPECT_FALSE(sharedParser);
    EXPECT_EQ(shared->GetItems().ContainsVariable("v"), v);
    EXPECT_TRUE(v->ContainsFuzzySet("a"));
}

TEST_F(FaceTest, AFunctionHandlerOfTheInterfaceModelReplacesTheBuiltIns) {
    sharedParser->SetOnCalcFuzzyFunctionIntf(
        [](const std::string& Name, bool& Handled, SetPtr& Result,
           const TInterfacePtr<IFuzzyStreamTokenList>& Arguments) {
            Handled = Name == "anything";
            if (Handled)
                Result->CreateCrispValue(Arguments->GetCount());
        });
    EXPECT_NEAR(face->ParseFuzzySet(variable, "(term t (anything 1 2 3))", nullptr)->MeanOfMaxima(),
                3, 1e-9);
    EXPECT_DOUBLE_EQ(
        face->ParseFuzzySet(variable, "(term u (tri 1 2 3))", nullptr)->DegreeOfMembership(2), 1);
    const SetPtr warm = Term("warm");
    EXPECT_EQ(
        sharedParser->CalcFuzzyFunction(warm, "anything", MakeInterfaced<TFuzzyStreamTokenList>()),
        warm);
    EXPECT_DOUBLE_EQ(warm->MeanOfMaxima(), 0);
    EXPECT_EQ(variable->ContainsFuzzySet("warm"), warm);
    EXPECT_FALSE(sharedParser->GetOnCalcFuzzyFunction()) << "the parser's own handler is back";
}

} // namespace
} // namespace fuzzy
