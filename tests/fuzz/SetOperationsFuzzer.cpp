// Fuzzes every operation on two random point lists and checks each result against what
// the operation promises: Zadeh union and intersection are the maximum and minimum of the
// two memberships, the other linear families their formulas, cuts and correlations clip
// or scale, hedges and modifiers leave finite points inside the axis, and so on.
// The input bytes give the axis, the two point lists and the levels of cuts and modifiers,
// on a coarse grid (X in steps of 1/8, Y of 1/16): shared breakpoints, vertical lines and
// flat runs are common, and no two segments are parallel only within the tolerance.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "tests/fuzz/FuzzReport.hpp"

namespace fuzzy::fuzz {
namespace {

using TMembership = std::function<TFzyFloat(TFzyFloat X)>;

// Exact arithmetic on the grid leaves only rounding in crossings.
constexpr TFzyFloat Tolerance = 1e-9;
// Unions, intersections and inference clean their results up within the library's
// tolerance (a horizontal run agreeing within it keeps its ends only, points closer than it
// in X make a vertical line): such results are exact to it in X or in Y, not to the rounding.
constexpr TFzyFloat CleanupTolerance = FuzzyEpsilon;
// Samples beside a breakpoint: far from it compared with the tolerance, close for the grid.
constexpr TFzyFloat Beside = 1.0 / 64;

std::string PointsText(const TFuzzySet& Set) {
    std::string text = "(";
    for (const TFuzzySetValue* point : *Set.GetValues())
        text += "(" + Number(point->GetX()) + " " + Number(point->GetY()) + ")";
    return text + ")";
}

bool HasVerticalLineAt(const TFuzzySet& Set, TFzyFloat X) {
    const TFuzzySetValues& values = *Set.GetValues();
    for (int i = 1; i < values.GetCount(); ++i)
        if (std::fabs(values[i]->GetX() - X) <= Beside / 2 &&
            std::fabs(values[i - 1]->GetX() - X) <= Beside / 2)
            return true;
    return false;
}

TFzyFloat HighestY(const TFuzzySet& Set) {
    TFzyFloat highest = 0;
    for (const TFuzzySetValue* point : *Set.GetValues())
        highest = std::max(highest, point->GetY());
    return highest;
}

/// The two operands on one variable's axis, and where their memberships are compared.
class TOperands {
public:
    explicit TOperands(FuzzedDataProvider& Data) {
        // Set the maximum first: a minimum above the old maximum would drag it along.
        const TFzyFloat minimum = Data.ConsumeIntegralInRange(-48, 16) / 8.0;
        FVariable->SetMaximum(minimum + Data.ConsumeIntegralInRange(8, 288) / 8.0);
        FVariable->SetMinimum(minimum);
        A = ReadSet(Data, "a");
        B = ReadSet(Data, "b");
        Level = Data.ConsumeIntegralInRange(0, 16) / 16.0;
        Context() = "axis [" + Number(Minimum()) + ", " + Number(Maximum()) +
                    "]\na = " + PointsText(*A) + "\nb = " + PointsText(*B) +
                    "\nlevel = " + Number(Level);
        CollectSamples();
        CheckWellFormed(*A, "a as loaded");
        CheckWellFormed(*B, "b as loaded");
    }

    TFzyFloat Minimum() const { return FVariable->GetMinimum(); }
    TFzyFloat Maximum() const { return FVariable->GetMaximum(); }
    /// Breakpoints of either set (off vertical lines), points beside them, midpoints
    /// between them and points beyond both ends; none when A has no points, since
    /// operations treat a set without points as no curve rather than as 0.
    const std::vector<TFzyFloat>& Samples() const { return FSamples; }
    bool BothHavePoints() const {
        return A->GetValues()->GetCount() > 0 && B->GetValues()->GetCount() > 0;
    }
    /// A copy of A, owned by the variable.
    TFuzzySet* CopyOfA() const { return A->Clone(); }
    /// Every point finite, inside the axis and in ascending X; every Y in [0, 1] unless the
    /// operation may leave it (sums, modifiers).
    void CheckWellFormed(const TFuzzySet& Result, const std::string& Name,
                         bool YWithinOne = true) const {
        const TFuzzySetValues& values = *Result.GetValues();
        for (int i = 0; i < values.GetCount(); ++i) {
            const TFzyFloat x = values[i]->GetX();
            const TFzyFloat y = values[i]->GetY();
            auto fail = [&](const std::string& What) {
                Fail(Name + ": point " + std::to_string(i) + " (" + Number(x) + " " + Number(y) +
                     ") of " + PointsText(Result) + " " + What);
            };
            if (!std::isfinite(x) || !std::isfinite(y))
                fail("is not finite");
            if (x < Minimum() || x > Maximum())
                fail("lies outside the axis");
            if (y < 0 || (YWithinOne && y > 1 + Tolerance))
                fail("has a degree outside [0, 1]");
            if (i > 0 && x < values[i - 1]->GetX() - Tolerance)
                fail("comes before its predecessor");
        }
    }

    TFuzzySet* A = nullptr;
    TFuzzySet* B = nullptr;
    TFzyFloat Level = 0;

private:
    TFuzzySet* ReadSet(FuzzedDataProvider& Data, const std::string& Name) {
        TFuzzySet* set = TFuzzySet::Create(FVariable->GetItems());
        set->SetName(Name);
        const int count = Data.ConsumeIntegralInRange(0, 12);
        TUpdateGuard guard(*set->GetValues());
        for (int i = 0; i < count; ++i) {
            const TFzyFloat x = Data.ConsumeIntegralInRange(-64, 320) / 8.0;
            set->GetValues()->Add(x, Data.ConsumeIntegralInRange(0, 16) / 16.0);
        }
        return set;
    }

    void CollectSamples() {
        std::vector<TFzyFloat> breaks;
        for (const TFuzzySet* set : {A, B})
            for (const TFuzzySetValue* point : *set->GetValues())
                breaks.push_back(point->GetX());
        std::sort(breaks.begin(), breaks.end());
        if (A->GetValues()->GetCount() == 0)
            return;
        std::vector<TFzyFloat> candidates = {Minimum(), Maximum(), breaks.front() - 1,
                                             breaks.back() + 1};
        for (std::size_t i = 0; i < breaks.size(); ++i) {
            candidates.insert(candidates.end(),
                              {breaks[i], breaks[i] - Beside, breaks[i] + Beside});
            if (i + 1 < breaks.size())
                candidates.push_back((breaks[i] + breaks[i + 1]) / 2);
        }
        // On a vertical line the membership is the line's highest point, which the
        // operations do not all carry through; beside the line they must be exact.
        for (const TFzyFloat x : candidates)
            if (!HasVerticalLineAt(*A, x) && !HasVerticalLineAt(*B, x))
                FSamples.push_back(x);
    }

    std::unique_ptr<TFuzzyVariable> FVariable{TFuzzyVariable::Create(nullptr)};
    std::vector<TFzyFloat> FSamples;
};

/// True when Actual is within Window in Y of the expected curve somewhere within Window
/// in X of X (the curve sampled finely across that window).
bool NearTheCurve(const TMembership& Expected, TFzyFloat X, TFzyFloat Actual, TFzyFloat Window) {
    constexpr int Steps = 16;
    TFzyFloat lowest = INFINITY;
    TFzyFloat highest = -INFINITY;
    for (int k = 0; k <= Steps; ++k) {
        const TFzyFloat y = Expected(X - Window + 2 * Window * k / Steps);
        lowest = std::min(lowest, y);
        highest = std::max(highest, y);
    }
    return Actual >= lowest - Window && Actual <= highest + Window;
}

/// The result's membership against Expected at every sample: to the rounding, or with
/// Window > 0 to within Window in X or in Y.
void CheckMembership(const TOperands& Operands, const TFuzzySet& Result, const std::string& Name,
                     const TMembership& Expected, TFzyFloat Window = 0) {
    for (const TFzyFloat x : Operands.Samples()) {
        const TFzyFloat expected = Expected(x);
        const TFzyFloat actual = Result.DegreeOfMembership(x);
        if (!(std::fabs(actual - expected) <= Tolerance) &&
            !(Window > 0 && NearTheCurve(Expected, x, actual, Window)))
            Fail(Name + " at X = " + Number(x) + ": " + Number(actual) + " instead of " +
                 Number(expected) + "\nresult = " + PointsText(Result));
    }
}

TMembership Of(const TFuzzySet* Set) {
    return [Set](TFzyFloat X) { return Set->DegreeOfMembership(X); };
}

void CheckUnionsAndIntersections(const TOperands& Operands) {
    const TMembership a = Of(Operands.A);
    const TMembership b = Of(Operands.B);
    for (int family = 0; family <= static_cast<int>(TFuzzyOperation::foSum); ++family) {
        const auto operation = static_cast<TFuzzyOperation>(family);
        const std::string name = GetEnumName(operation);
        const TFuzzySet* united = Operands.A->Union(Operands.B, operation);
        Operands.CheckWellFormed(*united, "union " + name, operation != TFuzzyOperation::foSum);
        if (operation == TFuzzyOperation::foSum)
            continue; // intersections have no sum
        const TFuzzySet* intersected = Operands.A->Intersection(Operands.B, operation);
        Operands.CheckWellFormed(*intersected, "intersection " + name);
        if (!Operands.BothHavePoints())
            continue; // the result is a copy of the set with points
        if (operation == TFuzzyOperation::foZadeh) {
            CheckMembership(
                Operands, *united, "union " + name,
                [&](TFzyFloat X) { return std::max(a(X), b(X)); }, CleanupTolerance);
            CheckMembership(Operands, *Operands.B->Union(Operands.A, operation),
                            "union " + name + " with the operands swapped", Of(united),
                            2 * CleanupTolerance);
            CheckMembership(
                Operands, *intersected, "intersection " + name,
                [&](TFzyFloat X) { return std::min(a(X), b(X)); }, CleanupTolerance);
        } else if (operation == TFuzzyOperation::foMean) {
            // Linear between the walk's events, so exact everywhere.
            CheckMembership(
                Operands, *united, "union " + name,
                [&](TFzyFloat X) {
                    return (2 * std::min(a(X), b(X)) + 4 * std::max(a(X), b(X))) / 6;
                },
                CleanupTolerance);
            CheckMembership(
                Operands, *intersected, "intersection " + name,
                [&](TFzyFloat X) { return (a(X) + b(X)) / 2; }, CleanupTolerance);
        }
    }
}

void CheckInference(const TOperands& Operands) {
    const TMembership a = Of(Operands.A);
    const TMembership b = Of(Operands.B);
    for (int index = 0; index <= static_cast<int>(TFuzzyInferenceMethod::fimBoundedSum); ++index) {
        const auto method = static_cast<TFuzzyInferenceMethod>(index);
        const std::string name = "inference " + GetEnumName(method);
        const bool additive = method == TFuzzyInferenceMethod::fimAdditive;
        const TFuzzySet* conditional = Operands.A->Infer(Operands.B, method, false);
        Operands.CheckWellFormed(*conditional, name, !additive);
        if (additive)
            continue; // an unconditional sum would be an intersection by sum, which is refused
        const TFuzzySet* unconditional = Operands.A->Infer(Operands.B, method, true);
        Operands.CheckWellFormed(*unconditional, "unconditional " + name);
        if (method == TFuzzyInferenceMethod::fimMinMax && Operands.BothHavePoints()) {
            CheckMembership(
                Operands, *conditional, name, [&](TFzyFloat X) { return std::max(a(X), b(X)); },
                CleanupTolerance);
            CheckMembership(
                Operands, *unconditional, "unconditional " + name,
                [&](TFzyFloat X) { return std::min(a(X), b(X)); }, CleanupTolerance);
        }
    }
}

/// The walk reports its events in ascending X, each on both curves.
void CheckWalk(const TOperands& Operands) {
    if (!Operands.BothHavePoints())
        return; // the walk then reports the points of one set against themselves
    TFzyFloat previous = -INFINITY;
    Operands.A->Iterate(Operands.B, [&](TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2) {
        const std::string event = "walk event (" + Number(X1) + " " + Number(Y1) + ") (" +
                                  Number(X2) + " " + Number(Y2) + ")";
        if (X1 < previous - Tolerance)
            Fail(event + " comes after X = " + Number(previous));
        previous = X1;
        if (!HasVerticalLineAt(*Operands.A, X1) &&
            !(std::fabs(Operands.A->DegreeOfMembership(X1) - Y1) <= Tolerance))
            Fail(event + " is not on the first curve");
        if (!HasVerticalLineAt(*Operands.B, X2) &&
            !(std::fabs(Operands.B->DegreeOfMembership(X2) - Y2) <= Tolerance))
            Fail(event + " is not on the second curve");
        return false;
    });
    const TFzyFloat strength = Operands.A->GetCorrelationStrength(Operands.B);
    for (const TFzyFloat x : Operands.Samples()) {
        const TFzyFloat both =
            std::min(Operands.A->DegreeOfMembership(x), Operands.B->DegreeOfMembership(x));
        if (!(strength >= both - Tolerance))
            Fail("correlation strength " + Number(strength) + " below the common degree " +
                 Number(both) + " at X = " + Number(x));
    }
}

bool IsApproximation(TFuzzyHedge Hedge) {
    return Hedge >= TFuzzyHedge::fhAbout && Hedge <= TFuzzyHedge::fhNeighboring;
}

void CheckHedges(const TOperands& Operands) {
    const bool empty = Operands.A->GetValues()->GetCount() == 0;
    for (int index = 0; index <= static_cast<int>(TFuzzyHedge::fhGenerally); ++index) {
        const auto hedge = static_cast<TFuzzyHedge>(index);
        const std::string name = "hedge " + GetEnumName(hedge);
        TFuzzySet* hedged = Operands.CopyOfA();
        try {
            hedged->Hedge(hedge);
        } catch (const EListError&) {
            if (empty && IsApproximation(hedge))
                continue; // refused on a set without points, as documented
            throw;
        }
        Operands.CheckWellFormed(*hedged, name);
        if (hedge == TFuzzyHedge::fhNot)
            CheckMembership(Operands, *hedged, name,
                            [&](TFzyFloat X) { return 1 - Operands.A->DegreeOfMembership(X); });
        if (IsApproximation(hedge) && HighestY(*Operands.A) > 0 &&
            !(std::fabs(HighestY(*hedged) - 1) <= Tolerance))
            Fail(name + " lost the curve: " + PointsText(*hedged));
    }
}

void CheckModifiers(const TOperands& Operands) {
    static const TFzyFloat values[] = {0.5, 2, -0.75, 3.25};
    for (int index = 0; index <= static_cast<int>(TBaseFuzzyHedge::bfhCutGreaterEq); ++index) {
        const auto modifier = static_cast<TBaseFuzzyHedge>(index);
        for (const bool modifyY : {true, false})
            for (const TFzyFloat value : values) {
                TFuzzySet* modified = Operands.CopyOfA();
                modified->Hedge(modifier, value, modifyY);
                Operands.CheckWellFormed(*modified,
                                         "modifier " + GetEnumName(modifier) +
                                             (modifyY ? " Y " : " X ") + Number(value),
                                         false);
            }
    }
}

void CheckAlphaCut(const TOperands& Operands, bool Strong) {
    const TFzyFloat level = Operands.Level;
    const TFuzzySet* alpha = Operands.A->AlphaCutoff(level, Strong);
    const std::string name = Strong ? "strong alpha cut" : "alpha cut";
    Operands.CheckWellFormed(*alpha, name);
    CheckMembership(Operands, *alpha, name, [&](TFzyFloat X) {
        const TFzyFloat degree = Operands.A->DegreeOfMembership(X);
        if (std::fabs(degree - level) <= Beside) // too close to the edge to tell the side
            return alpha->DegreeOfMembership(X);
        return degree > level ? degree : 0;
    });
}

void CheckCuts(const TOperands& Operands) {
    const TFzyFloat level = Operands.Level;
    // A set without points has no first point to cut from: only the cuts that keep
    // everything or nothing work on it; the others fail reading that point, as documented.
    const bool empty = Operands.A->GetValues()->GetCount() == 0;
    if (!empty || level == 1) {
        const TFuzzySet* clipped = Operands.A->Cutoff(level, false);
        Operands.CheckWellFormed(*clipped, "clipping cut");
        if (!empty)
            CheckMembership(Operands, *clipped, "clipping cut", [&](TFzyFloat X) {
                return std::min(Operands.A->DegreeOfMembership(X), level);
            });
    }
    if (!empty || level == 0)
        Operands.CheckWellFormed(*Operands.A->Cutoff(level, true), "cut below");
    if (!empty)
        CheckAlphaCut(Operands, false);
    if (!empty || level == 0 || level == 1)
        CheckAlphaCut(Operands, true);
}

void CheckCorrelation(const TOperands& Operands) {
    const TFzyFloat level = Operands.Level;
    const TMembership a = Of(Operands.A);
    // Correlation moves points only: every Y above the strength comes down to it, so the
    // curve is clipped exactly at the set's own breakpoints and lies nowhere above the clip.
    TFuzzySet* minimum = Operands.CopyOfA();
    minimum->Correlate(level, TFuzzyCorrelationMethod::fcmMinimum);
    Operands.CheckWellFormed(*minimum, "correlation by minimum");
    for (const TFuzzySetValue* point : *Operands.A->GetValues()) {
        const TFzyFloat x = point->GetX();
        const TFzyFloat actual = minimum->DegreeOfMembership(x);
        if (!HasVerticalLineAt(*Operands.A, x) &&
            !(std::fabs(actual - std::min(a(x), level)) <= Tolerance))
            Fail("correlation by minimum at X = " + Number(x) + ": " + Number(actual) +
                 "\nresult = " + PointsText(*minimum));
    }
    for (const TFzyFloat x : Operands.Samples())
        if (!(minimum->DegreeOfMembership(x) <= std::min(a(x), level) + Tolerance))
            Fail("correlation by minimum rises above the clip at X = " + Number(x) +
                 "\nresult = " + PointsText(*minimum));
    TFuzzySet* product = Operands.CopyOfA();
    product->Correlate(level, TFuzzyCorrelationMethod::fcmProduct);
    CheckMembership(Operands, *product, "correlation by product",
                    [&](TFzyFloat X) { return a(X) * level; });
}

/// The centre of gravity worked out independently: the area and moment of each piece,
/// the curve continuing flat from its ends to the axis bounds.
void CheckDefuzzification(const TOperands& Operands) {
    const TFuzzySet& set = *Operands.A;
    const TFuzzySetValues& values = *set.GetValues();
    if (values.GetCount() == 0)
        return;
    std::vector<std::pair<TFzyFloat, TFzyFloat>> outline = {
        {Operands.Minimum(), values[0]->GetY()}};
    for (const TFuzzySetValue* point : values)
        outline.emplace_back(point->GetX(), point->GetY());
    outline.emplace_back(Operands.Maximum(), values[values.GetCount() - 1]->GetY());
    TFzyFloat area = 0;
    TFzyFloat moment = 0;
    for (std::size_t i = 1; i < outline.size(); ++i) {
        const auto [x0, y0] = outline[i - 1];
        const auto [x1, y1] = outline[i];
        const TFzyFloat width = x1 - x0;
        area += width * (y0 + y1) / 2;
        moment += width * (x0 * (2 * y0 + y1) + x1 * (y0 + 2 * y1)) / 6;
    }
    const TFzyFloat gravity = set.CenterOfGravity();
    const bool spread = values[values.GetCount() - 1]->GetX() - values[0]->GetX() > FuzzyEpsilon;
    if (spread && area > Tolerance &&
        !(std::fabs(gravity - moment / area) <= 1e-6 * (Operands.Maximum() - Operands.Minimum())))
        Fail("centre of gravity " + Number(gravity) + " instead of " + Number(moment / area));
    const TFzyFloat maxima = set.MeanOfMaxima();
    if (!(maxima >= values[0]->GetX() && maxima <= values[values.GetCount() - 1]->GetX()))
        Fail("mean of maxima " + Number(maxima) + " outside the points");
}

/// Operations that must leave the curve as it is.
void CheckCurveKept(const TOperands& Operands) {
    const TMembership a = Of(Operands.A);
    const TFuzzySet* copy = Operands.CopyOfA();
    if (PointsText(*copy) != PointsText(*Operands.A))
        Fail("clone has other points: " + PointsText(*copy));
    // Equals asks whether both curves reach the threshold together somewhere.
    if (HighestY(*Operands.A) >= 1.0 / 16 && !Operands.A->Equals(copy))
        Fail("a set does not equal its clone");
    for (const bool onAGrid : {false, true}) {
        TFuzzySet* expanded = Operands.CopyOfA();
        TFuzzySetValues& values = *expanded->GetValues();
        onAGrid ? values.ExpandSimple(values.GetCount() + 5) : values.Expand(values.GetCount() + 5);
        const std::string name = onAGrid ? "expand on a grid" : "expand";
        Operands.CheckWellFormed(*expanded, name);
        CheckMembership(Operands, *expanded, name, a);
    }
    const TFzyFloat highest = HighestY(*Operands.A);
    if (highest > 0) {
        TFuzzySet* normalized = Operands.CopyOfA();
        normalized->Normalize();
        CheckMembership(Operands, *normalized, "normalize",
                        [&](TFzyFloat X) { return a(X) / highest; });
    }
}

} // namespace
} // namespace fuzzy::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace fuzzy::fuzz;
    return RunChecks(Data, Size, [&] {
        FuzzedDataProvider data(Data, Size);
        const TOperands operands(data);
        using TCheck = void (*)(const TOperands&);
        static const std::pair<const char*, TCheck> checks[] = {
            {"unions and intersections", CheckUnionsAndIntersections},
            {"inference", CheckInference},
            {"walk", CheckWalk},
            {"hedges", CheckHedges},
            {"modifiers", CheckModifiers},
            {"cuts", CheckCuts},
            {"correlation", CheckCorrelation},
            {"defuzzification", CheckDefuzzification},
            {"operations that keep the curve", CheckCurveKept}};
        for (const auto& [name, check] : checks) {
            try {
                check(operands);
            } catch (const fuzzy::Exception& error) {
                Fail(std::string(name) + " raised \"" + error.what() + "\"");
            }
        }
    });
}
