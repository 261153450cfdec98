#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/fixed_text.hpp"

namespace tarvomen {

class GenerationRun;  // generator/generation_run.hpp

// The site generator's state, held for the life of the program.
struct GeneratorState {
    static constexpr std::size_t kCopiedTableSize = 730;

    std::string LineBuffer;
    std::string MediaName;
    bool MediaIsPath = false;
    std::string MediaUrl;
    std::int16_t MediaSeq = 0;
    std::string MediaSource;
    std::string MediaDest;
    std::vector<FixedText<255>> CopiedSources = std::vector<FixedText<255>>(kCopiedTableSize);
    std::vector<FixedText<255>> CopiedUrls = std::vector<FixedText<255>>(kCopiedTableSize);
    std::string BackgroundUrl;
    std::string RulerUrl;
    bool LinkPagesStandalone = false;
    bool FoldersReady = false;

    // Home page, product pages and link pages.
    std::int16_t NamedProductCount = 0;
    std::int16_t ListedProductCount = 0;
    std::string KeywordList;
    std::string DescriptionText;
    std::string LogoUrl;
    std::int32_t ProductPageNo = 0;
    std::string ProductPictureUrl;
    std::string PrevPageName;
    std::string NextPageName;
    std::string LinkPictureUrl;
    std::string LinkPagePath;

    // A page file being written (file 9 the home page, 8 a product page or the preview, 55 a
    // link page): its Windows path and the lines written so far. The page reaches the disk in
    // one write when it is closed.
    struct PageFile {
        bool open = false;
        std::string path;
        std::string text;
    };
    PageFile HomePageFile;
    PageFile ProductPageFile;
    PageFile LinkPageFile;

    // The generate command being run, if any: what it has written and where.
    GenerationRun* Run = nullptr;
};

}  // namespace tarvomen
