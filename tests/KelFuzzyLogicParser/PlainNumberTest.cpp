// The lexer reads plain decimals ("21.5", "-7") by a short way of its own: each must give
// the kind and the very number that the general conversions give.

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicTokenStream.hpp"
#include "platform/Stream.hpp"
#include "platform/Strings.hpp"

namespace fuzzy {
namespace {

using enum TFuzzyStreamTokenType;

// "kind bits" of a number as the general conversions read Text.
std::string Converted(const std::string& Text) {
    std::int32_t integer = 0;
    double real = 0;
    if (TryStrToInt(Text, integer))
        return "int " + std::to_string(std::bit_cast<std::uint64_t>(static_cast<double>(integer)));
    if (TryStrToFloat(Text, real))
        return "float " + std::to_string(std::bit_cast<std::uint64_t>(real));
    return "atom";
}

std::string Lexed(const std::string& Text) {
    TKelStringStream source(Text);
    TFuzzyLogicTokenStream tokens(&source, nullptr);
    const auto token = tokens.NextToken();
    const auto bits = std::to_string(std::bit_cast<std::uint64_t>(token->GetNumber()));
    switch (static_cast<TFuzzyStreamTokenType>(token->GetDataType())) {
    case fstInteger:
        return "int " + bits;
    case fstFloat:
        return "float " + bits;
    default:
        return "atom";
    }
}

TEST(PlainNumberTest, GivesWhatTheGeneralConversionsGive) {
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "-0.0",
                                      "007",
                                      "5.",
                                      ".5",
                                      "-.5",
                                      "999999999",
                                      "1000000000",
                                      "-2147483648",
                                      "0.1",
                                      "0.3",
                                      "2.675",
                                      "1.0000000000000002",
                                      "123456789012345",
                                      "1234567890123456",
                                      "12345678901234.5",
                                      "0.000000000000001",
                                      "9007199254740993",
                                      "1..2",
                                      "-",
                                      "1-2",
                                      "12e3"};
    // Random decimals of 1 to 17 digits, the point anywhere or nowhere, either sign.
    std::mt19937 random(2026);
    for (int i = 0; i < 20000; ++i) {
        const int count = 1 + static_cast<int>(random() % 17);
        const int point = static_cast<int>(random() % (count + 2)) - 1; // -1: none
        std::string text = random() % 2 == 0 ? "-" : "";
        for (int d = 0; d < count; ++d) {
            if (d == point)
                text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts)
        ASSERT_EQ(Lexed(text), Converted(text)) << text;
}

} // namespace
} // namespace fuzzy
