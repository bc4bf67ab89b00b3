// The interface model reads, evaluates and writes through the same parser as the component
// model: on the same texts both give the same variables, terms, points, written text and
// errors (messages with their line numbers); the parser component's IFuzzyParser face gives
// the component model's results on interface-model sets and variables.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "IFuzzyLogic/IFuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy {
namespace {

using SetPtr = TInterfacePtr<IFuzzySet>;
using VariablePtr = TInterfacePtr<IFuzzyVariable>;

std::string Described(const TFuzzySet& Term) {
    std::string text = Term.GetName() + ":";
    for (const auto& [x, y] : test::PointsOf(*Term.GetValues()))
        text += " " + std::to_string(x) + "," + std::to_string(y);
    return text;
}

// What a model made of a text: each variable's written text with each defined term's
// exact points, in name order, or the error raised with its line.
template <class TReadAndDescribe>
std::vector<std::string> Outcome(TReadAndDescribe&& ReadAndDescribe) {
    std::vector<std::string> variables;
    try {
        ReadAndDescribe(variables);
    } catch (const EFzyParseException& error) {
        return {error.what(), std::to_string(error.GetLineNumber())};
    }
    std::ranges::sort(variables);
    return variables;
}

void Assign(TCustomFuzzyLogic& Logic, const std::string& Text) {
    TStringList lines;
    lines.SetText(Text);
    Logic.SetStrings(&lines);
}

class BothModels : public ::testing::TestWithParam<const char*> {};

TEST_P(BothModels, ReadTheSameText) {
    const std::vector<std::string> expected = Outcome([&](std::vector<std::string>& Variables) {
        test::TParsedLogic model;
        Assign(*model.Logic, GetParam());
        for (const TFuzzyVariable* variable : *model.Logic->GetItems()) {
            Variables.push_back(model.Parser->PrettyPrint(variable));
            for (const TFuzzySet* term : *variable->GetItems())
                if (term->GetDefined())
                    Variables.back() += "\n" + Described(*term);
        }
    });
    const std::vector<std::string> actual = Outcome([&](std::vector<std::string>& Variables) {
        test::TBasicParsedLogic<TIFuzzyLogic, TKelFuzzyLogicParser> model;
        Assign(*model.Logic, GetParam());
        for (int i = 0; i < model.Logic->GetItems().GetCount(); ++i) {
            const VariablePtr variable = model.Logic->GetItems().GetItemByIndex(i);
            std::vector<SetPtr> terms;
            for (int j = 0; j < variable->GetCount(); ++j)
                terms.push_back(variable->GetFuzzySet(j));
            std::ranges::sort(terms, {}, [](const SetPtr& Term) { return Term->GetIndex(); });
            Variables.push_back(variable->ToString());
            for (const SetPtr& term : terms)
                Variables.back() += "\n" + Described(*TIFuzzySet::CoreOf(term));
        }
    });
    EXPECT_FALSE(expected.empty()) << "the text reads into something or fails";
    EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BothModels,
    ::testing::Values(
        "; a comment, then a bare variable\n(deffuzzy e)",
        "(deffuzzy t \"room\" (range 0 40) (units C)\n"
        " (values (term cold (z 10 18)) (term warm (tri 15 21 27)) (term hot ((24 0) (30 1)))\n"
        "  (term mild \"neither\" not cold and not hot) (term tepid [very warm or-sum cold] * "
        "0.5)))",
        "(deffuzzy a (range -5 5) (values (term p (pi 0 2)) (term b (beta 0 1)) (term s (s -1 "
        "1))))\n"
        "(deffuzzy b (range 0 1) (values (term x ((0 0) (0.5 1) (1 0))) (term y x)))",
        "(deffuzzy c (range 0 10) (values (term low (z 2 8)) (term high extremely not low)))",
        // errors, each on a line of its own
        "(deffuzzy ok (range 0 1))\n(deffuzzy bad (range 0 x))",
        "(deffuzzy v (range 0 1)\n (values (term t ((0 1) (1 y))))))",
        "(deffuzzy v (range 0 1)\n\n (values (term t very nothing)))", "(deffuzzy v (bounds 0 1))",
        "(fuzzy v)", "x"));

// The token-level readers run on a text through a parser that, while its string form has
// the text open, runs the reader given instead of reading a term.
class TProbeParser : public TKelFuzzyLogicParser {
public:
    static TProbeParser* Create() {
        return FinishCreate(std::unique_ptr<TProbeParser>(new TProbeParser()), nullptr);
    }
    using TKelFuzzyLogicParser::ParseFuzzyFunction;
    using TKelFuzzyLogicParser::ParseFuzzySet;
    using TKelFuzzyLogicParser::ParseFuzzyValuePairs;
    using TKelFuzzyLogicParser::ParseFuzzyValues;

    void WhileReading(const std::string& Text, std::function<void()> Read) {
        FPending = std::move(Read);
        (void)ParseFuzzySet(static_cast<TFuzzyVariable*>(nullptr), Text, nullptr);
    }

    TFuzzySet* ParseFuzzySet(TFuzzyVariable* Variable) override {
        if (const auto pending = std::exchange(FPending, nullptr)) {
            pending();
            return nullptr;
        }
        return TKelFuzzyLogicParser::ParseFuzzySet(Variable);
    }

private:
    TProbeParser() = default;
    std::function<void()> FPending;
};

struct TFormCase {
    const char* Form;
    const char* Text;
    friend void PrintTo(const TFormCase& Case, std::ostream* Out) {
        *Out << Case.Form << ": " << Case.Text;
    }
};

// The points of the set a reader returns, or the error it raises.
template <class V, class TDescribe>
std::string ReadWith(TProbeParser& Parser, const TFormCase& Case, const V& Variable,
                     TDescribe&& Describe) {
    const std::string form = Case.Form;
    std::string outcome;
    try {
        Parser.WhileReading(Case.Text, [&] {
            if (form == "values")
                outcome = Describe(Parser.ParseFuzzyValues(Variable));
            else if (form == "pairs")
                outcome = Describe(Parser.ParseFuzzyValuePairs(Variable));
            else if (form == "function")
                outcome = Describe(Parser.ParseFuzzyFunction(Variable));
            else
                outcome = Describe(Parser.ParseFuzzySet(Variable));
        });
    } catch (const EFzyParseException& error) {
        return error.what();
    }
    return outcome;
}

std::string PointsOnly(const TFuzzySet& Set) {
    const std::string text = Described(Set);
    return text.substr(text.find(':'));
}

// One variable read into each model by one probe parser.
struct TTwoModels {
    TTwoModels() {
        const char* const definition =
            "(deffuzzy t (range 0 10) (values (term low (z 2 8)) (term mid (tri 2 5 8))))";
        logic->SetAutoTerms(false);
        parser->SetFuzzyLogic(logic.get());
        component = parser->ParseFuzzyVariable(definition, nullptr);
        shared->SetAutoTerms(false);
        parser->SetFuzzyLogic(shared.get());
        variable =
            Supports<IFuzzyParser>(parser.get())->ParseFuzzyVariableIntf(definition, nullptr);
    }
    TInterfacePtr<IFuzzyStreamTokenList> TokensOf(const std::string& Text) {
        TInterfacePtr<IFuzzyStreamTokenList> tokens;
        parser->WhileReading(Text, [&] { tokens = parser->ParseTokenList(); });
        return tokens;
    }

    std::unique_ptr<TProbeParser> parser{TProbeParser::Create()};
    std::unique_ptr<TFuzzyLogic> logic{TFuzzyLogic::Create(nullptr)};
    std::unique_ptr<TIFuzzyLogic> shared{TIFuzzyLogic::Create(nullptr)};
    TFuzzyVariable* component = nullptr;
    VariablePtr variable;
};

class InterfaceForms : public ::testing::TestWithParam<TFormCase>, public TTwoModels {};

TEST_P(InterfaceForms, GiveTheComponentFormsPointsAndErrors) {
    const std::string expected =
        ReadWith(*parser, GetParam(), component, [](TFuzzySet* Set) { return PointsOnly(*Set); });
    const std::string actual = ReadWith(*parser, GetParam(), variable, [&](const SetPtr& Set) {
        EXPECT_EQ(Set->GetVariable(), variable);
        const std::string form = GetParam().Form;
        if (form == "pairs" || form == "function") {
            const std::string name = Set->GetName(); // "FuzzySet" and a number
            EXPECT_TRUE(name.rfind("FuzzySet", 0) == 0 && name.size() > 8 &&
                        name.find_first_not_of("0123456789", 8) == std::string::npos)
                << name;
        }
        return PointsOnly(*TIFuzzySet::CoreOf(Set));
    });
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(variable->GetCount(), 2) << "a set read alone is not stored";
}

INSTANTIATE_TEST_SUITE_P(
    Readers, InterfaceForms,
    ::testing::Values(TFormCase{"values", "very low or mid"}, TFormCase{"values", "(tri 1 2 3)"},
                      TFormCase{"values", "((1 0) (2 1))"}, TFormCase{"values", "nothing"},
                      TFormCase{"pairs", "((0 0) (4 1) (9 0))"},
                      TFormCase{"pairs", "((0 0) (4 x))"}, TFormCase{"pairs", "(0 0)"},
                      TFormCase{"function", "(pi 5 2)"}, TFormCase{"function", "(7 1)"},
                      TFormCase{"term", "(term r \"c\" low and mid)"},
                      TFormCase{"term", "(terms r low)"}));

// The token forms of the evaluator, and the expression text their callback gets.
TEST(InterfaceEvaluator, TokenFormsGiveTheComponentFormsSets) {
    TTwoModels models;
    std::vector<std::string> component, interface;
    models.parser->SetOnEvalExpression([&](TObject*, TFuzzyVariable*, const std::string& Expression,
                                           TFuzzySet*&) { component.push_back(Expression); });
    const std::string text = "somewhat low and not [mid or low]";
    const std::string expected =
        PointsOnly(*models.parser->EvalFuzzyExpression(models.component, models.TokensOf(text)));
    models.parser->SetOnEvalExpressionIntf([&](const VariablePtr&, const std::string& Expression,
                                               SetPtr&) { interface.push_back(Expression); });
    const SetPtr result =
        models.parser->EvalFuzzyExpression(models.variable, models.TokensOf(text));
    EXPECT_EQ(PointsOnly(*TIFuzzySet::CoreOf(result)), expected);
    EXPECT_EQ(result->GetVariable(), models.variable);
    ASSERT_EQ(component.size(), 2u) << "the interface form runs the component form";
    EXPECT_EQ(interface, std::vector<std::string>{component.front()});

    const auto token = models.TokensOf("mid")->Get(0);
    EXPECT_EQ(
        PointsOnly(*TIFuzzySet::CoreOf(models.parser->EvalFuzzyExpression(models.variable, token))),
        PointsOnly(*models.component->GetItems()->GetItemByName("mid")));
}

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
