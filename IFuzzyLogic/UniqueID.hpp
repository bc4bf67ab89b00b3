#pragma once
// The library-wide counter that names anonymous sets.

namespace fuzzy {

/// The next value of a process-wide counter: 1 on the first call, one more on each
/// further call. Safe to call from several threads at once.
[[nodiscard]] int GetUniqueID();

} // namespace fuzzy
