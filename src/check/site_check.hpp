#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/app_state.hpp"

namespace tarvomen::check {

// One thing found wrong with the site. A problem breaks something a visitor sees; a hint is
// worth a look but breaks nothing.
struct Finding {
    enum class Severity { Problem, Hint };
    Severity severity = Severity::Problem;
    std::string page;       // the file of the site folder it concerns ("index.html", "Data/3.GIF")
    std::string reference;  // the reference as the page writes it, or empty
    std::string message;    // what is wrong, in the chosen language
};

struct CheckOptions {
    std::uintmax_t sizeLimit = 1024 * 1024;  // a larger page or medium is a hint
};

// Reads every page of the site folder "C:\Tarvomen\" as a visitor's browser does and checks
// what is on disk, whoever wrote it:
//  - every link to a page of the site and every picture, background, sound and video resolves
//    to a file of the site folder, both as served without regard to letter case and on a host
//    that compares names exactly (where the pages are served under /Tarvomen/ and mirrored under
//    /tarvomen/, the media only under /Tarvomen/);
//  - every medium's bytes are of the kind its name says, and whole;
//  - every product link of the home page and of the Link3 page reaches the page titled with the
//    product's name;
//  - pages and media above the size limit are hinted at.
// Texts of pages and names are Windows-1252 on disk and UTF-8 in the findings. Throws Error when
// the site folder cannot be read.
std::vector<Finding> checkSite(const AppState& state, const CheckOptions& options = {});

// Hints from the records: texts that fill their whole field (they were likely cut when saved)
// and product names given to more than one product. The record files must be open.
std::vector<Finding> checkRecords(const AppState& state);

}  // namespace tarvomen::check
