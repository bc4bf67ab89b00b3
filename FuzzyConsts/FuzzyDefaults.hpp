#pragma once
// The settings a logic component starts with, which its sets also assume when they belong
// to no component, and the axis of a set without a variable. Defined once here, so that a
// component, a free set and the stored form of a component never disagree.

#include "FuzzyConsts/FuzzyTypes.hpp"

namespace fuzzy {

/// Points of a generated curve.
inline constexpr int DefaultNumFunctionValues = 7;
/// The degree a rule's premises must reach for the rule to fire.
inline constexpr TFzyFloat DefaultThreshold = 0.01;
inline constexpr TFuzzyCorrelationMethod DefaultCorrelationMethod =
    TFuzzyCorrelationMethod::fcmMinimum;
inline constexpr TFuzzyInferenceMethod DefaultInferenceMethod = TFuzzyInferenceMethod::fimMinMax;
inline constexpr TDefuzzificationMethod DefaultDefuzzificationMethod =
    TDefuzzificationMethod::dmCenterOfGravity;
/// The widest axis, for a set without a variable: the bounds of a 32-bit integer, as hosts
/// store ranges.
inline constexpr TFzyFloat DefaultXMaximum = 2147483647.0;

} // namespace fuzzy
