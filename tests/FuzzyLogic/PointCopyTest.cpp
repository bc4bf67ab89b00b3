// Copying a point list into a set's list leaves it exactly as copying point by point does:
// the same points, to the sign of a zero, after the clamp into the set's axis and the
// clean-up of what the clamp makes equal or stacks on one vertical line.

#include <bit>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "support/PointListHelpers.hpp"

namespace fuzzy::test {
namespace {

// Points by their exact bits, so that -0 and +0 differ.
std::vector<std::pair<std::uint64_t, std::uint64_t>> BitsOf(const TFuzzySetValues& Values) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> bits;
    for (const auto& [x, y] : PointsOf(Values))
        bits.emplace_back(std::bit_cast<std::uint64_t>(x), std::bit_cast<std::uint64_t>(y));
    return bits;
}

// A free list holds what a set's list would not: Y below 0 or -0, kept as given by Assign.
std::unique_ptr<TFuzzySetValues> FreeList(const TPoints& Points) {
    auto values = std::make_unique<TFuzzySetValues>(nullptr);
    for (const auto& [x, y] : Points)
        values->Add()->SetValue(x, y);
    return values;
}

TEST(PointCopy, LeavesTheListAsCopyingPointByPoint) {
    const std::vector<TPoints> sources = {
        {{0, 0}, {2, 1}, {4, 0.5}, {8, 0}},
        {{-20, 0}, {-5, 1}, {-4, 0.5}, {5, 0.25}, {40, 1}},   // clamped onto the axis ends
        {{3, 0}, {3, 1}, {3, 0.2}, {3, 0.8}, {4, 0}, {4, 0}}, // a line and a pair to clean
        {{1, 0.5}, {2, -0.0}, {3, -1}},                       // signed Ys
        {},
    };
    // A set that already holds points, and sets on a narrow and on a wide axis.
    const auto targets = [] {
        std::vector<std::unique_ptr<TFuzzySet>> sets;
        sets.push_back(MakeSet({{-1, 0.5}, {7, 1}}));
        sets.push_back(MakeRangedSet(0, 10, {{5, 1}}));
        sets.push_back(MakeRangedSet(-100, 100, {}));
        return sets;
    };
    for (std::size_t s = 0; s < sources.size(); ++s) {
        const auto source = FreeList(sources[s]);
        auto expected = targets();
        auto actual = targets();
        for (std::size_t t = 0; t < expected.size(); ++t) {
            expected[t]->GetValues()->TCollection::Assign(source.get());
            actual[t]->GetValues()->Assign(source.get());
            EXPECT_EQ(BitsOf(*actual[t]->GetValues()), BitsOf(*expected[t]->GetValues()))
                << "source " << s << " into set " << t;
        }
    }
}

} // namespace
} // namespace fuzzy::test
