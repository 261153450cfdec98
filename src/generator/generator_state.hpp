#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "store/fixed_text.hpp"  // trimBlanks
#include "store/page_selection.hpp"

namespace tarvomen::generator {

// The sources copied during one generation and the reference given to each (the tables
// `CopiedSources` and `CopiedUrls`). Entries are held as a 255-character table field holds
// them: cut to 255 characters, then without blanks. A source is found by its value without
// blanks; at most 730 are recorded, a further one is not remembered.
class CopiedMedia {
  public:
    static constexpr std::size_t kCapacity = 730;
    static constexpr std::size_t kWidth = 255;

    // The reference recorded for `source` (without blanks), or null.
    const std::string* find(std::string_view source) const {
        const auto it = urls_.find(std::string(source));
        return it == urls_.end() ? nullptr : &it->second;
    }
    // Records `url` for `source` unless the table is full; the first entry of a source stays.
    // Each record takes an entry, even one whose cut source equals an earlier one's.
    void record(std::string_view source, std::string_view url) {
        const std::string_view key = trimBlanks(source.substr(0, kWidth));
        if (key.empty() || used_ == kCapacity) return;
        ++used_;
        urls_.emplace(key, trimBlanks(url.substr(0, kWidth)));
    }
    void clear() {
        urls_.clear();
        used_ = 0;
    }

  private:
    std::unordered_map<std::string, std::string> urls_;
    std::size_t used_ = 0;
};

// The site generator's working state for one generate command. Only `MediaSeq`, which the
// stand-alone link page continues, outlives it (AppState::MediaSeq).
struct GeneratorState {
    // The page being written. The writers select each page they write; the selection of the
    // page being edited, in AppState, is never changed.
    PageSelection Selection;

    std::string LineBuffer;
    std::string MediaSource;
    std::string MediaDest;
    CopiedMedia Copied;
    std::string BackgroundUrl;
    std::string RulerUrl;
    bool LinkPagesStandalone = false;

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
};

}  // namespace tarvomen::generator
