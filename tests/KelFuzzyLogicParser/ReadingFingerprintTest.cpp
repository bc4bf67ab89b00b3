// Everything that reading a long and varied text builds, reduced to one fingerprint each:
// the variables with every term (auxiliary sets included) and its exact points, the text
// written back, the events and callbacks in their order, and the error of every prefix of a
// text. The expected fingerprints were taken from the reader as it stood before it was made
// faster, so that no speed-up can change what a reader of the text gets.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/DefinitionCorpus.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

/// Forms the benchmark text leaves out: "?" variables, numbers, point lists, calls and
/// strings as operands, an empty body, bare units, a later range, CR LF line ends.
const char* const SupplementText =
    "(deffuzzy extra \"more forms\" (range -10 10) (units kg) (range -20 20)\r\n"
    "  (values\r\n"
    "    (term cold (z -5 0)) (term hot \"warm and over\" (s 0 5))\n"
    "    (term limited ?limit)\n"
    "    (term listed cold or ((-10 0) (0 1) (10 0)))\n"
    "    (term called [(tri -3 0 3) and-product hot] or-mean cold)\n"
    "    (term nothing)\n"
    "    (term spiked 2.5 or-boundedsum cold)\n"
    "    (term quoted \"a comment\" \"cold\" or-meansqrt hot)\n"
    "    (term scaled [hot - 0.25] <= 0.75 / 2 >X 1)\n"
    "    (term hedged about near positively slightly hot)\n"
    "    (term same cold)))\n"
    "(deffuzzy 'units' (units 12) (values (term a ((0 0) (0 1) (0 0.5) (0 0.25) (0 0.75)))))\n";

/// FNV-1a over everything added, with each double by its exact bits.
class TFingerprint {
public:
    void Add(const std::string& Text) {
        for (const char c : Text)
            Mix(static_cast<unsigned char>(c));
        Mix(0xFF); // ends the field, so that "ab" + "c" differs from "a" + "bc"
    }
    void Add(double Value) {
        char text[64];
        std::snprintf(text, sizeof text, "%a", Value);
        Add(std::string(text));
    }
    void Add(std::int64_t Value) { Add(std::to_string(Value)); }
    std::uint64_t Value() const { return FHash; }

private:
    void Mix(unsigned char Byte) {
        FHash ^= Byte;
        FHash *= 0x100000001B3ULL;
    }
    std::uint64_t FHash = 0xCBF29CE484222325ULL;
};

void AddVariables(TFingerprint& Print, const TParsedLogic& Read) {
    for (const TFuzzyVariable* variable : *Read.Logic->GetItems()) {
        Print.Add(variable->GetName());
        Print.Add(variable->GetComment());
        Print.Add(variable->GetUnits());
        Print.Add(variable->GetMinimum());
        Print.Add(variable->GetMaximum());
        for (const TFuzzySet* term : *variable->GetItems()) {
            Print.Add(term->GetName());
            Print.Add(term->GetComment());
            Print.Add(term->GetExpression());
            Print.Add(std::int64_t{term->GetDefined()});
            Print.Add(std::int64_t{static_cast<int>(term->GetSetType())});
            for (const TFuzzySetValue* point : *term->GetValues()) {
                Print.Add(point->GetX());
                Print.Add(point->GetY());
            }
        }
        Print.Add(Read.Parser->PrettyPrint(variable));
    }
}

/// The corpus and the supplement read with every event and callback recorded in order.
std::uint64_t ReadingFingerprint(bool AutoTerms) {
    TParsedLogic read;
    read.Logic->SetAutoTerms(AutoTerms);
    read.Logic->GetVariables()->SetValue("limit", "very hot or cold");
    TFingerprint print;
    auto setEvent = [&](const char* Event) {
        return [&print, Event](TObject*, TFuzzySet* Set) {
            print.Add(Event);
            print.Add(Set->GetName());
        };
    };
    auto variableEvent = [&](const char* Event) {
        return [&print, Event](TObject*, TFuzzyVariable* Variable) {
            print.Add(Event);
            print.Add(Variable->GetName());
        };
    };
    read.Logic->SetOnFuzzySetAdded(setEvent("set added"));
    read.Logic->SetOnFuzzySetChange(setEvent("set changed"));
    read.Logic->SetOnFuzzySetDeleted(setEvent("set deleted"));
    read.Logic->SetOnVariableAdded(variableEvent("variable added"));
    read.Logic->SetOnVariableChange(variableEvent("variable changed"));
    read.Logic->SetOnVariableDeleted(variableEvent("variable deleted"));
    read.Parser->SetOnParseFuzzySet(setEvent("term read"));
    read.Parser->SetOnParseFuzzyVariable(variableEvent("variable read"));
    read.Parser->SetOnEvalExpression(
        [&print](TObject*, TFuzzyVariable*, const std::string& Postfix, TFuzzySet*& Result) {
            print.Add("evaluated");
            print.Add(Postfix);
            print.Add(Result->GetName());
        });

    read.Read(CorpusText(std::size_t{1} << 16));
    read.Read(SupplementText);
    AddVariables(print, read);
    return print.Value();
}

TEST(ReadingFingerprint, VariablesTermsTextAndEventsStayAsTheyWere) {
    EXPECT_EQ(ReadingFingerprint(false), 2369981658114365464u);
    EXPECT_EQ(ReadingFingerprint(true), 1071362370725870803u);
}

TEST(ReadingFingerprint, ErrorsOfEveryCutStayAsTheyWere) {
    // Each prefix ends somewhere else in a form: inside an atom, a string, a point list,
    // an expression, a call; the message shows the line and the text read of the form.
    const std::string text = CorpusVariableText(3) + CorpusVariableText(4) + SupplementText;
    TFingerprint print;
    for (std::size_t length = 0; length <= text.size(); length += 7) {
        TParsedLogic read;
        try {
            read.Read(text.substr(0, length));
            print.Add("read");
        } catch (const EFzyParseException& error) {
            print.Add(error.what());
            print.Add(std::int64_t{error.GetLineNumber()});
        } catch (const Exception& error) { // a range cut short, a reserved name, ...
            print.Add(error.what());
        }
        AddVariables(print, read);
    }
    EXPECT_EQ(print.Value(), 2230162135640419767u);
}

} // namespace
} // namespace fuzzy::test
