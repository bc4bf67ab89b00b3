// The lexer makes the tokens it handed out new again once nobody holds them: whatever a
// reader stored in a token (a value, an object, a tag) must not come back with a later one.

#include <string>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicTokenStream.hpp"
#include "platform/Stream.hpp"

namespace fuzzy {
namespace {

TEST(TokenRingTest, ATokenTakenAgainKeepsNothingOfItsLastUse) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "w" + std::to_string(i) + (i % 3 == 0 ? " (x)\n" : " ");
    TKelStringStream source(text);
    TFuzzyLogicTokenStream tokens(&source, nullptr);
    TObject marker;
    int words = 0;
    for (auto token = tokens.NextToken();
         token->GetDataType() != static_cast<int>(TFuzzyStreamTokenType::fstNone);
         token = tokens.NextToken()) {
        EXPECT_EQ(token->GetTag(), 0);
        EXPECT_FALSE(token->GetIntfValue());
        EXPECT_EQ(token->GetObjValue(), nullptr);
        if (token->GetText().starts_with('w')) {
            EXPECT_EQ(token->GetText(), "w" + std::to_string(words));
            EXPECT_EQ(token->GetDataType(), static_cast<int>(TFuzzyStreamTokenType::fstAtom));
            ++words;
        }
        // What a reader leaves in a token it is done with.
        token->SetIntfValue(MakeInterfaced<TFuzzyStreamTokenList>());
        token->SetObjValue(&marker);
        token->SetTag(7);
    }
    EXPECT_EQ(words, 40);
}

} // namespace
} // namespace fuzzy
