#pragma once

#include <filesystem>

#include "cli/cli.hpp"
#include "store/app_state.hpp"

namespace tarvomen::cli {

// True when the drive already holds a shop of its own: a page record or a product record that
// is not empty. The record files must be open.
bool hasShop(const AppState& state);

// Writes the demo shop into the open record files: the page record, products 1 to 30 and the
// style records 1 to 30, 101, 112 and 113. Pictures are referred to in paths::kDemoPictureFolder
// and media in the theme and mix folders of the media folder. `ColorCodes` must be filled; fonts
// are taken from the font list by name where it has them.
void writeDemoShop(AppState& state);

// Whether the init arguments ask for the demo shop (--demo, --force).
bool wantsDemo(const std::vector<std::string>& initArguments);

// init --demo [--force]: lays the drive out as init does, refuses a drive that holds a shop
// unless --force is given, copies the sample media and demo pictures of the data folder
// (findDataFolder) onto the drive and writes the demo shop.
int runInitDemo(Context& context);

}  // namespace tarvomen::cli
