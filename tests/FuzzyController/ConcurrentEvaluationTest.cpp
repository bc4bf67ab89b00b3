// One compiled controller evaluated by four threads at once, each with its own scratch,
// gives every thread the answers one thread gets. CI also builds this test alone under
// ThreadSanitizer.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "examples/HeaterPlan.hpp"

namespace fuzzy::test {
namespace {

using controller::TCompiledController;
using controller::TControllerScratch;
using controller::TSemantics;

std::vector<double> Answers(const TCompiledController& Compiled,
                            const std::vector<std::vector<double>>& Inputs) {
    TControllerScratch scratch;
    std::vector<double> answers;
    for (const std::vector<double>& inputs : Inputs) {
        Compiled.Evaluate(inputs, scratch);
        answers.push_back(scratch.GetResults()[0].Fired ? scratch.GetResults()[0].Value : -1);
    }
    return answers;
}

TEST(ConcurrentEvaluation, FourThreadsGetTheAnswersOfOne) {
    const THeaterController heater(
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    std::vector<std::vector<double>> inputs;
    for (int e = 0; e <= 40; ++e)
        for (int r = 0; r <= 20; ++r)
            inputs.push_back({-11 + 22.0 * e / 40, -2.2 + 4.4 * r / 20});
    for (TSemantics semantics : {TSemantics::smLibrary, TSemantics::smTextbook}) {
        const TCompiledController compiled =
            TCompiledController::Compile(HeaterPlan(heater), semantics);
        const std::vector<double> alone = Answers(compiled, inputs);
        std::vector<std::vector<double>> together(4);
        std::vector<std::thread> threads;
        for (std::vector<double>& answers : together)
            threads.emplace_back([&] { answers = Answers(compiled, inputs); });
        for (std::thread& thread : threads)
            thread.join();
        for (const std::vector<double>& answers : together)
            EXPECT_EQ(answers, alone);
    }
}

} // namespace
} // namespace fuzzy::test
