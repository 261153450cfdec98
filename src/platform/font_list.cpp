#include "platform/font_list.hpp"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <type_traits>

#include "platform/cp1252.hpp"

namespace tarvomen {
namespace {

// fontconfig and the six libraries it needs are loaded when the font list is first asked for,
// not at every start of the program: most commands never need them.
struct Fontconfig {
    decltype(&FcInitLoadConfigAndFonts) initLoadConfigAndFonts = nullptr;
    decltype(&FcPatternCreate) patternCreate = nullptr;
    decltype(&FcPatternDestroy) patternDestroy = nullptr;
    decltype(&FcObjectSetBuild) objectSetBuild = nullptr;
    decltype(&FcObjectSetDestroy) objectSetDestroy = nullptr;
    decltype(&FcFontList) fontList = nullptr;
    decltype(&FcPatternGetString) patternGetString = nullptr;
    decltype(&FcFontSetDestroy) fontSetDestroy = nullptr;
    decltype(&FcConfigDestroy) configDestroy = nullptr;

    // Nothing when the library or one of its functions is missing.
    static std::optional<Fontconfig> load() {
        void* library = ::dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!library) return std::nullopt;
        Fontconfig fc;
        bool complete = true;
        const auto find = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                ::dlsym(library, name));
            complete = complete && function;
        };
        find(fc.initLoadConfigAndFonts, "FcInitLoadConfigAndFonts");
        find(fc.patternCreate, "FcPatternCreate");
        find(fc.patternDestroy, "FcPatternDestroy");
        find(fc.objectSetBuild, "FcObjectSetBuild");
        find(fc.objectSetDestroy, "FcObjectSetDestroy");
        find(fc.fontList, "FcFontList");
        find(fc.patternGetString, "FcPatternGetString");
        find(fc.fontSetDestroy, "FcFontSetDestroy");
        find(fc.configDestroy, "FcConfigDestroy");
        if (!complete) return std::nullopt;
        return fc;  // the library stays loaded for the life of the program
    }
};

}  // namespace

const std::vector<std::string>& FontconfigFontList::names() const {
    if (loaded_) return names_;
    loaded_ = true;
    const auto fc = Fontconfig::load();
    if (!fc) return names_;
    FcConfig* config = fc->initLoadConfigAndFonts();
    if (!config) return names_;
    std::unique_ptr<FcPattern, decltype(fc->patternDestroy)> pattern(fc->patternCreate(),
                                                                     fc->patternDestroy);
    std::unique_ptr<FcObjectSet, decltype(fc->objectSetDestroy)> objects(
        fc->objectSetBuild(FC_FAMILY, nullptr), fc->objectSetDestroy);
    if (FcFontSet* set = fc->fontList(config, pattern.get(), objects.get())) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* family = nullptr;
            // A font may list several family names; the first is its main one.
            if (fc->patternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) {
                continue;
            }
            std::string name(reinterpret_cast<const char*>(family));
            // The style record's font fields are 30 Windows-1252 characters.
            if (name.empty() || cp1252::firstUnencodable(name)) continue;
            names_.push_back(std::move(name));
        }
        fc->fontSetDestroy(set);
    }
    fc->configDestroy(config);
    std::sort(names_.begin(), names_.end());
    names_.erase(std::unique(names_.begin(), names_.end()), names_.end());
    if (names_.size() > kMaxFonts) names_.resize(kMaxFonts);
    return names_;
}

}  // namespace tarvomen
