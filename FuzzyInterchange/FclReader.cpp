// Reading FCL.

#include <algorithm>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyInterchange/FclFormat.hpp"
#include "FuzzyInterchange/TermShapes.hpp"
#include "FuzzyInterchange/detail/DescriptionChecks.hpp"
#include "FuzzyInterchange/detail/FclTokens.hpp"
#include "FuzzyInterchange/detail/ReaderSupport.hpp"
#include "FuzzyInterchange/detail/RuleText.hpp"
#include "FuzzyInterchange/detail/WordCursor.hpp"
#include "platform/Strings.hpp"

namespace fuzzy {

namespace {

using namespace interchange;

const TTermShapeInfo* FindShapeWithoutCase(const std::string& Name) {
    for (int i = 0; i <= static_cast<int>(TTermShape::tsSpike); ++i) {
        const TTermShapeInfo& info = GetTermShapeInfo(static_cast<TTermShape>(i));
        if (SameWord(info.Name, Name))
            return &info;
    }
    return nullptr;
}

class TFclReader : private TWordCursor {
public:
    explicit TFclReader(std::string_view Text)
        : TWordCursor(SplitFclWords(Text), "FUNCTION_BLOCK", 1) {}

    TControllerDescription Read() {
        Expect("FUNCTION_BLOCK");
        if (!AtEnd() && !IsBlockStart())
            FDescription.Name = Take();
        while (!NextIs("END_FUNCTION_BLOCK"))
            ReadBlock();
        Skip();
        if (!AtEnd())
            Fail("the end of the text");
        for (std::size_t v = 0; v < FDescription.Variables.size(); ++v)
            if (!FRangeRead[v])
                TakeRangeFromTerms(FDescription.Variables[v], FLines.Variables[v]);
        FDescription.CorrelationMethod = FCorrelation.Or(TFuzzyCorrelationMethod::fcmMinimum);
        FDescription.InferenceMethod = FInference.Or(TFuzzyInferenceMethod::fimMinMax);
        FDescription.DefuzzificationMethod =
            FDefuzzification.Or(TDefuzzificationMethod::dmCenterOfGravity);
        FinishDescription(FDescription, FLines);
        return std::move(FDescription);
    }

private:
    bool IsBlockStart() const {
        return NextIs("VAR_INPUT") || NextIs("VAR_OUTPUT") || NextIs("FUZZIFY") ||
               NextIs("DEFUZZIFY") || NextIs("RULEBLOCK") || NextIs("END_FUNCTION_BLOCK");
    }
    TFzyFloat TakeNumber() {
        const int line = Line();
        return ReadNumber(Take(), line);
    }
    /// ": NAME ;" after a method's keyword.
    std::string MethodName() {
        Expect(":");
        std::string name = Take();
        Expect(";");
        return name;
    }

    void ReadBlock() {
        if (NextIs("VAR_INPUT") || NextIs("VAR_OUTPUT"))
            ReadDeclarations();
        else if (NextIs("FUZZIFY") || NextIs("DEFUZZIFY"))
            ReadVariable();
        else if (NextIs("RULEBLOCK"))
            ReadRuleBlock();
        else
            Fail("a block");
    }

    void ReadDeclarations() {
        const bool output = NextIs("VAR_OUTPUT");
        Skip();
        while (!NextIs("END_VAR")) {
            const int line = Line();
            TVariableDescription variable;
            variable.Name = Take();
            variable.Role = output ? TVariableRole::vrOutput : TVariableRole::vrInput;
            Expect(":");
            Take(); // the type, REAL as a rule; the library's values are all real
            Expect(";");
            if (FDescription.FindVariable(variable.Name) != nullptr)
                throw EFzyInterchangeException(line, SIcDuplicate, "The variable", variable.Name);
            FDescription.Variables.push_back(std::move(variable));
            FLines.Variables.push_back(line);
            FLines.Terms.emplace_back();
            FRangeRead.push_back(false);
        }
        Skip();
    }

    std::size_t DeclaredVariable(bool Output) {
        const int line = Line();
        const std::string name = Take();
        for (std::size_t v = 0; v < FDescription.Variables.size(); ++v)
            if (FDescription.Variables[v].Name == name &&
                (FDescription.Variables[v].Role == TVariableRole::vrOutput) == Output)
                return v;
        throw EFzyInterchangeException(line, SIcUnknownKey,
                                       Output ? "output variable" : "input variable", name);
    }

    void ReadVariable() {
        const bool output = NextIs("DEFUZZIFY");
        const std::string end = output ? "END_DEFUZZIFY" : "END_FUZZIFY";
        Skip();
        const std::size_t index = DeclaredVariable(output);
        TVariableDescription& variable = FDescription.Variables[index];
        while (!NextIs(end)) {
            const int line = Line();
            if (NextIs("TERM")) {
                Skip();
                variable.Terms.push_back(ReadTerm());
                FLines.Terms[index].push_back(line);
            } else if (NextIs("RANGE")) {
                Skip();
                Expect(":=");
                Expect("(");
                variable.Minimum = TakeNumber();
                Expect("..");
                variable.Maximum = TakeNumber();
                Expect(")");
                Expect(";");
                FRangeRead[index] = true;
            } else if (output && NextIs("METHOD")) {
                Skip();
                FDefuzzification.Settle(FclNames().Defuzzifications, MethodName(), false, line);
            } else if (output && NextIs("ACCU")) {
                Skip();
                FInference.Settle(FclNames().Inferences, MethodName(), false, line);
            } else if (output && NextIs("DEFAULT")) {
                Skip();
                Expect(":=");
                ReadDefault(variable, line);
            } else {
                Fail("\"TERM\", \"RANGE\" or \"" + end + "\"");
            }
        }
        Skip();
    }

    void ReadDefault(TVariableDescription& Variable, int Line) {
        const std::string value = Take();
        if (SameWord(value, "NC"))
            throw EFzyInterchangeException(Line, SIcUnsupported, "default", value);
        if (!SameWord(value, "NAN"))
            Variable.DefaultValue = ReadNumber(value, Line);
        Expect(";");
    }

    TTermDescription ReadTerm() {
        TTermDescription term;
        term.Name = Take();
        Expect(":=");
        if (NextIs("(")) {
            term.Shape = TTermShape::tsDiscrete;
            while (NextIs("(")) {
                Skip();
                term.Parameters.push_back(TakeNumber());
                Expect(",");
                term.Parameters.push_back(TakeNumber());
                Expect(")");
            }
        } else {
            const int line = Line();
            const std::string name = Take();
            const TTermShapeInfo* shape = FindShapeWithoutCase(name);
            if (shape == nullptr) {
                double singleton = 0;
                if (TryStrToFloat(name, singleton))
                    throw EFzyInterchangeException(line, SIcUnsupported, "singleton term", name);
                throw EFzyInterchangeException(line, SIcUnknownShape, name);
            }
            term.Shape = shape->Shape;
            while (!AtEnd() && !NextIs(";"))
                term.Parameters.push_back(TakeNumber());
        }
        Expect(";");
        return term;
    }

    void ReadRuleBlock() {
        Skip();
        if (!NextIs("AND") && !NextIs("OR") && !NextIs("ACT") && !NextIs("ACCU") &&
            !NextIs("RULE") && !NextIs("END_RULEBLOCK"))
            Take(); // the block's name
        TBlockConnectives block;
        const TFormatNames& names = FclNames();
        while (!NextIs("END_RULEBLOCK")) {
            const int line = Line();
            if (NextIs("AND")) {
                Skip();
                block.And = BlockConnective(names.Conjunctions, MethodName(), false, "AND", line);
            } else if (NextIs("OR")) {
                Skip();
                block.Or = BlockConnective(names.Disjunctions, MethodName(), false, "OR", line);
            } else if (NextIs("ACT")) {
                Skip();
                FCorrelation.Settle(names.Correlations, MethodName(), false, line);
            } else if (NextIs("ACCU")) {
                Skip();
                FInference.Settle(names.Inferences, MethodName(), false, line);
            } else if (NextIs("RULE")) {
                Skip();
                Take(); // the rule's number
                Expect(":");
                ReadRule(block, line);
            } else {
                Fail("\"RULE\" or \"END_RULEBLOCK\"");
            }
        }
        Skip();
    }

    // A rule ends at ";", or where the next rule or the block's end begins: some writers
    // leave the semicolon out.
    void ReadRule(const TBlockConnectives& Block, int Line) {
        const std::size_t first = Position();
        while (!AtEnd() && !NextIs(";") && !NextIs("RULE") && !NextIs("END_RULEBLOCK"))
            Skip();
        const std::span<const TWord> words = Since(first);
        if (NextIs(";"))
            Skip();
        FDescription.Rules.push_back(interchange::ReadRule(words, WithDuals(Block)));
        FLines.Rules.push_back(Line);
    }

    /// The block's connectives, the one it leaves out taken as the dual of the one it sets
    /// (MIN and MAX, PROD and ASUM, BDIF and BSUM), as IEC 61131-7 has it.
    static TBlockConnectives WithDuals(TBlockConnectives Block) {
        for (std::size_t family = 0; family < FuzzyIntersectionKeywords.size(); ++family) {
            const auto operation = static_cast<TFuzzyOperation>(family);
            if (operation == TFuzzyOperation::foSum)
                continue;
            const std::string conjunction(FuzzyIntersectionKeywords[operation]);
            const std::string disjunction(FuzzyUnionKeywords[operation]);
            if (Block.And.empty() && Block.Or == disjunction)
                Block.And = conjunction;
            else if (Block.Or.empty() && Block.And == conjunction)
                Block.Or = disjunction;
        }
        return Block;
    }

    TControllerDescription FDescription;
    TSourceLines FLines;
    std::vector<bool> FRangeRead;
    TSetting<TFuzzyCorrelationMethod> FCorrelation{"ACT"};
    TSetting<TFuzzyInferenceMethod> FInference{"ACCU"};
    TSetting<TDefuzzificationMethod> FDefuzzification{"METHOD"};
};

} // namespace

TControllerDescription ReadFcl(std::string_view Text) {
    return TFclReader(Text).Read();
}

} // namespace fuzzy
