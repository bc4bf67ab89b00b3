#pragma once
// How the fuzz harnesses report a broken promise: the message names the operation and the
// values involved, the harness adds what it was working on, and the process aborts, so
// that the fuzzer saves the input as a reproducer. With FUZZY_FUZZ_KEEP_GOING set to a
// folder, each broken promise of a new kind (its first line before any ": ", numbers and
// parenthesised parts aside) is printed once and its input saved there, and the run goes on.

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

[[noreturn]] inline void Fail(const std::string& Message) {
    static const char* const keepGoing = std::getenv("FUZZY_FUZZ_KEEP_GOING");
    static std::set<std::string> kinds;
    const bool first = keepGoing == nullptr || kinds.insert(detail::KindOf(Message)).second;
    if (first)
        std::fprintf(stderr, "\n==== broken promise ====\n%s\n%s\n", Context().c_str(),
                     Message.c_str());
    if (keepGoing == nullptr)
        std::abort();
    if (first)
        std::ofstream(std::string(keepGoing) + "/finding-" + std::to_string(kinds.size()),
                      std::ios::binary)
            << detail::CurrentInput();
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
