#pragma once
// How the fuzz harnesses report a broken promise: the message names the operation and the
// values involved, the harness adds what it was working on, and the process aborts, so
// that the fuzzer saves the input as a reproducer.
//
// To hunt for further faults past known ones, set FUZZY_FUZZ_KEEP_GOING to a folder: each
// broken promise of a new kind (what its first line says before any ": ", numbers and
// lists aside) is then printed once and its input saved in that folder, and the fuzzer
// goes on with the next input.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <string>

namespace fuzzy::fuzz {

/// A value at full precision, for a report.
inline std::string Number(double Value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", Value);
    return text;
}

/// What the harness is working on, printed before the failure itself.
inline std::string& Context() {
    static std::string context;
    return context;
}

namespace detail {

/// Ends the current input when the run keeps going past failures.
struct TInputAbandoned {};

inline std::string& CurrentInput() {
    static std::string input;
    return input;
}

/// What a failure is about: the first line of Message up to its first ": ", without its
/// parenthesised parts, every run of digits replaced by one '#'.
inline std::string KindOf(const std::string& Message) {
    const std::string head = Message.substr(0, std::min(Message.find('\n'), Message.find(": ")));
    std::string kind;
    int depth = 0;
    for (const char c : head) {
        depth += (c == '(') - (c == ')');
        if (depth > 0 || c == ')')
            continue;
        if (!std::isdigit(static_cast<unsigned char>(c)))
            kind += c;
        else if (kind.empty() || kind.back() != '#')
            kind += '#';
    }
    return kind;
}

} // namespace detail

inline void Print(const std::string& Message) {
    std::fprintf(stderr, "\n==== broken promise ====\n%s\n%s\n", Context().c_str(),
                 Message.c_str());
}

[[noreturn]] inline void Fail(const std::string& Message) {
    static const char* const keepGoing = std::getenv("FUZZY_FUZZ_KEEP_GOING");
    if (keepGoing == nullptr) {
        Print(Message);
        std::abort();
    }
    static std::set<std::string> kinds;
    if (kinds.insert(detail::KindOf(Message)).second) {
        Print(Message);
        const std::string path =
            std::string(keepGoing) + "/finding-" + std::to_string(kinds.size());
        std::ofstream(path, std::ios::binary) << detail::CurrentInput();
    }
    throw detail::TInputAbandoned{};
}

/// Runs the checks of one input; see FUZZY_FUZZ_KEEP_GOING.
inline int RunChecks(const std::uint8_t* Data, std::size_t Size,
                     const std::function<void()>& Checks) {
    detail::CurrentInput().assign(reinterpret_cast<const char*>(Data), Size);
    Context().clear();
    try {
        Checks();
    } catch (const detail::TInputAbandoned&) {
    }
    return 0;
}

} // namespace fuzzy::fuzz
