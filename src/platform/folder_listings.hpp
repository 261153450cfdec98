#pragma once

// What the drive remembers of its folders' entries while one command or one desktop action
// runs: the names and kinds read from each folder once, kept up to date with the program's own
// creations and removals, so that names that differ in letter case resolve without listing
// the folder again.

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvomen {

// Lower-case form of a UTF-8 file name for comparison: ASCII and Latin-1 letters folded.
std::string foldFileName(std::string_view name);

class FolderListings {
  public:
    enum class Kind : unsigned char { unknown, folder, file, link };
    struct Entry {
        std::string name;
        Kind kind = Kind::unknown;
    };
    // Folders are named by their real path relative to the drive folder ("" for the drive).
    // The reader lists a folder, or gives nothing when the path is no folder it can read.
    using Reader = std::function<std::optional<std::vector<Entry>>(const std::string& folder)>;
    // The kind of an entry if it exists.
    using Prober =
        std::function<std::optional<Kind>(const std::string& folder, const std::string& name)>;

    // Without `remember` every match reads the folder afresh and the notes below do nothing.
    explicit FolderListings(bool remember) : remember_(remember) {}

    // The entry of `folder` named `name` without regard to letter case: the exact spelling if
    // present, else the first match in sorted order; nothing when there is none.
    std::optional<Entry> match(const std::string& folder, std::string_view name, const Reader& read,
                               const Prober& probe);

    // `name` was given out as a new entry of `folder`: the caller may create it by its host
    // path, so a later match checks whether it exists.
    void handedOut(const std::string& folder, const std::string& name);
    // The program created or removed an entry itself.
    void added(const std::string& folder, const std::string& name, Kind kind);
    void removed(const std::string& folder, const std::string& name);
    // A folder the program has just created, known to be empty.
    void createdEmpty(const std::string& folder);
    // A fresh reading of a folder.
    void replace(const std::string& folder, const std::vector<Entry>& entries);

    // The end of a command or action: everything is read again when next needed.
    void forget();

  private:
    struct Listing {
        bool isFolder = true;
        std::map<std::string, std::vector<Entry>> byFoldedName;  // each sorted by name
        std::map<std::string, std::set<std::string>> handedOut;  // by folded name
    };
    static Listing listingOf(const std::optional<std::vector<Entry>>& entries);
    static void insert(Listing& listing, const std::string& name, Kind kind);

    const bool remember_;
    std::mutex mutex_;
    std::unordered_map<std::string, Listing> folders_;
};

}  // namespace tarvomen
