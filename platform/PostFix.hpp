#pragma once
// Infix to postfix conversion of a flat list of items, the first step of the expression
// evaluator: the caller classifies the items, this routine only reorders them.

#include <functional>
#include <utility>
#include <vector>

#include "platform/InterfaceList.hpp"

namespace fuzzy {

/// Answers whether an item belongs to a class (open group, close group, operand).
using TItemTest = std::function<bool(const TInterfacePtr<IInterface>&)>;
/// An item's priority as an operator; a lower number binds tighter.
using TItemPriority = std::function<int(const TInterfacePtr<IInterface>&)>;

/// Reorders the infix List into postfix order and returns the result as a new flat list
/// (List is left as it is; the items are shared, not copied).
///
/// Each item is classified by the first test that answers true, in this order:
/// IsOpenParen, IsCloseParen, IsOperand; an item none of them accepts is an operator.
///  - An operand goes straight to the output.
///  - Before an operator or an open group is stacked, stacked operators go to the output
///    while the top one's InStackPriority is not greater than the newcomer's
///    IncomingPriority. An equal priority therefore pops: such operators group to the
///    left, and an operator whose incoming priority is below its in-stack one groups to
///    the right.
///  - A stacked open group is a barrier whatever priorities the caller gives it: only its
///    close group removes it. A close group sends the operators above its open group to
///    the output, and both groups are dropped.
///  - At the end the stacked operators go to the output, the top one first.
///
/// Unbalanced groups do not raise: a close group without an open group on the stack sends
/// every stacked operator to the output and is dropped; an open group still stacked at the
/// end is dropped.
///
/// IncomingPriority is asked once for each operator and open group, InStackPriority once
/// for each operator, when it is stacked. Exceptions from the callbacks propagate. The
/// routine is iterative and linear in the number of items, whatever the nesting depth.
/// An empty List reference gives an empty list.
[[nodiscard]] TInterfacePtr<IInterfaceList>
PostFix(const TInterfacePtr<IInterfaceList>& List, const TItemTest& IsOpenParen,
        const TItemTest& IsCloseParen, const TItemTest& IsOperand,
        const TItemPriority& InStackPriority, const TItemPriority& IncomingPriority);

/// The reordering of PostFix, for callers that classify their items themselves (once
/// each, in any form T): give it the items in infix order, each by its class, then take
/// the postfix order from Finish.
template <class T>
class TPostFixConverter {
public:
    /// Makes room for Count items, so that converting that many allocates once.
    void Reserve(std::size_t Count) {
        FOutput.reserve(Count);
        FStack.reserve(Count);
    }
    void AddOperand(T Item) { FOutput.push_back(std::move(Item)); }
    void AddOpenGroup(int IncomingPriority) {
        MakeRoomFor(IncomingPriority);
        FStack.push_back({T(), 0, true});
    }
    /// Sends out the operators above the innermost open group and drops the group; without
    /// one, sends out everything.
    void AddCloseGroup() {
        while (!FStack.empty() && !FStack.back().IsOpenGroup)
            PopToOutput();
        if (!FStack.empty())
            FStack.pop_back();
    }
    void AddOperator(T Item, int InStackPriority, int IncomingPriority) {
        MakeRoomFor(IncomingPriority);
        FStack.push_back({std::move(Item), InStackPriority, false});
    }
    /// The items in postfix order; the converter is empty afterwards.
    [[nodiscard]] std::vector<T> Finish() {
        while (!FStack.empty()) {
            if (FStack.back().IsOpenGroup)
                FStack.pop_back();
            else
                PopToOutput();
        }
        return std::exchange(FOutput, {});
    }

private:
    /// A stacked operator with its in-stack priority, or an open group.
    struct TStackedItem {
        T Item;
        int Priority = 0;
        bool IsOpenGroup = false;
    };

    /// Sends out the operators that bind at least as tightly as the newcomer.
    void MakeRoomFor(int IncomingPriority) {
        while (!FStack.empty() && !FStack.back().IsOpenGroup &&
               FStack.back().Priority <= IncomingPriority)
            PopToOutput();
    }
    void PopToOutput() {
        FOutput.push_back(std::move(FStack.back().Item));
        FStack.pop_back();
    }

    std::vector<T> FOutput;
    std::vector<TStackedItem> FStack;
};

} // namespace fuzzy
