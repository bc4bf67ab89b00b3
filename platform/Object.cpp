#include "platform/Object.hpp"

#include "platform/Exceptions.hpp"

namespace fuzzy {

void TPersistent::Assign(const TPersistent* Source) {
    if (Source != nullptr)
        Source->AssignTo(this);
    else
        throw EConvertError(SAssignError, "nil", ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    throw EConvertError(SAssignError, ClassName(), Dest->ClassName());
}

} // namespace fuzzy
