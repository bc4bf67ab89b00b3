// Identities and inheritance of the interface contracts, and the type query and
// reference counting they rely on, shown with a minimal object that implements only the
// copying contract.

#include <cstdint>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "FuzzyInterfaces/FuzzyInterfaces.hpp"

namespace fuzzy {
namespace {

struct InterfaceIdentity {
    TGUID Actual;
    const char* Expected;
};

TEST(FuzzyInterfaces, IdentifiersAreTheRegisteredOnes) {
    const InterfaceIdentity cases[] = {
        {IFuzzySet::IID, "{B5C057E4-FD60-4818-9641-B61A71B492CF}"},
        {IFuzzyVariable::IID, "{F749FF55-FFF4-4F92-9B6F-14568D174661}"},
        {IFuzzyParser::IID, "{7F0ED40B-4048-46BB-8EFB-DAB9532F6A54}"},
        {ICloneable::IID, "{2D42CCDB-D296-11D3-B9BB-00C04F8EDA5F}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Actual.ToString(), c.Expected);
}

// Sets and variables copy themselves through ICloneable; a parser is a plain interface.
static_assert(std::is_base_of_v<ICloneable, IFuzzySet>);
static_assert(std::is_base_of_v<ICloneable, IFuzzyVariable>);
static_assert(std::is_base_of_v<IInterface, IFuzzyParser>);
static_assert(!std::is_base_of_v<ICloneable, IFuzzyParser>);
static_assert(!std::is_base_of_v<IFuzzySet, IFuzzyVariable>);
static_assert(!std::is_base_of_v<IFuzzyVariable, IFuzzySet>);
// Objects are freed by their last release, never through an interface.
static_assert(!std::is_destructible_v<IFuzzySet> && !std::is_destructible_v<IFuzzyVariable> &&
              !std::is_destructible_v<IFuzzyParser>);

/// Copies nothing; counts the live instances so a test can see when one is freed.
class TCountedCloneable : public TInterfacedObject, public ICloneable {
public:
    static inline int LiveCount = 0;

    TCountedCloneable() { ++LiveCount; }
    ~TCountedCloneable() override { --LiveCount; }

    HRESULT QueryInterface(const TGUID& InterfaceID, void** Obj) override {
        return QueryInterfaces<IInterface, ICloneable>(this, InterfaceID, Obj);
    }
    void Assign(const TInterfacePtr<IInterface>&) override {}
    void Assign(const TPersistent*) override {}
    void AssignTo(TPersistent*) const override {}
    TInterfacePtr<IInterface> Clone() const override { return MakeInterfaced<TCountedCloneable>(); }
    bool Equals(const TInterfacePtr<IInterface>&) const override { return false; }
    std::int32_t GetTag() const override { return 0; }
    void SetTag(std::int32_t) override {}
};

class FuzzyInterfacesQuery : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(TCountedCloneable::LiveCount, 0); }
};

// A missing interface answers E_NOINTERFACE, clears the out reference and adds none; an
// implemented one answers S_OK with one more reference.
TEST_F(FuzzyInterfacesQuery, AnswersOnlyTheImplementedInterfaces) {
    const auto object = MakeInterfaced<TCountedCloneable>();
    for (const TGUID& iid : {IFuzzySet::IID, IFuzzyVariable::IID, IFuzzyParser::IID}) {
        void* out = object.Get();
        EXPECT_EQ(object->QueryInterface(iid, &out), static_cast<HRESULT>(0x80004002u));
        EXPECT_EQ(out, nullptr) << iid.ToString();
    }
    EXPECT_EQ(object->GetRefCount(), 1);
    TInterfacePtr<IFuzzyVariable> variable;
    EXPECT_FALSE(Supports<IFuzzySet>(object) || Supports(object, variable) || variable);

    void* out = nullptr;
    ASSERT_EQ(object->QueryInterface(ICloneable::IID, &out), S_OK);
    EXPECT_EQ(static_cast<ICloneable*>(out), static_cast<ICloneable*>(object.Get()));
    EXPECT_EQ(object->GetRefCount(), 2);
    TInterfacePtr<ICloneable>::Attach(static_cast<ICloneable*>(out)).Reset();
    EXPECT_EQ(object->GetRefCount(), 1);
}

TEST_F(FuzzyInterfacesQuery, LastReleaseFreesTheObject) {
    auto object = MakeInterfaced<TCountedCloneable>();
    TInterfacePtr<ICloneable> cloneable = Supports<ICloneable>(object);
    TInterfacePtr<IInterface> clone = cloneable->Clone();
    EXPECT_EQ(TCountedCloneable::LiveCount, 2);
    object.Reset();
    EXPECT_EQ(TCountedCloneable::LiveCount, 2) << "the ICloneable reference keeps it alive";
    cloneable.Reset();
    EXPECT_EQ(TCountedCloneable::LiveCount, 1);
    clone.Reset();
    EXPECT_EQ(TCountedCloneable::LiveCount, 0);
}

} // namespace
} // namespace fuzzy
