#pragma once
// Switches the C locale to one with a decimal comma, for the tests that show that numbers
// are read and written the same whatever the C locale.

#include <clocale>
#include <cstdlib>

#include <gtest/gtest.h>

namespace fuzzy::test {

/// Switches the C locale to the first installed locale with a decimal comma for its
/// lifetime; Name() is nullptr when there is none.
class TCommaLocale {
public:
    TCommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
            if (std::setlocale(LC_ALL, name) != nullptr) {
                FName = name;
                return;
            }
    }
    ~TCommaLocale() { std::setlocale(LC_ALL, "C"); }
    TCommaLocale(const TCommaLocale&) = delete;
    TCommaLocale& operator=(const TCommaLocale&) = delete;
    const char* Name() const { return FName; }

private:
    const char* FName = nullptr;
};

/// Skips the calling test for want of a comma locale, or fails it where
/// FUZZY_REQUIRE_LOCALE is set: the CI generates the locale, so missing it there is an error.
inline void SkipOrFailWithoutCommaLocale() {
    if (std::getenv("FUZZY_REQUIRE_LOCALE") != nullptr)
        FAIL()
            << "no de_DE.UTF-8, de_DE.utf8 or fr_FR.UTF-8 locale, but FUZZY_REQUIRE_LOCALE is set";
    GTEST_SKIP() << "no de_DE.UTF-8, de_DE.utf8 or fr_FR.UTF-8 locale on this machine";
}

} // namespace fuzzy::test
