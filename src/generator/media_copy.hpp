#pragma once

#include <filesystem>

namespace tarvomen {

// Copies the regular file `from` to `to` (host paths), replacing `to`, through a temporary name
// beside it: afterwards `to` holds the whole copy or is as it was, and no temporary file is
// left. The copy is a reflink where the file system offers one, else made with
// copy_file_range, else read and written; it takes the source's permission bits. Returns 0, or
// the errno of the step that failed (EISDIR or EINVAL for a source that is not a file).
int CopyMediaFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace tarvomen
