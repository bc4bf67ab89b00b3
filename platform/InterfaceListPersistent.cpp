#include "platform/InterfaceListPersistent.hpp"

#include <utility>

namespace fuzzy {

TInterfaceListPersistent::TInterfaceListPersistent() : FList(MakeInterfaced<TInterfaceList>()) {}

void TInterfaceListPersistent::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TInterfaceListPersistent>(Source);
    if (source == nullptr)
        return;
    // Built aside and swapped in, so a failure leaves this list as it was.
    auto copy = MakeInterfaced<TInterfaceList>();
    copy->Reserve(source->GetCount());
    for (int i = 0; i < source->GetCount(); ++i)
        copy->Add(source->Get(i));
    FList = std::move(copy);
}

} // namespace fuzzy
