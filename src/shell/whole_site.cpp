#include "shell/whole_site.hpp"

#include "store/site_paths.hpp"

namespace tarvomen::shell {
namespace {

// Puts back what the whole-site generation changes of the editors' state.
struct Restore {
    AppState& state;
    const SelectionGuard selection{state.Selection};
    StyleRecord currentStyle = state.CurrentStyle;
    PageRecord page = state.Page;
    PageRecord linkPage = state.LinkPage;
    ProductRecord product = state.Product;

    ~Restore() {
        state.CurrentStyle = currentStyle;
        state.Page = page;
        state.LinkPage = linkPage;
        state.Product = product;
    }
};

}  // namespace

bool SiteHasHomePage(const AppState& state) {
    return state.drive.exists(paths::kHomePage);
}

std::optional<generator::GenerationResult> GenerateSiteIfMissing(AppState& state) {
    if (SiteHasHomePage(state)) return std::nullopt;
    const Restore restore{state};
    state.Page = state.files.readPage(1);
    state.Selection = PageSelection::HomePage();
    return generator::Generate(state);
}

}  // namespace tarvomen::shell
