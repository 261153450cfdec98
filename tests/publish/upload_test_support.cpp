#include "upload_test_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "publish/upload/publish_store.hpp"

namespace tarvomen::testing {

SmallSite::SmallSite() : drive(temp.path()) {
    temp.layOut();
    files = {
        {"index.html", "<HTML><BODY>Home</BODY></HTML>\r\n"},
        {"1.html", "<HTML><BODY>Product 1 <IMG SRC=/Tarvomen/Data/1.JPG></BODY></HTML>\r\n"},
        {"Link211.html", "<HTML><BODY>Link page</BODY></HTML>\r\n"},
        {"Data/0.GIF", std::string("GIF89a") + std::string(20000, '\x01')},
        {"Data/1.JPG", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(30000, '\x02')},
    };
    for (const auto& [relative, bytes] : files) put(relative, bytes);
}

void SmallSite::put(const std::string& relative, const std::string& bytes) const {
    writeFile(temp / ("Tarvomen/" + relative), bytes);
}

void SmallSite::remove(const std::string& relative) const {
    std::filesystem::remove(temp / ("Tarvomen/" + relative));
}

std::vector<std::string> SmallSite::expectedOnServer(const std::string& folder,
                                                     bool caseSensitive) const {
    std::vector<std::string> out;
    for (const auto& [relative, bytes] : files) {
        out.push_back(folder + "/Tarvomen/" + relative);
        if (caseSensitive && relative.find('/') == std::string::npos) {
            out.push_back(folder + "/tarvomen/" + relative);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

publish::UploadOptions fastOptions() {
    publish::UploadOptions options;
    options.attempts = 2;
    options.firstDelay = std::chrono::milliseconds(10);
    return options;
}

publish::PublishReport publishTo(const SmallSite& site, const FtpTestServer& server,
                                 publish::UploadOptions options, bool allowPlainFtp,
                                 std::function<void(publish::SiteUploader&)> prepare) {
    publish::PublishTarget target;
    target.host = publish::RemoteHost::parse(server.host() + "/www");
    target.user = server.options().user;
    target.password = server.options().password;
    auto uploader = publish::makeSiteUploader(site.drive, target, allowPlainFtp, options);
    if (prepare) prepare(*uploader);
    return uploader->run();
}

publish::PublishReport publishTo(const SmallSite& site, const std::string& host,
                                 const std::string& user, const std::string& password,
                                 publish::UploadOptions options,
                                 std::function<void(publish::SiteUploader&)> prepare) {
    publish::PublishTarget target;
    target.host = publish::RemoteHost::parse(host + "/www");
    target.user = user;
    target.password = password;
    auto uploader = publish::makeSiteUploader(site.drive, target, false, options);
    if (prepare) prepare(*uploader);
    return uploader->run();
}

void acceptIdentity(const SmallSite& site, const publish::PublishReport& report) {
    ASSERT_TRUE(report.identity.has_value()) << report.problem;
    publish::PublishStore::forDrive(site.drive).trust(*report.identity);
}

}  // namespace tarvomen::testing
