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
// Each media file starts with its own Windows path, so that a copy tells where it came from.
//
// Writes the media files into the drive folder and the records through `files`, which must be
// open for writing on that drive.
void layOutFullShop(const Drive& drive, SiteFiles& files);

// A style with the fixtures' colours by position (ScreenColor, LinkColor, ActiveLinkColor,
// BoxColor, BoxTextColor, TextColor: #FFFFFF, #0000FF, #FF0000, #000080, #FFFF00, #000000),
// fonts Arial (box) and Verdana (text), sizes 3 and 2, no media.
StyleRecord plainStyle(bool listedOnHomePage = true);
// The same with all seven media of the theme folder THEME0<theme> of the media folder
// (BACKGD01.GIF, BANNER01.JPG, HRULER01.GIF, IMAGES01.JPG, CONTRL01.GIF, SOUNDS01.WAV,
// VIDEO01.AVI).
StyleRecord themeStyleOf(int theme, bool listedOnHomePage = true);

// The run options the full shop is generated with: boxed product rows, each in its product's
// own style, with the order form; the same as the command line's flags below.
void selectFullShopOptions(AppState& state);
inline constexpr const char* kFullShopGenerateFlags[] = {"--boxed", "--from-detail", "--shopcart"};

}  // namespace tarvomen::testing
