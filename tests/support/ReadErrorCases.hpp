#pragma once
// Tables of texts the component reader must refuse, with where and why.

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "platform/ComponentText.hpp"

namespace fuzzy::test {

struct TBadText {
    const char* Text;
    int Line;
    const char* Property;
    const char* Message; // a part of the message
};

// Test names show the text, not the struct's bytes.
inline void PrintTo(const TBadText& Bad, std::ostream* Out) { *Out << '"' << Bad.Text << '"'; }

/// Reading Bad.Text raises EReadError at Bad.Line, naming Bad.Property and Bad.Message.
inline void ExpectReadError(const TBadText& Bad, const TEventHandlers& Handlers = {}) {
    try {
        (void)ReadComponent(Bad.Text, Handlers);
        FAIL() << "read " << Bad.Text;
    } catch (const EReadError& error) {
        EXPECT_EQ(error.GetLine(), Bad.Line) << error.what();
        EXPECT_EQ(error.GetProperty(), Bad.Property) << error.what();
        EXPECT_NE(std::string(error.what()).find(Bad.Message), std::string::npos) << error.what();
    }
}

} // namespace fuzzy::test
