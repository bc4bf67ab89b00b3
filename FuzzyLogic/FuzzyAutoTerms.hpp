#pragma once
// The automatic terms a logic component gives a new variable, shared by both object models.

#include "FuzzyConsts/FuzzyTypes.hpp"

namespace fuzzy {

class TFuzzySet;

/// The names of the automatic terms, in the order they are made: "low", "medium", "high".
inline constexpr const char* AutoTermNames[] = {"low", "medium", "high"};

/// Gives Term, named after one of AutoTermNames, its shape over [Minimum, Maximum]: a
/// falling line for "low", a triangle peaking mid-range for "medium", a rising line for
/// "high"; its expression becomes its own name.
void ShapeAutoTerm(TFuzzySet& Term, TFzyFloat Minimum, TFzyFloat Maximum);

} // namespace fuzzy
