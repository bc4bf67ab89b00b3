// The lexer reads plain decimals ("21.5", "-7") by a short way of its own: each must give
// the kind and the very number that the general conversions give.

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicTokenStream.hpp"
#include "platform/Stream.hpp"
#include "platform/Strings.hpp"

namespace fuzzy {
namespace {

using enum TFuzzyStreamTokenType;

// "kind bits of the number", as the general conversions read Text and as the lexer does.
std::string Converted(const std::string& Text) {
    std::int32_t integer = 0;
    double real = 0;
    if (TryStrToInt(Text, integer))
        return "int " + std::to_string(std::bit_cast<std::uint64_t>(double(integer)));
    if (TryStrToFloat(Text, real))
        return "float " + std::to_string(std::bit_cast<std::uint64_t>(real));
    return "atom";
}

std::string Lexed(const std::string& Text) {
    TKelStringStream source(Text);
    TFuzzyLogicTokenStream tokens(&source, nullptr);
    const auto token = tokens.NextToken();
    const std::string bits = std::to_string(std::bit_cast<std::uint64_t>(token->GetNumber()));
    const int kind = token->GetDataType();
    return kind == int(fstInteger) ? "int " + bits
           : kind == int(fstFloat) ? "float " + bits
                                   : "atom";
}

TEST(PlainNumberTest, GivesWhatTheGeneralConversionsGive) {
    std::vector<std::string> texts = {"-0",
                                      "-0.0",
                                      "007",
                                      "5.",
                                      ".5",
                                      "-.5",
                                      "1..2",
                                      "1-2",
                                      "12e3",
                                      "-2147483648",
                                      "9007199254740993"};
    // Random decimals of 1 to 17 digits, the point anywhere or nowhere, either sign.
    std::mt19937 random(2026);
    for (int i = 0; i < 20000; ++i) {
        const unsigned count = 1 + random() % 17;
        const unsigned point = random() % (count + 1); // count: none
        std::string text = random() % 2 == 0 ? "-" : "";
        for (unsigned d = 0; d < count; ++d)
            text += (d == point ? "." : "") + std::string(1, char('0' + random() % 10));
        texts.push_back(text);
    }
    for (const std::string& text : texts)
        ASSERT_EQ(Lexed(text), Converted(text)) << text;
}

} // namespace
} // namespace fuzzy
