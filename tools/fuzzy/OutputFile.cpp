#include "OutputFile.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ToolErrors.hpp"

namespace fuzzy::tool {
namespace {

/// Removes the temporary file unless it was renamed into place.
class TTemporaryFile {
public:
    explicit TTemporaryFile(std::string Path) : FPath(std::move(Path)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (!FPath.empty())
            std::remove(FPath.c_str());
    }
    void Keep() { FPath.clear(); }

private:
    std::string FPath;
};

[[noreturn]] void CannotWrite(const std::string& Path) {
    throw EInputError(Path, 0, std::string("cannot write: ") + std::strerror(errno));
}

} // namespace

void WriteOutputFile(const std::string& Path, const std::string& Text) {
    if (Path == "-") {
        std::cout << Text << std::flush;
        if (!std::cout)
            throw EInputError("<stdout>", 0, "cannot write");
        return;
    }
    // mkstemp makes the name unique, so two runs writing the same file never share one.
    std::string name = Path + ".XXXXXX";
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        CannotWrite(Path);
    TTemporaryFile temporary(name);
    std::size_t written = 0;
    while (written < Text.size()) {
        const ssize_t count = write(descriptor, Text.data() + written, Text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            const int error = errno;
            close(descriptor);
            errno = error;
            CannotWrite(Path);
        }
        written += static_cast<std::size_t>(count);
    }
    // A file made by mkstemp is readable by its owner only; give it the usual rights.
    const mode_t mask = umask(0);
    umask(mask);
    const bool modeSet = fchmod(descriptor, 0666 & ~mask) == 0;
    if (close(descriptor) != 0 || !modeSet)
        CannotWrite(Path);
    if (std::rename(name.c_str(), Path.c_str()) != 0)
        CannotWrite(Path);
    temporary.Keep();
}

} // namespace fuzzy::tool
