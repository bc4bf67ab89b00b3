// Fuzzes the definition language with the writer as the oracle: any text that reads is
// written, read back into a fresh component and written again. The second text must be the
// first, and every defined term must read back to the same curve (to the four written
// decimals) with the same comment. Text that does not read must fail with the library's
// own exception; anything else ends the process and so becomes a finding.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "tests/fuzz/FuzzReport.hpp"

namespace fuzzy::fuzz {
namespace {

// Half the last written decimal, and a little for the rounding of the text itself.
constexpr TFzyFloat WrittenPrecision = 0.5e-4 + 1e-9;

/// A logic component with automatic terms, as a host gets it, linked with a parser.
struct TReader {
    TReader() {
        Parser->SetFuzzyLogic(Logic.get());
        Logic->SetParser(Parser.get());
    }

    std::string WriteAll() const {
        std::string text;
        for (const TFuzzyVariable* variable : *Logic->GetItems())
            text += Parser->PrettyPrint(variable) + "\r\n";
        return text;
    }

    std::unique_ptr<TFuzzyLogic> Logic{TFuzzyLogic::Create(nullptr)};
    std::unique_ptr<TKelFuzzyLogicParser> Parser{TKelFuzzyLogicParser::Create(nullptr)};
};

std::string Number(TFzyFloat Value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", Value);
    return text;
}

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

void CheckSameCurve(const TFuzzySet& Original, const TFuzzySet& Copy, const std::string& Name) {
    if (Copy.GetComment() != Original.GetComment())
        Fail(Name + " reads back with the comment \"" + Copy.GetComment() + "\" instead of \"" +
             Original.GetComment() + "\"");
    const TFuzzySetValues& before = *Original.GetValues();
    const TFuzzySetValues& after = *Copy.GetValues();
    const std::string curves =
        "\nread:      " + Original.GetValuesToString() + "\nread back: " + Copy.GetValuesToString();
    if (before.GetCount() != after.GetCount())
        Fail(Name + " reads back with " + std::to_string(after.GetCount()) + " points instead of " +
             std::to_string(before.GetCount()) + curves);
    for (int i = 0; i < before.GetCount(); ++i)
        if (!(std::fabs(before[i]->GetX() - after[i]->GetX()) <= WrittenPrecision &&
              std::fabs(before[i]->GetY() - after[i]->GetY()) <= WrittenPrecision))
            Fail(Name + " point " + std::to_string(i) + " reads back as (" +
                 Number(after[i]->GetX()) + " " + Number(after[i]->GetY()) + ") instead of (" +
                 Number(before[i]->GetX()) + " " + Number(before[i]->GetY()) + ")" + curves);
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
        if (rewritten != written)
            Fail("written again:\n" + rewritten);

        for (int v = 0; v < first.Logic->GetItems()->GetCount(); ++v) {
            const TFuzzyVariable* variable = first.Logic->GetItems()->GetItem(v);
            const TFuzzyVariable* copy =
                NamesakeIn(*second.Logic->GetItems(), *first.Logic->GetItems(), v);
            if (copy == nullptr)
                Fail(variable->GetName() + " does not read back");
            for (int t = 0; t < variable->GetItems()->GetCount(); ++t) {
                const TFuzzySet* term = variable->GetItems()->GetItem(t);
                if (!term->GetDefined())
                    continue;
                const std::string name = variable->GetName() + "." + term->GetName();
                const TFuzzySet* termCopy = NamesakeIn(*copy->GetItems(), *variable->GetItems(), t);
                if (termCopy == nullptr)
                    Fail(name + " does not read back");
                CheckSameCurve(*term, *termCopy, name);
            }
        }
    });
}
