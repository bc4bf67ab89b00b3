// The heater controller on the interface model gives the component model's answers.

#include <gtest/gtest.h>

#include "examples/IHeaterController.hpp"

namespace fuzzy {
namespace {

TEST(IHeaterControllerTest, AnswersLikeTheComponentModelOverTheWholeGrid) {
    const std::string definition =
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy");
    THeaterController component(definition);
    TIHeaterController shared(definition);
    int fired = 0;
    for (int i = 0; i <= 20; ++i)
        for (int j = 0; j <= 16; ++j) {
            const double error = -12 + 24.0 * i / 20;
            const double rate = -2.5 + 5.0 * j / 16;
            const auto expected = component.Evaluate(error, rate);
            const auto actual = shared.Evaluate(error, rate);
            ASSERT_EQ(actual.has_value(), expected.has_value()) << error << " " << rate;
            if (expected) {
                ++fired;
                EXPECT_NEAR(*actual, *expected, 1e-9) << error << " " << rate;
            }
        }
    EXPECT_GT(fired, 300);
    EXPECT_THROW((void)shared.Evaluate(0, std::nan("")), EArgumentOutOfRangeException);
}

} // namespace
} // namespace fuzzy
