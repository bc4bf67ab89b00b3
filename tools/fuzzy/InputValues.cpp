#include "InputValues.hpp"

#include <charconv>
#include <cmath>

#include "ToolErrors.hpp"
#include "platform/Strings.hpp"

namespace fuzzy::tool {

std::string NumberText(double Value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, Value);
    return {text, result.ptr};
}

namespace {

std::string Joined(const std::vector<std::string>& Names) {
    std::string text;
    for (const std::string& name : Names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

TOptionDeclaration InputOption() {
    return {"input", 'i', "NAME=VALUE", true, "an input's value"};
}

double InputNumber(const std::string& Text, const std::string& File, int Line,
                   const std::string& Input) {
    double value = 0;
    if (!TryStrToFloat(Text, value) || !std::isfinite(value)) {
        const std::string message = "the value of " + Input + " is not a number: '" + Text + "'";
        if (File.empty())
            throw EUsageError(message);
        throw EInputError(File, Line, message);
    }
    return value;
}

std::vector<double> InputValues(const TArguments& Args, const std::vector<std::string>& Names) {
    std::vector<double> inputs(Names.size(), NAN);
    for (const std::string& given : Args.GetAll("input")) {
        const std::size_t equals = given.find('=');
        const std::string name = given.substr(0, equals);
        std::size_t index = 0;
        while (index < Names.size() && Names[index] != name)
            ++index;
        if (equals == std::string::npos || index == Names.size())
            throw EUsageError("--input " + given + ": expected NAME=VALUE with NAME one of " +
                              Joined(Names));
        inputs[index] = InputNumber(given.substr(equals + 1), "", 0, name);
    }
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (std::isnan(inputs[i]))
            throw EUsageError("no value given for the input " + Names[i] + " (--input " + Names[i] +
                              "=VALUE)");
    return inputs;
}

} // namespace fuzzy::tool
