#include "platform/folder_listings.hpp"

#include <algorithm>

namespace tarvomen {

std::string foldFileName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if (c == 0xC3 && i + 1 < name.size()) {
            // U+00C0..U+00DE (except U+00D7) are two-byte sequences C3 80..C3 9E.
            auto next = static_cast<unsigned char>(name[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) next += 0x20;
            out += static_cast<char>(c);
            out += static_cast<char>(next);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

FolderListings::Listing FolderListings::listingOf(
    const std::optional<std::vector<Entry>>& entries) {
    Listing listing;
    listing.isFolder = entries.has_value();
    if (entries) {
        for (const Entry& entry : *entries) insert(listing, entry.name, entry.kind);
    }
    return listing;
}

void FolderListings::insert(Listing& listing, const std::string& name, Kind kind) {
    auto& same = listing.byFoldedName[foldFileName(name)];
    const auto at =
        std::lower_bound(same.begin(), same.end(), name,
                         [](const Entry& e, const std::string& n) { return e.name < n; });
    if (at != same.end() && at->name == name) {
        at->kind = kind;
    } else {
        same.insert(at, Entry{name, kind});
    }
}

std::optional<FolderListings::Entry> FolderListings::match(const std::string& folder,
                                                           std::string_view name,
                                                           const Reader& read,
                                                           const Prober& probe) {
    const std::string folded = foldFileName(name);
    const auto pick = [&](const Listing& listing) -> std::optional<Entry> {
        const auto found = listing.byFoldedName.find(folded);
        if (found == listing.byFoldedName.end() || found->second.empty()) return std::nullopt;
        for (const Entry& entry : found->second) {
            if (entry.name == name) return entry;
        }
        return found->second.front();
    };
    if (!remember_) return pick(listingOf(read(folder)));

    std::lock_guard lock(mutex_);
    auto it = folders_.find(folder);
    if (it == folders_.end()) it = folders_.emplace(folder, listingOf(read(folder))).first;
    Listing& listing = it->second;
    if (auto entry = pick(listing)) return entry;
    // Names given out earlier count once they exist.
    const auto given = listing.handedOut.find(folded);
    if (given == listing.handedOut.end()) return std::nullopt;
    for (const std::string& spelling : given->second) {
        if (const auto kind = probe(folder, spelling)) insert(listing, spelling, *kind);
    }
    return pick(listing);
}

void FolderListings::handedOut(const std::string& folder, const std::string& name) {
    if (!remember_) return;
    std::lock_guard lock(mutex_);
    const auto it = folders_.find(folder);
    if (it != folders_.end() && it->second.isFolder) {
        it->second.handedOut[foldFileName(name)].insert(name);
    }
}

void FolderListings::added(const std::string& folder, const std::string& name, Kind kind) {
    if (!remember_) return;
    std::lock_guard lock(mutex_);
    const auto it = folders_.find(folder);
    if (it != folders_.end() && it->second.isFolder) insert(it->second, name, kind);
}

void FolderListings::removed(const std::string& folder, const std::string& name) {
    if (!remember_) return;
    std::lock_guard lock(mutex_);
    if (const auto it = folders_.find(folder); it != folders_.end()) {
        const auto same = it->second.byFoldedName.find(foldFileName(name));
        if (same != it->second.byFoldedName.end()) {
            std::erase_if(same->second, [&](const Entry& e) { return e.name == name; });
        }
    }
    // What was remembered beneath the removed entry is gone with it.
    const std::string path = folder.empty() ? name : folder + "/" + name;
    std::erase_if(folders_, [&](const auto& item) {
        const std::string& key = item.first;
        return key == path ||
               (key.size() > path.size() && key.starts_with(path) && key[path.size()] == '/');
    });
}

void FolderListings::createdEmpty(const std::string& folder) {
    if (!remember_) return;
    std::lock_guard lock(mutex_);
    folders_[folder] = Listing{};
}

void FolderListings::replace(const std::string& folder, const std::vector<Entry>& entries) {
    if (!remember_) return;
    std::lock_guard lock(mutex_);
    folders_[folder] = listingOf(entries);
}

void FolderListings::forget() {
    std::lock_guard lock(mutex_);
    folders_.clear();
}

}  // namespace tarvomen
