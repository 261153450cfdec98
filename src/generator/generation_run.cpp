#include "generator/generation_run.hpp"

#include <algorithm>

#include "generator/generator.hpp"
#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::generator {

GenerationRun::GenerationRun(AppState& stateIn, const PageSelection& selection) : state(stateIn) {
    generator.Selection = selection;
}

const ProductRecord& GenerationRun::product(std::int64_t recordNo) {
    auto it = products_.find(recordNo);
    if (it == products_.end()) {
        it = products_.emplace(recordNo, state.files.readProduct(recordNo)).first;
    }
    return it->second;
}

const StyleRecord& GenerationRun::style(std::int32_t key) {
    auto it = styles_.find(key);
    if (it == styles_.end()) it = styles_.emplace(key, state.files.readStyle(key)).first;
    return it->second;
}

const PageRecord& GenerationRun::page(std::int64_t recordNo) {
    auto it = pages_.find(recordNo);
    if (it == pages_.end()) it = pages_.emplace(recordNo, state.files.readPage(recordNo)).first;
    return it->second;
}

const std::filesystem::path& GenerationRun::mediaSource(const std::string& windowsPath) {
    if (const auto it = sources_.find(windowsPath); it != sources_.end()) return it->second;
    if (const auto it = refusedSources_.find(windowsPath); it != refusedSources_.end()) {
        throw PathError(it->second);
    }
    try {
        return sources_.emplace(windowsPath, state.drive.resolve(windowsPath)).first->second;
    } catch (const PathError& error) {
        refusedSources_.emplace(windowsPath, error.what());
        throw;
    }
}

void GenerationRun::noteCopied(const std::string& windowsDest) {
    result.media.push_back(windowsDest);
}

void GenerationRun::noteFailed(const std::string& source, const std::string& url,
                               std::string reason) {
    MediaFailure failure{source, url, std::move(reason), {}};
    if (!currentPage.empty()) failure.pages.push_back(currentPage);
    result.failedMedia.push_back(std::move(failure));
}

void GenerationRun::noteUse(std::string_view url) {
    if (currentPage.empty()) return;
    for (MediaFailure& failure : result.failedMedia) {
        if (failure.url != url) continue;
        if (std::find(failure.pages.begin(), failure.pages.end(), currentPage) ==
            failure.pages.end()) {
            failure.pages.push_back(currentPage);
        }
    }
}

std::filesystem::path SiteHostPath(const GenerationRun& run, std::string_view windowsPath) {
    const std::string_view site = paths::kSiteFolderPath;  // "C:\Tarvomen\"
    if (!run.stage.empty() && windowsPath.size() > site.size() &&
        sameFileName(windowsPath.substr(0, site.size() - 1), site.substr(0, site.size() - 1)) &&
        windowsPath[site.size() - 1] == '\\') {
        std::filesystem::path host = run.stage;
        std::string_view rest = windowsPath.substr(site.size());
        while (!rest.empty()) {
            const std::size_t cut = rest.find('\\');
            host /= cp1252::toUtf8(std::string(rest.substr(0, cut)));
            rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
        }
        return host;
    }
    return run.state.drive.resolve(cp1252::toUtf8(std::string(windowsPath)));
}

}  // namespace tarvomen::generator
