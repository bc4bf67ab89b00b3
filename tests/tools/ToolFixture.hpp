#pragma once
// Runs the built fuzzy tool as a user does, in a folder of the test's own, capturing its
// exit code, its standard output and its standard error.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/SvgTools.hpp"

namespace fuzzy::test {

namespace fs = std::filesystem;

inline const std::string Heater = FUZZY_EXAMPLES_DIR "/heater.fuzzy";

struct TRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

inline std::string ReadFile(const fs::path& Path) {
    std::ifstream file(Path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

/// A folder of the test's own with the definitions the cases read, removed at the end.
class FuzzyToolTest : public ::testing::Test {
protected:
    FuzzyToolTest() : FDir(fs::temp_directory_path() / FolderName()) {
        fs::remove_all(FDir);
        fs::create_directories(FDir);
        Write("bad.fuzzy", "(deffuzzy a\n  (range 0 10)\n  (values (term t (tri 1 x 3))))\n");
        Write("empty.fuzzy", "");
        Write("small.fuzzy", "(deffuzzy a (range 0 10) (values (term t (tri 1 2 3))))");
        fs::create_directory(FDir / "folder.svg"); // an output name already taken by a folder
    }
    ~FuzzyToolTest() override { fs::remove_all(FDir); }

    /// Unique to the process and the test; a parameterised test's name holds a '/'.
    static std::string FolderName() {
        std::string name = std::string("fuzzy-tool-") + std::to_string(::getpid()) + "-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        return name;
    }

    std::string Path(const std::string& Name) const { return (FDir / Name).string(); }
    void Write(const std::string& Name, const std::string& Text) const {
        std::ofstream(FDir / Name, std::ios::binary) << Text;
    }
    /// The names in the folder, sorted, so that a temporary file left over shows.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(FDir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    /// Runs the tool with Args through the shell, each word quoted; its standard output and
    /// error go to files of the folder's parent, so that they never show among Files().
    TRun Run(const std::vector<std::string>& Args) const {
        const std::string out = FDir.string() + ".out", err = FDir.string() + ".err";
        std::string command = "'" FUZZY_TOOL "'";
        for (const std::string& arg : Args) {
            command += " '";
            for (const char c : arg)
                command += c == '\'' ? std::string("'\\''") : std::string(1, c);
            command += "'";
        }
        const int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
        TRun run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadFile(out),
                 ReadFile(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }

private:
    fs::path FDir;
};

} // namespace fuzzy::test
