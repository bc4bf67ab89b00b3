#include "Arguments.hpp"

#include <algorithm>

#include "ToolErrors.hpp"

namespace fuzzy::tool {
namespace {

const TOptionDeclaration& FindOption(const TCommandSyntax& Syntax, const std::string& Given) {
    const bool isLong = Given.starts_with("--");
    const auto found =
        std::find_if(Syntax.Options.begin(), Syntax.Options.end(), [&](const auto& o) {
            return isLong ? Given.substr(2) == o.Name : Given.size() == 2 && Given[1] == o.Short;
        });
    if (found == Syntax.Options.end())
        throw EUsageError("unknown option " + Given);
    return *found;
}

} // namespace

TArguments::TArguments(std::span<const std::string> Args, const TCommandSyntax& Syntax) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& arg = Args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            FPositionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const TOptionDeclaration& option = FindOption(Syntax, arg.substr(0, equals));
        const std::string shown = "--" + option.Name;
        std::string value;
        if (option.Value.empty()) {
            if (equals != std::string::npos)
                throw EUsageError("option " + shown + " takes no value");
        } else if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < Args.size()) {
            value = Args[++i];
        } else {
            throw EUsageError("option " + shown + " needs a value " + option.Value);
        }
        std::vector<std::string>& values = FValues[option.Name];
        if (!values.empty() && !option.Repeatable)
            throw EUsageError("option " + shown + " given more than once");
        values.push_back(value);
    }
    const int count = static_cast<int>(FPositionals.size());
    if (count < Syntax.MinPositionals)
        throw EUsageError("missing " + Syntax.Positionals);
    if (Syntax.MaxPositionals >= 0 && count > Syntax.MaxPositionals)
        throw EUsageError("unexpected argument " + FPositionals[Syntax.MaxPositionals]);
}

const std::vector<std::string>& TArguments::GetAll(const std::string& Option) const {
    static const std::vector<std::string> none;
    const auto found = FValues.find(Option);
    return found == FValues.end() ? none : found->second;
}

std::string TArguments::Get(const std::string& Option, const std::string& Default) const {
    const std::vector<std::string>& values = GetAll(Option);
    return values.empty() ? Default : values.front();
}

std::string DescribeArguments(const std::string& Command, const TCommandSyntax& Syntax) {
    std::string text = "Usage: fuzzy " + Command;
    for (const TOptionDeclaration& option : Syntax.Options)
        text += " [--" + option.Name + (option.Value.empty() ? "" : " " + option.Value) + "]" +
                (option.Repeatable ? "..." : "");
    text += " " + Syntax.Positionals + "\n";
    if (!Syntax.Options.empty())
        text += "\nOptions:\n";
    for (const TOptionDeclaration& option : Syntax.Options) {
        std::string form = option.Short ? std::string("-") + option.Short + ", " : "    ";
        form += "--" + option.Name + (option.Value.empty() ? "" : " " + option.Value);
        form.resize(std::max<std::size_t>(form.size() + 2, 24), ' ');
        text += "  " + form + option.Help + "\n";
    }
    return text;
}

} // namespace fuzzy::tool
