#include "publish/upload/upload_plan.hpp"

#include <algorithm>
#include <set>

#include "publish/upload/remote_files.hpp"

namespace tarvomen::publish {
namespace {

constexpr const char* kHomePage = "index.html";

const RemoteEntry* findEntry(const std::vector<RemoteEntry>& entries, const std::string& name,
                             bool caseSensitive) {
    for (const auto& entry : entries) {
        if (entry.name == name) return &entry;
    }
    if (caseSensitive) return nullptr;
    const std::string folded = foldCase(name);
    for (const auto& entry : entries) {
        if (foldCase(entry.name) == folded) return &entry;
    }
    return nullptr;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

UploadPlan planUpload(const std::vector<LocalFile>& files,
                      const std::vector<std::optional<ManifestEntry>>& local,
                      const ManifestData& manifest, const RemoteListings* listings,
                      bool caseSensitive) {
    UploadPlan plan;
    std::set<std::string> wanted, wantedFolded;
    auto place = [&](std::size_t group, const std::string& remote, std::size_t file) {
        const ManifestEntry& bytes = *local[file];
        wanted.insert(remote);
        wantedFolded.insert(foldCase(remote));
        const auto known = manifest.files.find(remote);
        bool send = known == manifest.files.end() || known->second != bytes;
        bool missing = false;
        if (listings) {
            const auto [folder, name] = splitFolderAndName(remote);
            const auto listed = listings->find(folder);
            if (listed != listings->end()) {
                const RemoteEntry* entry =
                    listed->second ? findEntry(*listed->second, name, caseSensitive) : nullptr;
                missing = !entry;
                send =
                    send || !entry || entry->folder || (entry->size && *entry->size != bytes.size);
            }
        }
        if (send) {
            plan.sends[group].push_back({remote, file, !missing || group == 2});
            plan.bytes += bytes.size;
        } else {
            plan.skipped.push_back(remote);
        }
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!local[i]) continue;
        const std::string& relative = files[i].relative;
        if (relative.find('/') != std::string::npos) {
            place(0, std::string(kRemoteFolder) + "/" + relative, i);
            continue;
        }
        const std::size_t group = foldCase(relative) == kHomePage ? 2 : 1;
        place(group, std::string(kRemoteFolder) + "/" + relative, i);
        if (caseSensitive) place(group, std::string(kMirrorFolder) + "/" + relative, i);
    }

    for (const auto& [path, entry] : manifest.files) {
        if (wanted.count(path)) continue;
        // Where names ignore case, an old "0.gif" is the new "0.GIF": replaced, not deleted.
        bool gone = !caseSensitive && wantedFolded.count(foldCase(path));
        if (listings && !gone) {
            const auto [folder, name] = splitFolderAndName(path);
            const auto listed = listings->find(folder);
            gone = listed != listings->end() &&
                   (!listed->second || !findEntry(*listed->second, name, caseSensitive));
        }
        (gone ? plan.forgotten : plan.deletions).push_back(path);
    }
    if (listings) {
        for (const auto& [folder, entries] : *listings) {
            if (!entries) continue;
            for (const auto& entry : *entries) {
                if (!entry.folder && endsWith(entry.name, kTemporarySuffix)) {
                    plan.deletions.push_back(folder + "/" + entry.name);
                }
            }
        }
    }
    return plan;
}

}  // namespace tarvomen::publish
