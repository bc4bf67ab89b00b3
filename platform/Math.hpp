#pragma once
// Numeric helpers of the host framework and the common library.

namespace fuzzy {

/// True when A and B differ by no more than the tolerance (both bounds inclusive).
constexpr bool FloatEquals(double A, double B, double Tolerance) {
    return A - Tolerance <= B && A + Tolerance >= B;
}

} // namespace fuzzy
