// The text read so far, as an error quotes it, says every token as its ToString does: a
// number in its shortest exact form whatever way it was written, a long atom whole.

#include <string>

#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

using RecordedText = ParserFixture;

TEST_F(RecordedText, SaysNumbersInTheirShortestFormAndAtomsWhole) {
    EXPECT_EQ(ErrorOf("(deffuzzy an_atom_longer_than_a_short_string (range 1e20 0.50 "
                      "+7 x))"),
              "Parsing Error, Expected \")\" in ParseFuzzyVariable at line 1: \" ( deffuzzy "
              "an_atom_longer_than_a_short_string ( range 1e+20 0.5 7 \"");
}

} // namespace
} // namespace fuzzy::test
