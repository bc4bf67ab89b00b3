#include "platform/PostFix.hpp"

namespace fuzzy {

TInterfacePtr<IInterfaceList> PostFix(const TInterfacePtr<IInterfaceList>& List,
                                      const TItemTest& IsOpenParen, const TItemTest& IsCloseParen,
                                      const TItemTest& IsOperand,
                                      const TItemPriority& InStackPriority,
                                      const TItemPriority& IncomingPriority) {
    const int count = List ? List->GetCount() : 0;
    TPostFixConverter<TInterfacePtr<IInterface>> converter;
    for (int i = 0; i < count; ++i) {
        TInterfacePtr<IInterface> item = List->Get(i);
        if (IsOpenParen(item)) {
            converter.AddOpenGroup(IncomingPriority(item));
        } else if (IsCloseParen(item)) {
            converter.AddCloseGroup();
        } else if (IsOperand(item)) {
            converter.AddOperand(std::move(item));
        } else {
            const int incoming = IncomingPriority(item);
            converter.AddOperator(item, InStackPriority(item), incoming);
        }
    }
    auto output = MakeInterfaced<TInterfaceList>();
    std::vector<TInterfacePtr<IInterface>> items = converter.Finish();
    output->Reserve(static_cast<int>(items.size()));
    for (const TInterfacePtr<IInterface>& item : items)
        output->Add(item);
    return output;
}

} // namespace fuzzy
