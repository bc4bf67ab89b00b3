#include "FuzzyController/FuzzyExactCurves.hpp"

#include <algorithm>
#include <cmath>

#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "FuzzyLogic/kernels/FuzzyOperations.hpp"

namespace fuzzy::controller::exact {

namespace {

// One function's place in a merge of breakpoints: the index of its first point not yet
// passed. Beyond its last point the function is flat.
class TCursor {
public:
    explicit TCursor(TPoints Function) : FPoints(Function) {}

    bool Done() const { return FIndex >= FPoints.size(); }
    TFzyFloat NextX() const { return FPoints[FIndex].X; }
    /// The value just left of X, X at or before the next point.
    TFzyFloat LeftOf(TFzyFloat X) const {
        if (Done())
            return FPoints.back().Y;
        const TPoint& next = FPoints[FIndex];
        if (next.X == X || FIndex == 0)
            return next.Y;
        const TPoint& before = FPoints[FIndex - 1];
        return before.Y + (X - before.X) / (next.X - before.X) * (next.Y - before.Y);
    }
    /// Passes the points at X; the value just right of X.
    TFzyFloat PassRightOf(TFzyFloat X) {
        const TFzyFloat left = LeftOf(X);
        if (Done() || FPoints[FIndex].X != X)
            return left;
        while (FIndex < FPoints.size() && FPoints[FIndex].X == X)
            ++FIndex;
        return FPoints[FIndex - 1].Y;
    }

private:
    TPoints FPoints;
    std::size_t FIndex = 0;
};

// Where the straight pieces from (X0; A0, B0) to (X1; A1, B1) make the union bend: the
// difference that changes sign strictly between them, or false.
bool Bend(TFuzzyInferenceMethod Method, TFzyFloat A0, TFzyFloat B0, TFzyFloat A1, TFzyFloat B1,
          TFzyFloat& T) {
    TFzyFloat d0 = A0 - B0;
    TFzyFloat d1 = A1 - B1;
    if (Method == TFuzzyInferenceMethod::fimBoundedSum) {
        d0 = A0 + B0 - 1;
        d1 = A1 + B1 - 1;
    } else if (Method != TFuzzyInferenceMethod::fimMinMax &&
               Method != TFuzzyInferenceMethod::fimMean) {
        return false;
    }
    if (!((d0 < 0 && d1 > 0) || (d0 > 0 && d1 < 0)))
        return false;
    T = d0 / (d0 - d1);
    return true;
}

void AppendPoint(std::vector<TPoint>& Result, TFzyFloat X, TFzyFloat Y) {
    // Consecutive equal points say nothing more.
    if (!Result.empty() && Result.back().X == X && Result.back().Y == Y)
        return;
    Result.push_back({X, Y});
}

} // namespace

void AsFunction(TPoints Term, const TAxis& Axis, std::vector<TPoint>& Function) {
    Function.clear();
    if (Term.empty()) {
        Function.push_back({Axis.Minimum, 0});
        Function.push_back({Axis.Maximum, 0});
        return;
    }
    if (Term.front().X > Axis.Minimum)
        Function.push_back({Axis.Minimum, Term.front().Y});
    for (std::size_t i = 0; i < Term.size(); ++i) {
        const bool inside = i > 0 && i + 1 < Term.size() && Term[i - 1].X == Term[i].X &&
                            Term[i + 1].X == Term[i].X;
        if (!inside)
            AppendPoint(Function, Term[i].X, Term[i].Y);
    }
    if (Term.back().X < Axis.Maximum)
        Function.push_back({Axis.Maximum, Term.back().Y});
}

void Clip(TPoints Function, TFzyFloat Level, std::vector<TPoint>& Result) {
    Result.clear();
    for (std::size_t i = 0; i < Function.size(); ++i) {
        const TPoint& point = Function[i];
        if (i > 0) {
            const TPoint& before = Function[i - 1];
            if (before.X != point.X &&
                ((before.Y < Level && point.Y > Level) || (before.Y > Level && point.Y < Level)))
                Result.push_back(
                    {InterpolateX(before.X, before.Y, point.X, point.Y, Level), Level});
        }
        Result.push_back({point.X, std::min(point.Y, Level)});
    }
}

void Scale(TPoints Function, TFzyFloat Factor, std::vector<TPoint>& Result) {
    Result.clear();
    for (const TPoint& point : Function)
        Result.push_back({point.X, point.Y * Factor});
}

void Unite(TFuzzyInferenceMethod Method, TPoints A, TPoints B, std::vector<TPoint>& Result) {
    Result.clear();
    const degrees::TFormula formula = degrees::UnionFormula(kernels::InferenceOperation(Method));
    TCursor a(A);
    TCursor b(B);
    TFzyFloat x = std::min(a.NextX(), b.NextX());
    while (true) {
        AppendPoint(Result, x, formula(a.LeftOf(x), b.LeftOf(x)));
        const TFzyFloat rightA = a.PassRightOf(x);
        const TFzyFloat rightB = b.PassRightOf(x);
        AppendPoint(Result, x, formula(rightA, rightB));
        if (a.Done() && b.Done())
            break;
        const TFzyFloat next = a.Done()   ? b.NextX()
                               : b.Done() ? a.NextX()
                                          : std::min(a.NextX(), b.NextX());
        const TFzyFloat nextA = a.LeftOf(next);
        const TFzyFloat nextB = b.LeftOf(next);
        TFzyFloat t = 0;
        if (Bend(Method, rightA, rightB, nextA, nextB, t))
            AppendPoint(Result, x + t * (next - x),
                        formula(rightA + t * (nextA - rightA), rightB + t * (nextB - rightB)));
        x = next;
    }
}

TFzyFloat CenterOfGravity(TPoints Function) {
    TFzyFloat area = 0;
    TFzyFloat moment = 0;
    for (std::size_t i = 1; i < Function.size(); ++i) {
        const TPoint& p = Function[i - 1];
        const TPoint& q = Function[i];
        const TFzyFloat dx = q.X - p.X;
        area += dx * (p.Y + q.Y) / 2;
        moment += dx * (p.X * (2 * p.Y + q.Y) + q.X * (p.Y + 2 * q.Y)) / 6;
    }
    if (area == 0)
        return (Function.front().X + Function.back().X) / 2;
    return moment / area;
}

TFzyFloat MeanOfMaxima(TPoints Function) {
    TFzyFloat highest = 0;
    for (const TPoint& point : Function)
        highest = std::max(highest, point.Y);
    TFzyFloat length = 0;
    TFzyFloat moment = 0;
    for (std::size_t i = 1; i < Function.size(); ++i) {
        const TPoint& p = Function[i - 1];
        const TPoint& q = Function[i];
        if (p.Y == highest && q.Y == highest) {
            length += q.X - p.X;
            moment += (q.X - p.X) * (p.X + q.X) / 2;
        }
    }
    if (length > 0)
        return moment / length;
    TFzyFloat sum = 0;
    int count = 0;
    for (std::size_t i = 0; i < Function.size(); ++i)
        if (Function[i].Y == highest && (i == 0 || Function[i - 1].X != Function[i].X)) {
            sum += Function[i].X;
            ++count;
        }
    return sum / count;
}

} // namespace fuzzy::controller::exact
