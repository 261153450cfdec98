// generate, preview and link: the generate command of the pickers for the home page (the whole
// site), a product (its preview page) or a link page, on the record files of the drive.
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "generator/generate.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::cli {
namespace {

using generator::DescribeMediaFailures;
using generator::Generate;
using generator::GenerationResult;

struct Options {
    std::vector<std::string> positional;
    bool boxed = false;
    bool fromDetail = false;
    bool shopCart = false;
    bool open = false;
};

// `allowed` lists the options besides --open that the command takes.
Options parseOptions(const std::vector<std::string>& args,
                     std::initializer_list<std::string_view> allowed) {
    Options options;
    for (const std::string& arg : args) {
        const bool known = arg == "--open" || std::find(allowed.begin(), allowed.end(),
                                                        std::string_view(arg)) != allowed.end();
        if (arg.starts_with("-") && !known) throw UsageError("unknown option \"" + arg + "\".");
        if (arg == "--open") {
            options.open = true;
        } else if (arg == "--boxed") {
            options.boxed = true;
        } else if (arg == "--from-detail") {
            options.fromDetail = true;
        } else if (arg == "--shopcart") {
            options.shopCart = true;
        } else {
            options.positional.push_back(arg);
        }
    }
    return options;
}

// The program as the pickers find it: the record files open, the page record in memory, the
// run options as the style picker sets them when it opens for the home page (Normal, From
// Profile, ShopCart Off) unless the options change them.
void prepareState(Context& context, const Options& options) {
    context.openSiteFiles();
    AppState& state = context.state;
    state.Page = state.files.readPage(1);
    state.LinkAppearanceNormal = !options.boxed;
    state.LinkStyleFromProfile = !options.fromDetail;
    state.ShopCartOn = options.shopCart;
}

// Runs the generate command for `page` and prints the host path of the page it wrote. A message box
// that stopped it (its text is already on stderr), a page that could not be written or a medium
// that could not be copied gives status 1.
int generatePage(Context& context, const PageSelection& page, const char* command, bool open) {
    AppState& state = context.state;
    // --open: the page reaches the desktop through the preview server, so that the browser
    // resolves the pages' server-absolute addresses. This is the one place that decides how a
    // written page is shown. (tarvomen-cli hands the whole command to its transport program
    // here, before anything is written.)
    std::unique_ptr<BrowserPreview> preview;
    if (open) preview = startBrowserPreview(context);

    state.Selection = page;
    GetMediaParm(state);  // the page's style, as the pickers hold it
    GenerationResult result;
    try {
        result = Generate(state, page);
    } catch (const UsageError&) {
        throw;
    } catch (const Error& error) {
        context.err << "tarvomen-cli " << command << ": " << error.what() << "\n";
        return kExitFailure;
    }
    if (!result.complete()) {
        context.err << "tarvomen-cli " << command << ": " << DescribeMediaFailures(state, result)
                    << "\n";
    }
    if (result.shown == GenerationResult::Shown::Nothing) return kExitFailure;
    context.out << state.drive.resolve(result.shownPage).string() << "\n";
    const int status = result.complete() ? kExitOk : kExitFailure;
    if (!preview) return status;
    const int served = preview->showAndServe(context, result.shownPage);
    return status == kExitOk ? served : status;
}

}  // namespace

int runGenerate(Context& context) {
    const Options options = parseOptions(context.args, {"--boxed", "--from-detail", "--shopcart"});
    if (!options.positional.empty()) {
        throw UsageError("unexpected argument \"" + options.positional.front() + "\".");
    }
    prepareState(context, options);
    return generatePage(context, PageSelection::HomePage(), "generate", options.open);
}

int runPreview(Context& context) {
    const Options options = parseOptions(context.args, {});
    if (options.positional.size() != 1) throw UsageError("name one product: preview N.");
    const int product = parseNumberArgument(options.positional[0], 1, 30, "The product number");
    prepareState(context, options);
    return generatePage(context, PageSelection::ProductPage(product), "preview", options.open);
}

int runLink(Context& context) {
    const Options options = parseOptions(context.args, {});
    if (options.positional.size() != 1) throw UsageError("name the link page: link 2 or link 3.");
    const int linkNo = parseNumberArgument(options.positional[0], 2, 3, "The link page");
    prepareState(context, options);
    return generatePage(context, PageSelection::LinkPage(static_cast<std::int16_t>(linkNo)), "link",
                        options.open);
}

}  // namespace tarvomen::cli
