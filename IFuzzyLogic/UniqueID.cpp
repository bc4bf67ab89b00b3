#include "IFuzzyLogic/UniqueID.hpp"

#include <atomic>

namespace fuzzy {

int GetUniqueID() {
    static std::atomic<int> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace fuzzy
