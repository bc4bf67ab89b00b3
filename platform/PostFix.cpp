#include "platform/PostFix.hpp"

#include "platform/Stack.hpp"

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
        while (!FStack.IsEmpty() && !FStack.Peek().IsOpenGroup &&
               FStack.Peek().Priority <= IncomingPriority)
            PopToOutput();
    }

    void Push(const TInterfacePtr<IInterface>& Item, int Priority, bool IsOpenGroup) {
        FStack.Push({Item, Priority, IsOpenGroup});
    }

    /// Sends out the operators above the innermost open group and drops the group; without
    /// one, sends out everything.
    void CloseGroup() {
        while (!FStack.IsEmpty() && !FStack.Peek().IsOpenGroup)
            PopToOutput();
        if (!FStack.IsEmpty())
            (void)FStack.Pop();
    }

    TInterfacePtr<IInterfaceList> Finish() {
        while (!FStack.IsEmpty()) {
            if (FStack.Peek().IsOpenGroup)
                (void)FStack.Pop();
            else
                PopToOutput();
        }
        return FOutput;
    }

private:
    void PopToOutput() { FOutput->Add(FStack.Pop().Item); }

    TInterfacePtr<TInterfaceList> FOutput;
    TStack<TStackedItem> FStack;
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
