// The vocabularies of FLL, FCL and FIS. Every entry is a method the library computes the
// same way: "and-product" is the algebraic product, "or-product" the algebraic (or
// probabilistic) sum a + b - ab, "and-boundedsum" max(0, a + b - 1), "or-boundedsum"
// min(1, a + b), "or-sum" the unbounded a + b; the inference methods merge conclusions
// with the same union formulas (fimMinMax the maximum, fimProduct the algebraic sum,
// fimBoundedSum and fimAdditive the bounded and unbounded sums).

#include "FuzzyInterchange/detail/FormatNames.hpp"

#include <array>

#include "FuzzyConsts/FuzzyKeywords.hpp"

namespace fuzzy::interchange {

namespace {

using enum TFuzzyOperation;
using enum TFuzzyCorrelationMethod;
using enum TFuzzyInferenceMethod;
using enum TDefuzzificationMethod;

constexpr std::string_view And = FuzzyIntersectionKeywords[foZadeh];
constexpr std::string_view AndProduct = FuzzyIntersectionKeywords[foProduct];
constexpr std::string_view AndBounded = FuzzyIntersectionKeywords[foBoundedSum];
constexpr std::string_view Or = FuzzyUnionKeywords[foZadeh];
constexpr std::string_view OrProduct = FuzzyUnionKeywords[foProduct];
constexpr std::string_view OrBounded = FuzzyUnionKeywords[foBoundedSum];
constexpr std::string_view OrSum = FuzzyUnionKeywords[foSum];

constexpr std::array<TNamed<std::string_view>, 3> FllConjunctions{
    {{"Minimum", And}, {"AlgebraicProduct", AndProduct}, {"BoundedDifference", AndBounded}}};
constexpr std::array<TNamed<std::string_view>, 4> FllDisjunctions{{{"Maximum", Or},
                                                                   {"AlgebraicSum", OrProduct},
                                                                   {"BoundedSum", OrBounded},
                                                                   {"UnboundedSum", OrSum}}};
constexpr std::array<TNamed<TFuzzyCorrelationMethod>, 2> FllCorrelations{
    {{"Minimum", fcmMinimum}, {"AlgebraicProduct", fcmProduct}}};
constexpr std::array<TNamed<TFuzzyInferenceMethod>, 4> FllInferences{
    {{"Maximum", fimMinMax},
     {"AlgebraicSum", fimProduct},
     {"BoundedSum", fimBoundedSum},
     {"UnboundedSum", fimAdditive}}};
constexpr std::array<TNamed<TDefuzzificationMethod>, 2> FllDefuzzifications{
    {{"Centroid", dmCenterOfGravity}, {"MeanOfMaximum", dmMeanOfMaxima}}};

constexpr std::array<TNamed<std::string_view>, 3> FclConjunctions{
    {{"MIN", And}, {"PROD", AndProduct}, {"BDIF", AndBounded}}};
constexpr std::array<TNamed<std::string_view>, 4> FclDisjunctions{
    {{"MAX", Or}, {"ASUM", OrProduct}, {"BSUM", OrBounded}, {"SUM", OrSum}}};
constexpr std::array<TNamed<TFuzzyCorrelationMethod>, 2> FclCorrelations{
    {{"MIN", fcmMinimum}, {"PROD", fcmProduct}}};
constexpr std::array<TNamed<TFuzzyInferenceMethod>, 4> FclInferences{
    {{"MAX", fimMinMax}, {"ASUM", fimProduct}, {"BSUM", fimBoundedSum}, {"SUM", fimAdditive}}};
constexpr std::array<TNamed<TDefuzzificationMethod>, 2> FclDefuzzifications{
    {{"COG", dmCenterOfGravity}, {"MM", dmMeanOfMaxima}}};

constexpr std::array<TNamed<std::string_view>, 2> FisConjunctions{
    {{"min", And}, {"prod", AndProduct}}};
constexpr std::array<TNamed<std::string_view>, 2> FisDisjunctions{
    {{"max", Or}, {"probor", OrProduct}}};
constexpr std::array<TNamed<TFuzzyCorrelationMethod>, 2> FisCorrelations{
    {{"min", fcmMinimum}, {"prod", fcmProduct}}};
constexpr std::array<TNamed<TFuzzyInferenceMethod>, 3> FisInferences{
    {{"max", fimMinMax}, {"probor", fimProduct}, {"sum", fimAdditive}}};
constexpr std::array<TNamed<TDefuzzificationMethod>, 2> FisDefuzzifications{
    {{"centroid", dmCenterOfGravity}, {"mom", dmMeanOfMaxima}}};

} // namespace

const TFormatNames& FllNames() {
    static const TFormatNames names{"FLL",
                                    FllConjunctions,
                                    FllDisjunctions,
                                    FllCorrelations,
                                    FllInferences,
                                    FllDefuzzifications,
                                    true};
    return names;
}

const TFormatNames& FclNames() {
    static const TFormatNames names{"FCL",
                                    FclConjunctions,
                                    FclDisjunctions,
                                    FclCorrelations,
                                    FclInferences,
                                    FclDefuzzifications,
                                    false};
    return names;
}

const TFormatNames& FisNames() {
    static const TFormatNames names{"FIS",
                                    FisConjunctions,
                                    FisDisjunctions,
                                    FisCorrelations,
                                    FisInferences,
                                    FisDefuzzifications,
                                    false};
    return names;
}

} // namespace fuzzy::interchange
