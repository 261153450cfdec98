#pragma once

#include <filesystem>

#include "platform/drive.hpp"
#include "store/app_state.hpp"
#include "store/site_files.hpp"

namespace tarvomen::testing {

// The full shop: every field of the page record filled, both link pages, 30 products with
// 2000-character texts and pictures (two products share each picture), three themes with all
// seven media spread over the products, every fifth product on the Link3 page. Its whole site is
// 33 pages and the media they share; the generator tests and the benchmarks use the same one.
//
// Writes the media files into the drive folder and the records through `files`, which must be
// open for writing on that drive.
void layOutFullShop(const Drive& drive, SiteFiles& files);

// The run options the full shop is generated with: boxed product rows, each in its product's
// own style, with the order form; the same as the command line's flags below.
void selectFullShopOptions(AppState& state);
inline constexpr const char* kFullShopGenerateFlags[] = {"--boxed", "--from-detail", "--shopcart"};

}  // namespace tarvomen::testing
