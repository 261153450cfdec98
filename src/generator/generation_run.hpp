#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "generator/generate.hpp"
#include "generator/generator_state.hpp"
#include "generator/media_copy.hpp"
#include "store/app_state.hpp"

namespace tarvomen::generator {

// One generate command: the program state it reads, the generator's working state, what has
// been written so far, where the site's files go, and the records of the run. Every building
// block and page writer works on it.
class GenerationRun {
  public:
    // A run that writes the page `selection` chooses.
    GenerationRun(AppState& state, const PageSelection& selection);
    GenerationRun(const GenerationRun&) = delete;
    GenerationRun& operator=(const GenerationRun&) = delete;

    AppState& state;
    GeneratorState generator;
    GenerationResult result;

    // The page file being written (Windows path), the page that media published now belong to.
    std::string currentPage;

    // The host folder written in place of the site folder "C:\Tarvomen\" (the new site of a
    // whole-site generation); empty while the pages go into the site folder itself.
    std::filesystem::path stage;
    // Names of the folders that the previous site holds at its top and in its Data folder.
    // They move into the new site, so a page or medium of the same name cannot be written.
    std::vector<std::string> siteFolders;
    std::vector<std::string> dataFolders;

    // Records, each read from its file at most once per run: nothing writes them while a
    // generation runs.
    const ProductRecord& product(std::int64_t recordNo);
    const StyleRecord& style(std::int32_t key);
    const PageRecord& page(std::int64_t recordNo);

    // Host path of a media source (UTF-8 Windows path), resolved once per run; throws PathError
    // for a source outside the drive.
    const std::filesystem::path& mediaSource(const std::string& windowsPath);
    CopyHints copyHints;

    // Notes a published medium. A failed one is listed with the current page.
    void noteCopied(const std::string& windowsDest);
    void noteFailed(const std::string& source, const std::string& url, std::string reason);
    // A reference handed out again: when its copy failed, the current page refers to it too.
    void noteUse(std::string_view url);

  private:
    std::map<std::int64_t, ProductRecord> products_;
    std::map<std::int32_t, StyleRecord> styles_;
    std::map<std::int64_t, PageRecord> pages_;
    std::map<std::string, std::filesystem::path> sources_;
    std::map<std::string, std::string> refusedSources_;  // the PathError of each
};

// Host path of a Windows path that the generator writes: inside the site folder it lies in the
// run's stage when there is one, elsewhere it resolves through the drive.
std::filesystem::path SiteHostPath(const GenerationRun& run, std::string_view windowsPath);

}  // namespace tarvomen::generator
