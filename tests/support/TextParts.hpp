#pragma once
// Whether a long generated text (a drawing, a stored component) holds the pieces a test
// expects, naming each piece it misses.

#include <initializer_list>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace fuzzy::test {

/// Expects Text to hold each of Parts; a failure shows the missing part.
inline void ExpectParts(const std::string& Text, std::initializer_list<std::string_view> Parts) {
    for (const std::string_view part : Parts)
        EXPECT_NE(Text.find(part), std::string::npos) << "missing: " << part;
}

} // namespace fuzzy::test
