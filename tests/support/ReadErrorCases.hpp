#pragma once
// Tables of texts the component reader must refuse, with where and why.

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "platform/ComponentText.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {

struct TBadText {
    const char* Text;
    int Line;
    const char* Property;
    const char* Message; // the reason, after the line and the property
};

// Test names show the text, not the struct's bytes.
inline void PrintTo(const TBadText& Bad, std::ostream* Out) {
    *Out << '"' << Bad.Text << '"';
}

/// Reading Bad.Text raises EReadError at Bad.Line, naming Bad.Property and Bad.Message.
inline void ExpectReadError(const TBadText& Bad, const TEventHandlers& Handlers = {}) {
    const std::string property = Bad.Property;
    const std::string where = property.empty() ? "" : ", " + property;
    EXPECT_RAISES((void)ReadComponent(Bad.Text, Handlers), EReadError,
                  "Line " + std::to_string(Bad.Line) + where + ": " + Bad.Message);
}

} // namespace fuzzy::test
