#include "shell/whole_site.hpp"

#include "generator/generate.hpp"
#include "generator/generator.hpp"

namespace tarvomen {
namespace {

// The site is generated to be published, not looked at: its hand-off to the browser is dropped.
class QuietShell : public Shell {
  public:
    void open(const std::string&, ShowMode) override {}
};

// Puts back what the whole-site generation changes of the editors' state.
struct Restore {
    AppState& state;
    Shell* shell = state.services.shell;
    std::int16_t pageKind = state.PageKind;
    std::int32_t currentRecord = state.CurrentRecord;
    std::int16_t linkNo = state.LinkNo;
    std::int16_t linkIndex = state.LinkIndex;
    StyleRecord currentStyle = state.CurrentStyle;
    PageRecord page = state.Page;
    PageRecord linkPage = state.LinkPage;
    ProductRecord product = state.Product;

    ~Restore() {
        state.services.shell = shell;
        state.PageKind = pageKind;
        state.CurrentRecord = currentRecord;
        state.LinkNo = linkNo;
        state.LinkIndex = linkIndex;
        state.CurrentStyle = currentStyle;
        state.Page = page;
        state.LinkPage = linkPage;
        state.Product = product;
    }
};

}  // namespace

bool SiteHasHomePage(const AppState& state) {
    return state.drive.exists(kHomePagePath);
}

bool GenerateSiteIfMissing(AppState& state) {
    if (SiteHasHomePage(state)) return false;
    const Restore restore{state};
    QuietShell quiet;
    state.services.shell = &quiet;
    state.Page = state.files.readPage(1);
    state.PageKind = 0;
    state.CurrentRecord = 1;
    Generate(state);
    return true;
}

}  // namespace tarvomen
