#pragma once
// The outside programs that judge an SVG document: xmllint (is it well-formed XML?) and
// rsvg-convert (does a renderer draw it?). A test that needs one skips where it is missing,
// or fails where FUZZY_REQUIRE_SVG_TOOLS is set: the CI installs both, so missing them
// there is an error.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fuzzy::test {

/// True when Program is found on the PATH.
inline bool HaveProgram(const std::string& Program) {
    return std::system(("command -v " + Program + " >/dev/null 2>&1").c_str()) == 0;
}

/// Skips the calling test for want of Program, or fails it where FUZZY_REQUIRE_SVG_TOOLS is
/// set. Use as: if (!HaveProgram(p)) return SkipOrFailWithout(p);
inline void SkipOrFailWithout(const std::string& Program) {
    if (std::getenv("FUZZY_REQUIRE_SVG_TOOLS") != nullptr)
        FAIL() << Program << " is missing, but FUZZY_REQUIRE_SVG_TOOLS is set";
    GTEST_SKIP() << Program << " is not installed on this machine";
}

/// A file of the test's own under the system's temporary folder, removed at the end.
class TScratchFile {
public:
    explicit TScratchFile(const std::string& Name)
        : FPath(std::filesystem::temp_directory_path() /
                (std::to_string(::getpid()) + "-" + Name)) {}
    ~TScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(FPath, ignored);
    }
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    std::string Path() const { return FPath.string(); }
    void Write(const std::string& Text) const { std::ofstream(FPath, std::ios::binary) << Text; }

private:
    std::filesystem::path FPath;
};

/// The exit status of a shell command, with its output thrown away.
inline int RunQuietly(const std::string& Command) {
    return std::system((Command + " >/dev/null 2>&1").c_str());
}

} // namespace fuzzy::test
