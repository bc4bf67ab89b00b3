// Fuzzes the FLL and FCL readers with their writers as the oracle: the first byte picks
// the format, the rest is the text. Text that reads is written in both formats (where the
// format can hold it) and read back, which must give the same description. Text that does
// not read must fail with the interchange exception; anything else ends the process and
// so becomes a finding.

#include <cstdint>
#include <string>

#include "FuzzyInterchange/FuzzyInterchange.hpp"
#include "tests/fuzz/FuzzReport.hpp"

namespace fuzzy::fuzz {
namespace {

using TReader = TControllerDescription (*)(std::string_view);
using TWriter = std::string (*)(const TControllerDescription&);

/// Writes Description with Write and reads it back with Read; the description must come
/// back unchanged, units and comments aside where the format has none.
void CheckRoundTrip(TControllerDescription Description, TWriter Write, TReader Read,
                    bool KeepsComments, const char* Format) {
    std::string written;
    try {
        written = Write(Description);
    } catch (const EFzyInterchangeException&) {
        return; // the format cannot hold it, and says so
    }
    Context() = std::string(Format) + " written:\n" + written;
    TControllerDescription reread;
    try {
        reread = Read(written);
    } catch (const Exception& error) {
        Fail(std::string("the written text does not read: ") + error.what());
    }
    for (TVariableDescription& variable : Description.Variables) {
        variable.Units.clear();
        if (!KeepsComments)
            variable.Comment.clear();
    }
    if (!KeepsComments)
        Description.Comment.clear();
    if (!(reread == Description))
        Fail(std::string("the description read back from ") + Format + " differs");
}

} // namespace
} // namespace fuzzy::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace fuzzy;
    using namespace fuzzy::fuzz;
    return RunChecks(Data, Size, [&] {
        if (Size == 0)
            return;
        const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
        TControllerDescription description;
        try {
            description = Data[0] % 2 == 0 ? ReadFll(text) : ReadFcl(text);
        } catch (const EFzyInterchangeException&) {
            return; // refused with the interchange exception: the expected way to fail
        }
        CheckRoundTrip(description, WriteFll, ReadFll, true, "FLL");
        CheckRoundTrip(description, WriteFcl, ReadFcl, false, "FCL");
    });
}
