#pragma once

#include <cstdint>
#include <string>

#include "platform/clipboard.hpp"
#include "platform/drive.hpp"
#include "platform/file_dialog.hpp"
#include "platform/font_list.hpp"
#include "platform/message_box.hpp"
#include "platform/shell.hpp"
#include "store/color_codes.hpp"
#include "store/page_selection.hpp"
#include "store/records.hpp"
#include "store/site_files.hpp"
#include "store/site_publisher.hpp"

namespace tarvomen {

// The platform services the program talks to. Not owned; tests stand in for each of them.
struct Services {
    MessageBox* messages = nullptr;
    Shell* shell = nullptr;
    FontList* fonts = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialog* fileDialog = nullptr;
    // Publishes the site after the FTP dialog's OK; none where the program cannot publish.
    SitePublisher* publisher = nullptr;
};

// The program's global state: one object, owned by the program and passed where needed.
// Names are those of the system's description.
struct AppState {
    AppState(Drive& driveIn, Services servicesIn) : drive(driveIn), services(servicesIn) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    Drive& drive;
    Services services;
    SiteFiles files;

    // Start window.
    std::int16_t LangInd = 0;  // 0 before the choice, 1 English, 200 French
    std::string MessBuff;
    std::int16_t ListProfileSwitch = 0;
    std::int16_t xPosition = 0;
    std::int16_t FormLoginSwitch = 0;
    ColorTable ColorCodes{};

    // Page selection state.
    PageSelection Selection;
    std::int32_t MediaKey = 0;  // the style record number last computed
    bool KillDetail = false;

    // The current style: the in-memory copy of the style record of the page worked on.
    StyleRecord CurrentStyle;

    // Run options of the style picker, never stored.
    bool LinkAppearanceNormal = false;
    bool LinkStyleFromProfile = false;
    bool ShopCartOn = false;

    // Record buffers.
    PageRecord Page;        // page editor's copy; the generator's page record
    PageRecord LinkPage;    // link editor's and link generator's copy
    PageRecord LoginPage;   // FTP dialog's copy
    ProductRecord Product;  // product editor's copy (and the preview's)

    // The number of the generator's next media copy. It outlives a generation: the whole-site
    // generation and the preview start again at 0, the stand-alone link page goes on from it.
    std::int16_t MediaSeq = 0;

    // The FTP values of the last hand-off of the run, as typed.
    struct {
        std::string host;
        std::string user;
        std::string password;
    } FtpRun;
};

}  // namespace tarvomen
