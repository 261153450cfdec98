#pragma once

#include <optional>

#include "generator/generate.hpp"
#include "store/app_state.hpp"

namespace tarvomen::shell {

// True when the site folder holds its home page, that is a whole generated site: a product or
// link-page preview empties the folder and leaves only its own page, which must not be
// published in place of the site.
bool SiteHasHomePage(const AppState& state);

// Publishing needs the whole site: when the site folder holds no home page, generates the whole
// site from the record files with the run options as they are, and returns what it wrote
// (with the media that could not be copied); nothing when the site was there. Nothing is
// handed to the browser, and the page selection, the current style and the page record copy
// are as before afterwards. Throws Error when a page cannot be written.
std::optional<generator::GenerationResult> GenerateSiteIfMissing(AppState& state);

}  // namespace tarvomen::shell
