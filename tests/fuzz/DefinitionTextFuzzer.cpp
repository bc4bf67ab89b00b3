// Fuzzes the definition language, rules included, with the writer as the oracle: any text
// that reads is written, read back into a fresh component and written again. The second text
// must be the first, and every defined term must read back to the same curve (to the four
// written decimals) with the same comment. Text that does not read must fail with the library's
// own exception; anything else ends the process and so becomes a finding.
//
// One loss is the format's own: four decimals can bring neighbouring points that were more
// than the comparison tolerance apart to within it, and reading then cleans them up as one.
// A curve that writing brings together so is exempt from the point check, and the text it
// is written in must be the one that stays: read and written once more, it comes back alike.

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "FuzzyRules/FuzzyRules.hpp"
#include "tests/fuzz/FuzzReport.hpp"

namespace fuzzy::fuzz {
namespace {

// Half the last written decimal, and a little for the rounding of the text itself.
constexpr TFzyFloat WrittenPrecision = 0.5e-4 + 1e-9;

/// A logic component with automatic terms, as a host gets it, linked with a parser that
/// reads rules.
struct TReader {
    TReader() {
        Parser->SetReadRules(true);
        Parser->SetFuzzyLogic(Logic.get());
        Logic->SetParser(Parser.get());
    }

    std::string WriteAll() const {
        std::string text;
        for (const TFuzzyVariable* variable : *Logic->GetItems())
            text += Parser->PrettyPrint(variable) + "\r\n";
        if (Logic->GetRules()->GetCount() > 0)
            text += PrettyPrintFuzzyRules(*Logic->GetRules());
        return text;
    }

    std::unique_ptr<TFuzzyRuleLogic> Logic{TFuzzyRuleLogic::Create(nullptr)};
    std::unique_ptr<TKelFuzzyRuleParser> Parser{TKelFuzzyRuleParser::Create(nullptr)};
};

/// The item of Copies that has the name of Originals' item at Index, counting earlier items
/// of the same name: names need not be unique.
template <class Items>
auto NamesakeIn(const Items& Copies, const Items& Originals, int Index) {
    const std::string& name = Originals.GetItem(Index)->GetName();
    int earlier = 0;
    for (int i = 0; i < Index; ++i)
        earlier += Originals.GetItem(i)->GetName() == name;
    for (int i = 0; i < Copies.GetCount(); ++i)
        if (Copies.GetItem(i)->GetName() == name && earlier-- == 0)
            return Copies.GetItem(i);
    return decltype(Copies.GetItem(0))(nullptr);
}

/// The first line of Rewritten that differs from Written, with every term name and number
/// replaced, so that failures of one kind read alike.
std::string FirstDifference(const std::string& Written, const std::string& Rewritten) {
    std::size_t start = 0;
    while (start < Written.size() && start < Rewritten.size() && Written[start] == Rewritten[start])
        ++start;
    start =
        Rewritten.rfind('\n', start) == std::string::npos ? 0 : Rewritten.rfind('\n', start) + 1;
    const std::string line = Rewritten.substr(start, Rewritten.find('\n', start) - start);
    std::string shape;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 6, "(term ") == 0) {
            shape += "(term _";
            i = line.find_first_of(" )", i + 6) - 1;
        } else if (std::isdigit(static_cast<unsigned char>(line[i]))) {
            if (shape.empty() || shape.back() != '#')
                shape += '#';
        } else if (line[i] != '.' || shape.empty() || shape.back() != '#') {
            shape += line[i];
        }
    }
    return shape;
}

/// A value as the writer's four decimals give it back.
TFzyFloat AsWritten(TFzyFloat Value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", Value);
    return std::strtod(text, nullptr);
}

/// Whether writing Set brings two neighbouring points to within the tolerance on an axis
/// where they were apart, so that reading the text cleans up a point the set has.
bool WritingMergesPoints(const TFuzzySet& Set) {
    const TFuzzySetValues& points = *Set.GetValues();
    const auto mergedOn = [](TFzyFloat A, TFzyFloat B) {
        return !FloatEquals(A, B) && FloatEquals(AsWritten(A), AsWritten(B));
    };
    for (int i = 1; i < points.GetCount(); ++i)
        if (mergedOn(points[i - 1]->GetX(), points[i]->GetX()) ||
            mergedOn(points[i - 1]->GetY(), points[i]->GetY()))
            return true;
    return false;
}

bool WritingMergesPoints(const TFuzzyLogic& Logic) {
    for (const TFuzzyVariable* variable : *Logic.GetItems())
        for (const TFuzzySet* term : *variable->GetItems())
            if (term->GetDefined() && WritingMergesPoints(*term))
                return true;
    return false;
}

void CheckSameCurve(const TFuzzySet& Original, const TFuzzySet& Copy, const std::string& Name) {
    const std::string kind = "a " + GetEnumName(Original.GetSetType()) + " term";
    if (Copy.GetComment() != Original.GetComment())
        Fail("the comment of " + kind + " differs: " + Name + " reads back with \"" +
             Copy.GetComment() + "\" instead of \"" + Original.GetComment() + "\"");
    const TFuzzySetValues& before = *Original.GetValues();
    const TFuzzySetValues& after = *Copy.GetValues();
    const std::string curves =
        "\nread:      " + Original.GetValuesToString() + "\nread back: " + Copy.GetValuesToString();
    if (before.GetCount() != after.GetCount())
        Fail("the curve of " + kind + " differs: " + Name + " reads back with " +
             std::to_string(after.GetCount()) + " points instead of " +
             std::to_string(before.GetCount()) + curves);
    for (int i = 0; i < before.GetCount(); ++i)
        if (!(std::fabs(before[i]->GetX() - after[i]->GetX()) <= WrittenPrecision &&
              std::fabs(before[i]->GetY() - after[i]->GetY()) <= WrittenPrecision))
            Fail("the curve of " + kind + " differs: " + Name + " point " + std::to_string(i) +
                 " reads back as (" + Number(after[i]->GetX()) + " " + Number(after[i]->GetY()) +
                 ") instead of (" + Number(before[i]->GetX()) + " " + Number(before[i]->GetY()) +
                 ")" + curves);
}

} // namespace
} // namespace fuzzy::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace fuzzy;
    using namespace fuzzy::fuzz;
    return RunChecks(Data, Size, [&] {
        const std::string text(reinterpret_cast<const char*>(Data), Size);
        TReader first;
        try {
            first.Parser->ParseFuzzyLogic(text, nullptr);
        } catch (const Exception&) {
            return; // refused with the library's own exception: the expected way to fail
        }
        const std::string written = first.WriteAll();
        Context() = "written:\n" + written;

        TReader second;
        try {
            second.Parser->ParseFuzzyLogic(written, nullptr);
        } catch (const Exception& error) {
            Fail(std::string("the written text does not read: ") + error.what());
        }
        const std::string rewritten = second.WriteAll();
        if (rewritten != written) {
            if (!WritingMergesPoints(*first.Logic))
                Fail("the text written again differs in " + FirstDifference(written, rewritten) +
                     ":\nwritten again:\n" + rewritten);
            TReader third;
            third.Parser->ParseFuzzyLogic(rewritten, nullptr);
            const std::string settled = third.WriteAll();
            if (settled != rewritten)
                Fail("the text written a third time differs in " +
                     FirstDifference(rewritten, settled) + ":\nwritten again:\n" + rewritten +
                     "\nwritten a third time:\n" + settled);
        }

        for (int v = 0; v < first.Logic->GetItems()->GetCount(); ++v) {
            const TFuzzyVariable* variable = first.Logic->GetItems()->GetItem(v);
            const TFuzzyVariable* copy =
                NamesakeIn(*second.Logic->GetItems(), *first.Logic->GetItems(), v);
            if (copy == nullptr)
                Fail("a variable does not read back: " + variable->GetName());
            for (int t = 0; t < variable->GetItems()->GetCount(); ++t) {
                const TFuzzySet* term = variable->GetItems()->GetItem(t);
                if (!term->GetDefined() || WritingMergesPoints(*term))
                    continue;
                const std::string name = variable->GetName() + "." + term->GetName();
                const TFuzzySet* termCopy = NamesakeIn(*copy->GetItems(), *variable->GetItems(), t);
                if (termCopy == nullptr)
                    Fail("a term does not read back: " + name);
                CheckSameCurve(*term, *termCopy, name);
            }
        }
    });
}
