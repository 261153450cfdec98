#pragma once

#include <filesystem>
#include <optional>

namespace tarvomen::generator {

// What the copies of one generation have learnt about the target's file system.
struct CopyHints {
    bool clone = true;      // try a reflink first
    bool copyRange = true;  // try copy_file_range before read and write
    // The process's umask, read at the first copy that needs it (-1: it cannot be told). A copy
    // created with the source's bits needs no chmod when the umask takes none of them.
    std::optional<int> umask;
};

// Copies the regular file `from` to `to` (host paths): afterwards `to` holds the whole copy, or
// is as it was and nothing else is left. An existing `to` is replaced through a temporary name
// beside it; with `fresh` (a folder of the run's own where `to` cannot exist yet) the copy is
// written straight to `to` and removed when it fails. The copy is a reflink where the file
// system offers one, else made with copy_file_range, else read and written; it takes the
// source's permission bits. Returns 0, or the errno of the step that failed (EISDIR or EINVAL
// for a source that is not a file).
int CopyMediaFile(const std::filesystem::path& from, const std::filesystem::path& to, bool fresh,
                  CopyHints& hints);

}  // namespace tarvomen::generator
