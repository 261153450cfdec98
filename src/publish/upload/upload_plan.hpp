#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "publish/upload/publish_store.hpp"
#include "publish/upload/remote_listing.hpp"
#include "publish/upload/site_uploader.hpp"

namespace tarvomen::publish {

inline constexpr const char* kRemoteFolder = "Tarvomen";
inline constexpr const char* kMirrorFolder = "tarvomen";
inline constexpr const char* kRemoteDataFolder = "Tarvomen/Data";

// Where a site file goes on the server.
struct Target {
    std::string remote;  // "Tarvomen/Data/0.GIF"
    std::size_t file;    // index into the local files
    // False where the listing shows the server lacks the file: no page there can refer to it,
    // so it is sent under its own name. The home page always replaces.
    bool replaces = true;
};

// The folders of the site on the server as listed at the start of a run, by remote path
// ("Tarvomen/Data"); nothing for a folder that does not exist.
using RemoteListings = std::map<std::string, std::optional<std::vector<RemoteEntry>>>;

struct UploadPlan {
    // Sent in this order, each group once the one before is on the server: media, pages, home
    // pages; so that no page on the server refers to media that is not there yet.
    std::array<std::vector<Target>, 3> sends;
    std::vector<std::string> skipped;    // on the server as the site has them
    std::vector<std::string> deletions;  // files of earlier runs that the site no longer has,
                                         // and temporary files an interrupted run left
    std::vector<std::string> forgotten;  // in the manifest but gone: dropped without a deletion
    std::uint64_t bytes = 0;             // to send

    std::size_t sendCount() const { return sends[0].size() + sends[1].size() + sends[2].size(); }
};

// What a run sends and deletes. `local` holds the size and hash of each site file (nothing when
// it cannot be read). A file is sent when the manifest does not know it with these bytes, and,
// with `listings`, when the server lacks it or holds another size; only files the manifest
// says an earlier run sent are deleted, and only where the server still shows them. Without
// listings (a dry run) the manifest alone decides.
UploadPlan planUpload(const std::vector<LocalFile>& files,
                      const std::vector<std::optional<ManifestEntry>>& local,
                      const ManifestData& manifest, const RemoteListings* listings,
                      bool caseSensitive);

}  // namespace tarvomen::publish
