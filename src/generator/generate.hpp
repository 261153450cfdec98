#pragma once

#include "store/app_state.hpp"

namespace tarvomen {

// The generate command of the style and media pickers: runs the generator chosen by `PageKind`
// (0 the whole site, 1 the preview of product `CurrentRecord`, 2 the link page of `LinkNo` by
// itself), then loads the current style of the page being edited again (GetMediaParm).
// A page that cannot be written throws Error naming the file; nothing is opened in the browser
// then, and the page selection state is put back as it was.
void Generate(AppState& state);

}  // namespace tarvomen
