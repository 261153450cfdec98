#include "platform/font_list.hpp"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

#include "platform/cp1252.hpp"

namespace tarvomen {

const std::vector<std::string>& FontconfigFontList::names() const {
    if (loaded_) return names_;
    loaded_ = true;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return names_;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(),
                                                                    &FcPatternDestroy);
    std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> objects(
        FcObjectSetBuild(FC_FAMILY, nullptr), &FcObjectSetDestroy);
    if (FcFontSet* set = FcFontList(config, pattern.get(), objects.get())) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* family = nullptr;
            // A font may list several family names; the first is its main one.
            if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) {
                continue;
            }
            std::string name(reinterpret_cast<const char*>(family));
            // The style record's font fields are 30 Windows-1252 characters.
            if (name.empty() || cp1252::firstUnencodable(name)) continue;
            names_.push_back(std::move(name));
        }
        FcFontSetDestroy(set);
    }
    FcConfigDestroy(config);
    std::sort(names_.begin(), names_.end());
    names_.erase(std::unique(names_.begin(), names_.end()), names_.end());
    if (names_.size() > kMaxFonts) names_.resize(kMaxFonts);
    return names_;
}

}  // namespace tarvomen
