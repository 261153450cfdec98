#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/drive.hpp"

namespace tarvomen::publish {

// Shows the generated site in the browser the way its web server will: the site folder
// "C:\Tarvomen\" of the drive is served over HTTP on the loopback interface under /Tarvomen/
// (any letter case, as the pages write both /Tarvomen/ and /tarvomen/), so that the pages'
// server-absolute references to their pictures and to each other resolve.
//
//  - Bound to 127.0.0.1 only; requests whose Host header is not this server's own loopback
//    address are refused (403), so a web page cannot reach the server through a name of its own.
//  - GET and HEAD only (405 otherwise). Pages (.html, .htm), pictures (.gif, .jpg, .jpeg),
//    sounds (.wav) and videos (.avi, .mpg, .mpeg) of the site folder and its sub-folders, names
//    resolved without regard to letter case; a folder address serves the folder's index.html, as
//    a web server's default document; everything else is 404, with no folder listings.
//  - Nothing outside the site folder is reachable: no "." or ".." components, no backslashes,
//    colons or control characters (after percent-decoding), and no link leading out of it.
//  - The media test page "C:\Program Files\Tarvomen\Tarvomen\AviTest.html" is served at
//    /__tarvomen/AviTest.html with its BGSOUND or EMBED tag shown as an HTML5 player (see
//    media_page::servedPage), and the one medium that page names, when it lies in the media
//    folder "C:\Program Files\Tarvomen\TMedia" and browsers can play it, at
//    /__tarvomen/medium/NAME. Nothing else of the program folder is reachable.
//  - Pages are sent with a small script added before "</BODY>" that reloads the page when
//    notifyGenerated() is called (a long poll on /__tarvomen/events). The files on disk are not
//    changed, so pages opened from the file system are unaffected.
//
// The server runs on threads of its own between start() and stop(); the object itself is used
// from one thread.
class PreviewServer {
  public:
    // Serves the site folder of the drive folder `driveRoot`. The server keeps its own Drive,
    // so the program's current directory is never shared with the serving threads.
    explicit PreviewServer(const std::filesystem::path& driveRoot);
    ~PreviewServer();
    PreviewServer(const PreviewServer&) = delete;
    PreviewServer& operator=(const PreviewServer&) = delete;

    // Listens on 127.0.0.1:`port`, or on a free port when `port` is 0. Throws Error when the
    // port cannot be had.
    void start(int port = 0);
    // Stops listening, ends the waiting reload requests and joins the serving threads.
    void stop();
    bool running() const;
    int port() const;

    // Tells the pages open in the browser that a generation finished: they reload themselves.
    void notifyGenerated();
    std::uint64_t generation() const;

    // "http://127.0.0.1:PORT/Tarvomen/" followed by `relative` ("index.html", "Data/0.GIF"),
    // percent-encoded where needed.
    std::string address(std::string_view relative) const;

    // "http://127.0.0.1:PORT/__tarvomen/AviTest.html", the media test page.
    std::string mediaTestAddress() const;
    // The line the media test page shows, followed by the medium's name, in place of a player
    // for a format browsers cannot play (UTF-8, in the chosen language).
    void setCannotPlayText(std::string text);

    // The name relative to the site folder ("index.html", "Data/0.GIF") of a Windows path to a
    // file that the server sends, or nothing (a path outside the site folder, a folder, a type
    // the server does not send). Letter case does not matter; the name keeps its spelling.
    static std::optional<std::string> siteNameOf(const Drive& drive, std::string_view windowsPath);
    // Whether a Windows path names the media test page (any letter case).
    static bool isMediaTestPage(const Drive& drive, std::string_view windowsPath);

    // The script added to pages served at generation `generation`, and the marker it starts
    // with. Exposed for tests.
    static std::string reloadScript(std::uint64_t generation);
    static constexpr std::string_view kReloadMarker = "<script>/* tarvomen live reload */";

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarvomen::publish
