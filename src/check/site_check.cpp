#include "check/site_check.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "check/ascii_case.hpp"
#include "check/html_scan.hpp"
#include "check/media_kind.hpp"
#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "platform/file_bytes.hpp"
#include "store/own_text.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::check {
namespace {

namespace fs = std::filesystem;

bool isPageName(std::string_view name) {
    const std::string l = lowerAscii(name);
    return l.ends_with(".html") || l.ends_with(".htm");
}

std::string extensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return std::string(name.substr(dot));
}

// "N.html": the name of a product page.
bool isProductPageName(std::string_view name) {
    const std::string l = lowerAscii(name);
    if (!l.ends_with(".html") || l.size() == 5) return false;
    return std::all_of(l.begin(), l.end() - 5, [](unsigned char c) { return std::isdigit(c); });
}

// The URL path prefix of the site folder on the server, and the lower-case one under which the
// publisher mirrors the pages for hosts that compare names exactly.
constexpr std::string_view kServedPrefix = "/Tarvomen/";
constexpr std::string_view kMirrorPrefix = "/tarvomen/";

std::string percentDecode(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() &&
            std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The files of the site folder by their site-relative path ("Data/3.GIF"), exact and folded.
struct SiteListing {
    std::set<std::string> exact;
    std::map<std::string, std::string> byFolded;  // lower-case path -> path on disk
    std::map<std::string, std::uintmax_t> sizes;
};

SiteListing listSite(const fs::path& root) {
    SiteListing files;
    std::error_code ec;
    fs::recursive_directory_iterator it(root, ec), end;
    if (ec) throw Error("The site folder " + root.string() + " cannot be read: " + ec.message());
    for (; it != end; it.increment(ec)) {
        if (ec) break;
        // Links are not followed: nothing outside the site folder is read.
        if (!it->is_regular_file(ec) || it->is_symlink(ec)) continue;
        const std::string relative = fs::relative(it->path(), root, ec).generic_string();
        files.exact.insert(relative);
        files.byFolded.emplace(lowerAscii(relative), relative);
        files.sizes[relative] = it->file_size(ec);
    }
    return files;
}

// The site-relative path a reference names, and whether a host that compares names exactly
// serves it under the name as written.
struct Resolved {
    enum class Kind { External, SamePage, OutsideSite, InSite } kind = Kind::External;
    std::string path;           // as written, decoded, relative to the site folder
    std::string fragment;       // after "#"
    bool prefixExact = true;    // the site prefix is one that a case-sensitive host serves
    bool mirroredOnly = false;  // written with the mirror prefix, which holds pages only
};

Resolved resolveReference(std::string_view page, std::string_view reference) {
    Resolved r;
    std::string_view ref = reference;
    if (const std::size_t hash = ref.find('#'); hash != std::string_view::npos) {
        r.fragment = std::string(ref.substr(hash + 1));
        ref = ref.substr(0, hash);
    }
    if (const std::size_t query = ref.find('?'); query != std::string_view::npos) {
        ref = ref.substr(0, query);
    }
    const std::size_t colon = ref.find(':');
    if (ref.starts_with("//") || (colon != std::string_view::npos && colon < ref.find('/'))) {
        return r;  // another host, or mailto: and the like
    }
    if (ref.empty()) {
        r.kind = Resolved::Kind::SamePage;
        return r;
    }
    std::string path;
    if (ref.starts_with('/')) {
        if (lowerAscii(ref.substr(0, kServedPrefix.size())) != lowerAscii(kServedPrefix)) {
            r.kind = Resolved::Kind::OutsideSite;
            r.path = std::string(ref);
            return r;
        }
        const std::string_view prefix = ref.substr(0, kServedPrefix.size());
        r.prefixExact = prefix == kServedPrefix || prefix == kMirrorPrefix;
        r.mirroredOnly = prefix == kMirrorPrefix;
        path = percentDecode(ref.substr(kServedPrefix.size()));
    } else {
        const std::size_t slash = page.rfind('/');
        const std::string folder =
            slash == std::string_view::npos ? "" : std::string(page.substr(0, slash + 1));
        path = folder + percentDecode(ref);
    }
    // Apply "." and ".." as a browser does; ".." above the site folder leaves it.
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, slash - start);
        if (part == "..") {
            if (parts.empty()) {
                r.kind = Resolved::Kind::OutsideSite;
                r.path = std::string(reference);
                return r;
            }
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    r.kind = Resolved::Kind::InSite;
    for (std::size_t i = 0; i < parts.size(); ++i) r.path += (i ? "/" : "") + parts[i];
    return r;
}

// What one page holds that other pages' checks need.
struct PageFacts {
    std::string bytes;
    std::vector<Tag> tags;
    std::string title;
    std::set<std::string> anchors;  // A NAME and id values
};

PageFacts readPage(const fs::path& file) {
    PageFacts facts;
    facts.bytes = readFileBytes(file).value_or(std::string{});
    facts.tags = scanTags(facts.bytes);
    for (std::size_t i = 0; i < facts.tags.size(); ++i) {
        const Tag& tag = facts.tags[i];
        if (tag.name == "TITLE" && facts.title.empty()) {
            const auto close = std::find_if(facts.tags.begin() + i, facts.tags.end(),
                                            [](const Tag& t) { return t.name == "/TITLE"; });
            if (close != facts.tags.end()) {
                const std::size_t closeStart = facts.bytes.rfind('<', close->end - 1);
                facts.title = textBetween(facts.bytes, tag.end, closeStart);
            }
        }
        if (const std::string* name = tag.name == "A" ? tag.attribute("NAME") : nullptr) {
            facts.anchors.insert(*name);
        }
        if (const std::string* id = tag.attribute("ID")) facts.anchors.insert(*id);
    }
    return facts;
}

// The attribute of a tag that names a file the browser fetches or goes to, if any.
const std::string* referenceOf(const Tag& tag, bool& isLink) {
    isLink = false;
    if (tag.name == "A" || tag.name == "AREA") {
        isLink = true;
        return tag.attribute("HREF");
    }
    static const std::set<std::string> kSourceTags = {"IMG",    "EMBED", "BGSOUND", "FRAME",
                                                      "IFRAME", "AUDIO", "VIDEO",   "SOURCE",
                                                      "SCRIPT", "INPUT"};
    if (kSourceTags.count(tag.name)) {
        if (const std::string* src = tag.attribute("SRC")) return src;
    }
    return tag.attribute("BACKGROUND");
}

class Checker {
  public:
    Checker(const AppState& state, const CheckOptions& options)
        : state_(state), options_(options) {}

    std::vector<Finding> run() {
        root_ = state_.drive.resolve(paths::kSiteFolder);
        files_ = listSite(root_);
        for (const std::string& file : files_.exact) {
            if (isPageName(file)) pages_.emplace(file, readPage(root_ / file));
        }
        for (const auto& [page, facts] : pages_) checkPage(page, facts);
        for (const auto& [file, size] : files_.sizes) {
            if (!isPageName(file)) checkMedium(file);
            if (size > options_.sizeLimit) {
                hint(file, "",
                     std::string(ownText(state_, "is larger than ", "dépasse ")) +
                         std::to_string(options_.sizeLimit) +
                         ownText(state_, " bytes (", " octets (") + std::to_string(size) +
                         ownText(state_, " bytes): slow for a visitor to load",
                                 " octets) : long à charger pour un visiteur"));
            }
        }
        return std::move(findings_);
    }

  private:
    // A reference written several times on a page (a ruler, say) is reported once.
    void add(Finding::Severity severity, const std::string& page, const std::string& reference,
             std::string message) {
        if (!reported_.insert(page + '\n' + reference + '\n' + message).second) return;
        findings_.push_back(
            {severity, cp1252::toUtf8(page), cp1252::toUtf8(reference), std::move(message)});
    }
    void problem(const std::string& page, const std::string& reference, std::string message) {
        add(Finding::Severity::Problem, page, reference, std::move(message));
    }
    void hint(const std::string& page, const std::string& reference, std::string message) {
        add(Finding::Severity::Hint, page, reference, std::move(message));
    }

    void checkPage(const std::string& page, const PageFacts& facts) {
        const bool listsProducts =
            lowerAscii(page) == "index.html" || lowerAscii(page).starts_with("link3");
        for (std::size_t i = 0; i < facts.tags.size(); ++i) {
            const Tag& tag = facts.tags[i];
            bool isLink = false;
            const std::string* reference = referenceOf(tag, isLink);
            if (!reference) continue;
            const std::string written(trimBlanks(*reference));
            if (written.empty()) continue;
            const std::string target = checkReference(page, written, isLink, facts);
            if (listsProducts && isLink && isProductPageName(target)) {
                checkProductLink(page, written, facts, i, target);
            }
        }
    }

    // Checks one reference; returns the site file it reaches, or empty.
    std::string checkReference(const std::string& page, const std::string& written, bool isLink,
                               const PageFacts& facts) {
        const Resolved r = resolveReference(page, written);
        switch (r.kind) {
            case Resolved::Kind::External:
                return {};
            case Resolved::Kind::SamePage:
                checkFragment(page, written, facts, r.fragment);
                return {};
            case Resolved::Kind::OutsideSite:
                // A link may lead to the server's other pages; a picture or sound must be part of
                // the site that is published.
                if (!isLink) {
                    problem(page, written,
                            ownText(state_, "is outside the site folder, so it is not published",
                                    "est hors du dossier du site et n'est donc pas publié"));
                }
                return {};
            case Resolved::Kind::InSite:
                break;
        }
        const auto found = files_.byFolded.find(lowerAscii(r.path));
        if (found == files_.byFolded.end()) {
            problem(page, written,
                    ownText(state_, "is missing from the site folder",
                            "est absent du dossier du site"));
            return {};
        }
        const std::string& onDisk = found->second;
        const bool mirrored =
            r.mirroredOnly && onDisk.find('/') == std::string::npos && isPageName(onDisk);
        if (onDisk != r.path || !r.prefixExact || (r.mirroredOnly && !mirrored)) {
            problem(page, written,
                    ownText(state_,
                            "works only where names are compared without regard to letter case; "
                            "the file is ",
                            "ne marche que là où la casse des noms est ignorée ; le fichier est ") +
                        cp1252::toUtf8(onDisk));
        }
        if (!r.fragment.empty()) {
            if (const auto target = pages_.find(onDisk); target != pages_.end()) {
                checkFragment(page, written, target->second, r.fragment);
            }
        }
        return onDisk;
    }

    void checkFragment(const std::string& page, const std::string& written, const PageFacts& target,
                       const std::string& fragment) {
        if (fragment.empty() || lowerAscii(fragment) == "top" || target.anchors.count(fragment))
            return;
        hint(page, written,
             ownText(state_, "names a place the page does not mark; the browser shows its top",
                     "désigne un endroit que la page ne marque pas ; le navigateur en montre le "
                     "haut"));
    }

    void checkProductLink(const std::string& page, const std::string& written,
                          const PageFacts& facts, std::size_t tagIndex, const std::string& target) {
        const auto close = std::find_if(facts.tags.begin() + tagIndex + 1, facts.tags.end(),
                                        [](const Tag& t) { return t.name == "/A"; });
        if (close == facts.tags.end()) return;
        const std::size_t closeStart = facts.bytes.rfind('<', close->end - 1);
        const std::string name = textBetween(facts.bytes, facts.tags[tagIndex].end, closeStart);
        const auto targetPage = pages_.find(target);
        if (name.empty() || targetPage == pages_.end()) return;
        if (targetPage->second.title != name) {
            problem(page, written,
                    std::string(ownText(state_, "is the link of \"", "est le lien de « ")) +
                        cp1252::toUtf8(name) +
                        ownText(state_, "\" but leads to the page titled \"",
                                " » mais mène à la page intitulée « ") +
                        cp1252::toUtf8(targetPage->second.title) + ownText(state_, "\"", " »"));
        }
    }

    void checkMedium(const std::string& file) {
        const auto bytes = readFileBytes(root_ / file);
        if (!bytes) {
            problem(file, "", ownText(state_, "cannot be read", "ne peut être lu"));
            return;
        }
        if (const auto fault = mediaBytesFault(extensionOf(file), *bytes)) {
            problem(file, "", describe(*fault));
        }
    }

    std::string describe(MediaFault fault) const {
        switch (fault) {
            case MediaFault::NotGif:
                return ownText(state_, "is not a GIF picture", "n'est pas une image GIF");
            case MediaFault::NotJpeg:
                return ownText(state_, "is not a JPEG picture", "n'est pas une image JPEG");
            case MediaFault::NotWav:
                return ownText(state_, "is not a WAV sound", "n'est pas un son WAV");
            case MediaFault::NotAvi:
                return ownText(state_, "is not an AVI video", "n'est pas une vidéo AVI");
            case MediaFault::NotMpeg:
                return ownText(state_, "is not an MPEG video", "n'est pas une vidéo MPEG");
            case MediaFault::CutShort:
                break;
        }
        return ownText(state_, "is cut short: the file ends before its own end",
                       "est tronqué : le fichier s'arrête avant sa fin");
    }

    const AppState& state_;
    const CheckOptions& options_;
    fs::path root_;
    SiteListing files_;
    std::map<std::string, PageFacts> pages_;
    std::vector<Finding> findings_;
    std::set<std::string> reported_;
};

template <class Record>
void hintFullFields(const AppState& state, const Record& record, const std::string& where,
                    std::vector<Finding>& findings) {
    Record::visit(record, [&](std::string_view field, const auto& value) {
        using Value = std::decay_t<decltype(value)>;
        if constexpr (requires { Value::kWidth; }) {
            // Codes and 8.3 media names fill short fields by nature; texts do not.
            if (Value::kWidth >= 20 && value.raw().back() != ' ') {
                findings.push_back(
                    {Finding::Severity::Hint, where, std::string(field),
                     std::string(ownText(state, "fills its whole field of ",
                                         "remplit tout son champ de ")) +
                         std::to_string(Value::kWidth) +
                         ownText(state, " characters: the end of the text may have been cut off",
                                 " caractères : la fin du texte a peut-être été coupée")});
            }
        }
    });
}

}  // namespace

std::vector<Finding> checkSite(const AppState& state, const CheckOptions& options) {
    return Checker(state, options).run();
}

std::vector<Finding> checkRecords(const AppState& state) {
    std::vector<Finding> findings;
    hintFullFields(state, state.files.readPage(1), "Qvprofile.txt", findings);
    std::map<std::string, std::vector<int>> byName;
    for (int n = 1; n <= SiteFiles::kProductCount; ++n) {
        const ProductRecord product = state.files.readProduct(n);
        const std::string where = "Qvdetail.txt " + std::to_string(n);
        hintFullFields(state, product, where, findings);
        if (!product.ProductName.blank())
            byName[lowerAscii(product.ProductName.trimmed())].push_back(n);
    }
    for (const auto& [name, numbers] : byName) {
        if (numbers.size() < 2) continue;
        std::string list;
        for (int n : numbers) list += (list.empty() ? "" : ", ") + std::to_string(n);
        const ProductRecord first = state.files.readProduct(numbers.front());
        findings.push_back(
            {Finding::Severity::Hint, "Qvdetail.txt", "ProductName",
             std::string(ownText(state, "\"", "« ")) + cp1252::toUtf8(first.ProductName.trimmed()) +
                 ownText(state, "\" is the name of the products ", " » est le nom des produits ") +
                 list});
    }
    return findings;
}

}  // namespace tarvomen::check
