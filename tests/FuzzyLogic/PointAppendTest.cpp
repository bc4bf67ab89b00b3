// Appending many points at once leaves a point list exactly as adding them one by one does:
// the same points after the clean-up, in a set's axis or in a free list, inside an update
// bracket or not, and the same error with the same points kept for a coordinate that is NaN.

#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "support/PointListHelpers.hpp"

namespace fuzzy::test {
namespace {

constexpr TFzyFloat NaN = std::numeric_limits<TFzyFloat>::quiet_NaN();

struct TAppendCase {
    std::string Name;
    std::vector<kernels::TPoint> Points;
    friend void PrintTo(const TAppendCase& Case, std::ostream* Out) { *Out << Case.Name; }
};

// What a caller sees of a list filled one way or the other: its points, and the error the
// filling raised, if any.
struct TFilled {
    TPoints Points;
    std::string Error;
    friend bool operator==(const TFilled&, const TFilled&) = default;
};

template <class Fill>
TFilled FillOnce(TFuzzySetValues& Values, bool InBracket, Fill&& FillPoints) {
    TFilled filled;
    try {
        if (InBracket) {
            TUpdateGuard guard(Values);
            FillPoints(Values);
        } else {
            FillPoints(Values);
        }
    } catch (const Exception& error) {
        filled.Error = error.what();
    }
    filled.Points = PointsOf(Values);
    return filled;
}

class PointAppend : public ::testing::TestWithParam<TAppendCase> {};

TEST_P(PointAppend, LeavesTheListAsAddingOneByOne) {
    const std::vector<kernels::TPoint>& points = GetParam().Points;
    auto oneByOne = [&](TFuzzySetValues& Values) {
        for (const kernels::TPoint& point : points)
            Values.Add(point.X, point.Y);
    };
    auto atOnce = [&](TFuzzySetValues& Values) { Values.AppendPoints(points); };
    // A list that already holds points, a set on a narrow axis, and a free list.
    const auto lists = [] {
        std::vector<std::unique_ptr<TFuzzySet>> sets;
        sets.push_back(MakeSet({{-1, 0.5}}));
        sets.push_back(MakeRangedSet(0, 10, {}));
        return sets;
    };
    for (const bool inBracket : {true, false}) {
        auto expectedSets = lists();
        auto actualSets = lists();
        for (std::size_t i = 0; i < expectedSets.size(); ++i)
            EXPECT_EQ(FillOnce(*actualSets[i]->GetValues(), inBracket, atOnce),
                      FillOnce(*expectedSets[i]->GetValues(), inBracket, oneByOne))
                << "list " << i << (inBracket ? " in a bracket" : " point by point");
        TFuzzySetValues freeExpected(nullptr);
        TFuzzySetValues freeActual(nullptr);
        EXPECT_EQ(FillOnce(freeActual, inBracket, atOnce),
                  FillOnce(freeExpected, inBracket, oneByOne));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PointAppend,
    ::testing::Values(TAppendCase{"Ordered", {{0, 0}, {2, 1}, {4, 0.5}, {8, 0}}},
                      TAppendCase{"OutOfOrder", {{5, 0.5}, {1, 1}, {3, 0}, {2, 0.25}}},
                      TAppendCase{"EqualNeighbours", {{1, 0.5}, {1, 0.5}, {2, 0}, {2.00001, 0}}},
                      TAppendCase{"LongVerticalLine",
                                  {{3, 0}, {3, 1}, {3, 0.2}, {3, 0.8}, {3, 0.4}, {4, 0}}},
                      TAppendCase{"AtTheStartX", {{0, 0}, {1, 0}, {2, 0}}},
                      TAppendCase{"NegativeAndBeyondTheAxis", {{-20, -1}, {5, 2}, {40, -0.5}}},
                      TAppendCase{"FarFromZero", {{1e300, 1}, {1e300, 0}, {-1e300, 1}}},
                      TAppendCase{"NaNHalfWay", {{1, 1}, {NaN, 0.5}, {3, 0}}},
                      TAppendCase{"NaNInY", {{1, 1}, {2, NaN}}}),
    [](const ::testing::TestParamInfo<TAppendCase>& Info) { return Info.param.Name; });

} // namespace
} // namespace fuzzy::test
