// Tokens carry what the lexer read or a value made while parsing; their value setters
// set the kind, their text form follows it.

#include <gtest/gtest.h>

#include "FuzzyInterfaces/FuzzySetIntf.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "platform/Exceptions.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using Type = TFuzzyStreamTokenType;

TInterfacePtr<IFuzzyStreamToken> MakeToken(Type Kind, const std::string& Text, double Number = 0) {
    auto token = MakeInterfaced<TFuzzyStreamToken>();
    token->SetDataType(static_cast<int>(Kind));
    token->SetText(Text);
    token->SetNumber(Number);
    return token;
}

TInterfacePtr<IFuzzyStreamTokenList>
MakeList(std::initializer_list<TInterfacePtr<IFuzzyStreamToken>> Tokens) {
    auto list = MakeInterfaced<TFuzzyStreamTokenList>();
    for (const auto& token : Tokens)
        list->Add(token);
    return list;
}

TEST(FuzzyStreamToken, ValueSettersSetTheKindAndTheTextFollowsIt) {
    std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
    set->SetExpression("very cold");
    auto token = MakeToken(Type::fstAtom, "x");
    const TInterfacePtr<IFuzzyStreamTokenList> list = MakeList({MakeToken(Type::fstAtom, "a")});

    token->SetList(list);
    EXPECT_EQ(token->GetDataType(), static_cast<int>(Type::fstList));
    EXPECT_EQ(token->GetList(), list);
    EXPECT_EQ(token->ToString(), "(a)");
    token->SetIntfValue(TInterfacePtr<IInterface>(list));
    EXPECT_EQ(token->ToString(), "<interface>");
    EXPECT_EQ(token->GetList(), list); // still a list behind the interface
    token->SetFuzzySet(set.get());
    EXPECT_EQ(token->ToString(), "very cold");
    EXPECT_EQ(token->GetFuzzySet(), set.get());
    token->SetObjValue(token->GetFuzzySet());
    EXPECT_EQ(token->ToString(), "<object>");
    EXPECT_EQ(token->GetFuzzySetIntf(), nullptr);
    token->SetList(nullptr);
    EXPECT_EQ(token->GetDataType(), static_cast<int>(Type::fstNone));
    token->SetFuzzySet(nullptr);
    EXPECT_EQ(token->GetDataType(), static_cast<int>(Type::fstNone));

    // Numbers without text show their shortest form.
    EXPECT_EQ(MakeToken(Type::fstInteger, "", 12)->ToString(), "12");
    EXPECT_EQ(MakeToken(Type::fstFloat, "", 150)->ToString(), "150");
    EXPECT_EQ(MakeToken(Type::fstFloat, "", 0.1)->ToString(), "0.1");
    EXPECT_EQ(MakeToken(Type::fstString, "", 3)->ToString(), ""); // no number kind
    EXPECT_EQ(
        MakeList({MakeToken(Type::fstAtom, "tri"), MakeToken(Type::fstInteger, "", 1)})->ToString(),
        "(tri 1)");
}

TEST(FuzzyStreamToken, ClonesAreEqualAndIndependent) {
    std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
    auto token = MakeToken(Type::fstFloat, "", 2.5);
    token->SetLineNumber(7);
    const auto copy = Supports<IFuzzyStreamToken>(token->Clone());
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->Equals(TInterfacePtr<IInterface>(token)));
    EXPECT_EQ(copy->GetLineNumber(), 7);
    copy->SetFuzzySet(set.get());
    EXPECT_FALSE(copy->Equals(TInterfacePtr<IInterface>(token)));
    EXPECT_EQ(token->GetDataType(), static_cast<int>(Type::fstFloat));
    EXPECT_THROW(token->Assign(static_cast<const TPersistent*>(set.get())), EConvertError);
}

TEST(FuzzyStreamTokenList, NarrowsTheBaseListAndChecksIndexes) {
    auto a = MakeToken(Type::fstAtom, "a");
    auto list = MakeList({a, MakeToken(Type::fstAtom, "b")});
    EXPECT_EQ(list->First(), a);
    EXPECT_EQ(list->IndexOf(a), 0);
    EXPECT_TRUE(
        list->Equals(MakeList({MakeToken(Type::fstAtom, "a"), MakeToken(Type::fstAtom, "b")})));
    list->PutBaseStreamToken(1, MakeInterfaced<TBaseStreamToken>());
    EXPECT_EQ(list->Get(1), nullptr); // a foreign token is no definition-language token
    EXPECT_EQ(list->Remove(a), 0);
    EXPECT_RAISES((void)list->Get(5), EListError, "List index out of bounds (5)");
    list->Append(list); // appending to itself doubles it once
    EXPECT_EQ(list->GetCount(), 2);
}

} // namespace
} // namespace fuzzy
