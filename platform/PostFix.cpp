#include "platform/PostFix.hpp"

#include <vector>

namespace fuzzy {

namespace {

/// A stacked operator with its in-stack priority, read once when stacked, or an open group.
struct TStackedItem {
    TInterfacePtr<IInterface> Item;
    int Priority = 0;
    bool IsOpenGroup = false;
};

class TPostFixConverter {
public:
    explicit TPostFixConverter(int Capacity) : FOutput(MakeInterfaced<TInterfaceList>()) {
        FOutput->Reserve(Capacity);
    }

    void AddOperand(const TInterfacePtr<IInterface>& Item) { FOutput->Add(Item); }

    /// Sends out the operators that bind at least as tightly as the newcomer.
    void MakeRoomFor(int IncomingPriority) {
        while (!FStack.empty() && !FStack.back().IsOpenGroup &&
               FStack.back().Priority <= IncomingPriority)
            PopToOutput();
    }

    void Push(const TInterfacePtr<IInterface>& Item, int Priority, bool IsOpenGroup) {
        FStack.push_back({Item, Priority, IsOpenGroup});
    }

    /// Sends out the operators above the innermost open group and drops the group; without
    /// one, sends out everything.
    void CloseGroup() {
        while (!FStack.empty() && !FStack.back().IsOpenGroup)
            PopToOutput();
        if (!FStack.empty())
            FStack.pop_back();
    }

    TInterfacePtr<IInterfaceList> Finish() {
        while (!FStack.empty()) {
            if (FStack.back().IsOpenGroup)
                FStack.pop_back();
            else
                PopToOutput();
        }
        return FOutput;
    }

private:
    void PopToOutput() {
        FOutput->Add(FStack.back().Item);
        FStack.pop_back();
    }

    TInterfacePtr<TInterfaceList> FOutput;
    std::vector<TStackedItem> FStack;
};

} // namespace

TInterfacePtr<IInterfaceList> PostFix(const TInterfacePtr<IInterfaceList>& List,
                                      const TItemTest& IsOpenParen, const TItemTest& IsCloseParen,
                                      const TItemTest& IsOperand,
                                      const TItemPriority& InStackPriority,
                                      const TItemPriority& IncomingPriority) {
    const int count = List ? List->GetCount() : 0;
    TPostFixConverter converter(count);
    for (int i = 0; i < count; ++i) {
        const TInterfacePtr<IInterface> item = List->Get(i);
        if (IsOpenParen(item)) {
            converter.MakeRoomFor(IncomingPriority(item));
            converter.Push(item, 0, true);
        } else if (IsCloseParen(item)) {
            converter.CloseGroup();
        } else if (IsOperand(item)) {
            converter.AddOperand(item);
        } else {
            converter.MakeRoomFor(IncomingPriority(item));
            converter.Push(item, InStackPriority(item), false);
        }
    }
    return converter.Finish();
}

} // namespace fuzzy
