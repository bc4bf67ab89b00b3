#pragma once
// Helpers shared by the membership-function tests: building point lists from literals
// and reading them back.

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyLogic/FuzzySet.hpp"

namespace fuzzy::test {

using TPoints = std::vector<std::pair<TFzyFloat, TFzyFloat>>;

/// Loads the points inside one update bracket, so they are cleaned once, as a host would.
inline void Load(TFuzzySetValues& Values, const TPoints& Points) {
    TUpdateGuard guard(Values);
    for (const auto& [x, y] : Points)
        Values.Add(x, y);
}

inline TPoints PointsOf(const TFuzzySetValues& Values) {
    TPoints points;
    for (const TFuzzySetValue* point : Values)
        points.emplace_back(point->GetX(), point->GetY());
    return points;
}

/// Compares point lists coordinate by coordinate within Tolerance.
inline void ExpectPoints(const TPoints& Actual, const TPoints& Expected,
                         TFzyFloat Tolerance = 1e-9) {
    ASSERT_EQ(Actual.size(), Expected.size());
    for (std::size_t i = 0; i < Actual.size(); ++i) {
        EXPECT_NEAR(Actual[i].first, Expected[i].first, Tolerance) << "X of point " << i;
        EXPECT_NEAR(Actual[i].second, Expected[i].second, Tolerance) << "Y of point " << i;
    }
}

/// A free set (owned by the caller) with the given points and name.
inline std::unique_ptr<TFuzzySet> MakeSet(const TPoints& Points, const std::string& Name = "") {
    std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
    set->SetName(Name);
    Load(*set->GetValues(), Points);
    return set;
}

/// A set on the axis [Minimum, Maximum], as if it belonged to a variable of that range.
class TRangedSet : public TFuzzySet {
public:
    static TRangedSet* Create(TFzyFloat Minimum, TFzyFloat Maximum) {
        auto set = std::unique_ptr<TRangedSet>(new TRangedSet());
        set->FMinimum = Minimum;
        set->FMaximum = Maximum;
        return Initialize(std::move(set), nullptr);
    }
    TFzyFloat GetXRange(int Index) const override {
        return Index == 1 ? FMinimum : (Index == 0 ? FMaximum : TFuzzySet::GetXRange(Index));
    }
    TFuzzyLogicSettings GetLogicSettings() const override { return Settings; }

    /// What a logic component over the set's variable would say.
    TFuzzyLogicSettings Settings;

private:
    TRangedSet() = default;
    TFzyFloat FMinimum = 0;
    TFzyFloat FMaximum = 0;
};

inline std::unique_ptr<TRangedSet> MakeRangedSet(TFzyFloat Minimum, TFzyFloat Maximum,
                                                 const TPoints& Points) {
    std::unique_ptr<TRangedSet> set(TRangedSet::Create(Minimum, Maximum));
    Load(*set->GetValues(), Points);
    return set;
}

} // namespace fuzzy::test
