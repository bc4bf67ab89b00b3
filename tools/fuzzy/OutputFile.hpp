#pragma once
// Writing a command's result so that a failure never leaves a partial file behind.

#include <string>

namespace fuzzy::tool {

/// Writes Text to Path, or to the standard output when Path is "-". A file is written
/// under a temporary name in the same folder and renamed over Path only once complete, so
/// Path holds either its old content or the whole new text, never a part. Raises
/// EInputError naming Path when it cannot be written; the temporary file is removed then.
void WriteOutputFile(const std::string& Path, const std::string& Text);

} // namespace fuzzy::tool
