#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ftp_test_server.hpp"
#include "platform/drive.hpp"
#include "publish/upload/site_uploader.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::testing {

// A drive whose site folder holds a small generated site: three pages and two media copies.
struct SmallSite {
    SmallSite();

    void put(const std::string& relative, const std::string& bytes) const;
    void remove(const std::string& relative) const;
    // The files the server should hold below `folder` for the current site.
    std::vector<std::string> expectedOnServer(const std::string& folder, bool caseSensitive) const;

    TempDrive temp;
    Drive drive;
    std::map<std::string, std::string> files;  // "index.html", "Data/0.GIF" -> bytes
};

// Retries fast, so that a dead server fails the run at once.
publish::UploadOptions fastOptions();

// Publishes the site to `server` below its folder "www" with the server's user and password.
publish::PublishReport publishTo(const SmallSite& site, const FtpTestServer& server,
                                 publish::UploadOptions options = fastOptions(),
                                 bool allowPlainFtp = false,
                                 std::function<void(publish::SiteUploader&)> prepare = {});

// Publishes the site to `host` (as the FTP host field holds it) below its folder "www".
publish::PublishReport publishTo(const SmallSite& site, const std::string& host,
                                 const std::string& user, const std::string& password,
                                 publish::UploadOptions options = fastOptions(),
                                 std::function<void(publish::SiteUploader&)> prepare = {});

// Stores the server identity the report was refused for as accepted.
void acceptIdentity(const SmallSite& site, const publish::PublishReport& report);

}  // namespace tarvomen::testing
