#pragma once
// A long definition text of variables that use every term form, shared by the reading
// benchmark and by the test that pins down what reading it builds.

#include <cstddef>
#include <cstdio>
#include <string>

namespace fuzzy::test {

/// One variable using every term form; Index shifts its numbers, so that no two variables
/// are alike. The calls: (pi half-width centre), (pi left right centre), (beta half-width
/// centre inflection [weight]).
inline std::string CorpusVariableText(int Index) {
    const double a = 5 + Index % 7;
    const double b = 40 + Index % 11 + 0.25;
    const double c = 70 + Index % 13 + 0.5;
    char text[2048];
    std::snprintf(text, sizeof text,
                  "; variable %d, written as a person would\n"
                  "(deffuzzy speed%d \"a \\\"measured\\\" speed, number %d\" (range 0 100)\n"
                  "  (units \"metres per second \\\"avg\\\"\")\n"
                  "  (values\n"
                  "    (term points \"hand-drawn\" ((0 0) (%g 0.25) (%g 1) (%g 0.5) (100 0)))\n"
                  "    (term middle (tri %g %g %g))\n"
                  "    (term bell (pi %g %g))\n"
                  "    (term wide (pi %g %g %g))\n"
                  "    (term fast (s %g %g))\n"
                  "    (term slow (z %g %g))\n"
                  "    (term peak (beta %g %g 2.5))\n"
                  "    (term sharp (beta 3 %g 1.5 2))\n"
                  "    (term fairly very middle or somewhat bell)\n"
                  "    (term mixed not slow and-product [fast or-sum peak])\n"
                  "    (term half middle * 0.5)\n"
                  "    (term shifted [extremely points and wide] +X 2.5)\n"
                  "    (term anything [bell or [fast and not sharp]] ^ 2)))\n",
                  Index, Index, Index, a, b, c, a, b, c, a, b, a, c, b, b, c, a, b, a, b, c);
    return text;
}

/// Variables from the first up to about Size bytes.
inline std::string CorpusText(std::size_t Size) {
    std::string text;
    for (int i = 0; text.size() < Size; ++i)
        text += CorpusVariableText(i);
    return text;
}

} // namespace fuzzy::test
