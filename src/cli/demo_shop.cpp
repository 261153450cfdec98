// init --demo: a small gift shop with every home-page section filled, both link pages, thirteen
// products and styles that use the shipped theme and mix folders.
#include "cli/demo_shop.hpp"

#include <algorithm>
#include <array>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/cp1252.hpp"
#include "platform/data_dir.hpp"
#include "store/numbers.hpp"
#include "store/site_paths.hpp"
#include "store/style_ops.hpp"

namespace fs = std::filesystem;

namespace tarvomen::cli {
namespace {

// Colour positions of `ColorCodes`.
enum Colour : std::int16_t {
    Black = 0,
    Red = 5,
    Brown = 8,
    DarkBlue = 10,
    Purple = 11,
    Green = 12,
    White = 14,
};

// Font size positions: the stored size is the position + 1.
constexpr std::int16_t kSize3 = 2;
constexpr std::int16_t kSize4 = 3;

struct Look {
    std::int16_t link;     // visited links
    std::int16_t boxText;  // headings, boxed text, product descriptions
    std::int16_t text;     // body text
};
constexpr Look kOcean{Purple, DarkBlue, DarkBlue};
constexpr Look kForest{Brown, Green, Black};

// The seven media names of a style and the folder (under the media folder) they come from.
struct Media {
    const char* folder;
    const char* background;
    const char* banner;
    const char* ruler;
    const char* image;
    const char* control;
    const char* sound;
    const char* video;
};

struct DemoProduct {
    const char* name;
    const char* description;
    int quantity;
    const char* price;
    const char* picture;  // file in the demo picture folder
    const char* body;
    const char* imageText;
    const char* videoText;
    bool onHomePage;
    Look look;
    Media media;
};

// Home-page products come first, so that the page numbers of the home page and the Link3 page
// follow record order.
const std::array<DemoProduct, 13> kProducts = {{
    {"Sea Glass Mug",
     "Stoneware mug in sea-glass blue",
     1,
     "18.5",
     "SEAMUG.JPG",
     "Thrown by hand on Harbour Lane and glazed in the blue-green of the glass we find on the "
     "beach.<BR>Holds a generous 350 ml.<P><I>Dishwasher safe.</I>",
     "Every mug carries a small wave drawn in white slip.",
     "",
     true,
     kOcean,
     {"OCEAN", "BACKGD01.GIF", "BANNER02.JPG", "HRULER02.GIF", "IMAGES01.JPG", "CONTRL01.GIF", "",
      ""}},
    {"Lighthouse Candle",
     "Striped pillar candle, 40 hours",
     1,
     "14.95",
     "LHCANDLE.JPG",
     "A pillar candle in the red and white of the Port Elwen light,<BR>poured from soy wax and "
     "scented with sea salt and driftwood.",
     "Our light has guided boats home since 1871.",
     "",
     true,
     kOcean,
     {"OCEAN", "BACKGD03.GIF", "BANNER01.JPG", "HRULER01.GIF", "IMAGES03.JPG", "CONTRL01.GIF",
      "SOUNDS02.WAV", ""}},
    {"Harbour Black Tea",
     "Breakfast blend, 100 g tin",
     1,
     "7.5",
     "TEATIN.JPG",
     "A strong breakfast blend, the way the fishermen take it at dawn.<BR>Loose leaf in a "
     "resealable navy tin.",
     "",
     "",
     true,
     kOcean,
     {"OCEAN", "BACKGD02.GIF", "BANNER03.JPG", "HRULER03.GIF", "", "CONTRL02.GIF", "", ""}},
    {"Scallop Shell Soaps",
     "Three guest soaps in a gift box",
     3,
     "12",
     "SHLSOAP.JPG",
     "Three little soaps shaped like scallop shells: rose, sea-blue and sand.<BR>Made with olive "
     "oil and a touch of lavender.",
     "Shaped in moulds taken from real shells.",
     "",
     true,
     kOcean,
     {"OCEAN", "BACKGD01.GIF", "BANNER02.JPG", "HRULER02.GIF", "IMAGES02.JPG", "CONTRL02.GIF", "",
      ""}},
    {"Sailor's Knot Bracelet",
     "Navy cord with a brass bead",
     1,
     "9.5",
     "BRACELET.JPG",
     "Tied by hand in a sailor's knot from soft waxed cord.<BR>One size, slides to fit.",
     "",
     "",
     true,
     kOcean,
     {"OCEAN", "BACKGD03.GIF", "BANNER01.JPG", "HRULER01.GIF", "", "CONTRL01.GIF", "", ""}},
    {"Driftwood Photo Frame",
     "For 10 x 15 cm prints",
     1,
     "24",
     "FRAME.JPG",
     "Each frame is cut from driftwood gathered after the winter storms, so no two are alike.<BR>"
     "Glass front, stands or hangs.",
     "",
     "",
     true,
     kOcean,
     {"OCEAN", "BACKGD02.GIF", "BANNER03.JPG", "HRULER03.GIF", "", "CONTRL03.GIF", "", ""}},
    {"Pine Forest Candle",
     "Scented candle in a glass jar",
     1,
     "16.5",
     "PINECNDL.JPG",
     "Pine needles, cedar and a little smoke: the woods behind the town after rain.<BR>About 45 "
     "hours of burning.",
     "The scent is blended in our own workshop.",
     "",
     true,
     kForest,
     {"FOREST", "BACKGD01.GIF", "BANNER01.JPG", "HRULER01.GIF", "IMAGES01.JPG", "CONTRL01.GIF",
      "SOUNDS02.WAV", ""}},
    {"Wildflower Honey",
     "Raw honey from the hills, 340 g",
     1,
     "8.75",
     "HONEY.JPG",
     "Raw, unheated honey from hives at the edge of the forest,<BR>where the bees find heather, "
     "clover and wild thyme.",
     "",
     "",
     true,
     kForest,
     {"FOREST", "BACKGD03.GIF", "BANNER02.JPG", "HRULER02.GIF", "", "CONTRL02.GIF", "", ""}},
    {"Fern Leaf Notebook",
     "A5, 96 pages of recycled paper",
     1,
     "11",
     "NOTEBOOK.JPG",
     "A kraft-covered notebook with a fern printed by hand from a real leaf.<BR>Lies flat, plain "
     "pages.",
     "Printed with fern leaves from the shady side of the hill.",
     "",
     true,
     kForest,
     {"FOREST", "BACKGD01.GIF", "BANNER03.JPG", "HRULER03.GIF", "IMAGES04.JPG", "CONTRL03.GIF", "",
      ""}},
    {"Gift Wrapping",
     "Ribbon, tissue and a hand-written card",
     1,
     "3.5",
     "GIFTWRAP.JPG",
     "Add this to your order and we wrap each piece in tissue,<BR>tie it with ribbon and "
     "write your message on a card.",
     "Tell us the message in the order notes.",
     "Every parcel is tied by hand.",
     true,
     kOcean,
     {"MIXDEMO", "", "Candy.GIF", "ribbon.gif", "GIFTBOX.JPG", "btnstar.gif", "bell.wav", ""}},
    {"Wooden Toy Boat",
     "Sale: was $26, hand-sanded beech",
     1,
     "19",
     "TOYBOAT.JPG",
     "A little sailing boat in oiled beech with cotton sails.<BR>Floats in the bath.",
     "",
     "",
     false,
     kOcean,
     {"OCEAN", "BACKGD03.GIF", "BANNER02.JPG", "HRULER02.GIF", "", "CONTRL01.GIF", "", ""}},
    {"Oak Leaf Coasters",
     "Sale: set of four, was $14",
     4,
     "10",
     "COASTERS.JPG",
     "Four turned oak coasters with a leaf burnt into each one.<BR>Finished with beeswax.",
     "",
     "",
     false,
     kForest,
     {"FOREST", "BACKGD02.GIF", "BANNER01.JPG", "HRULER01.GIF", "", "CONTRL01.GIF", "", ""}},
    {"Woodland Tote Bag",
     "Sale: heavy cotton, was $18",
     1,
     "13.5",
     "TOTEBAG.JPG",
     "A roomy tote of heavy natural cotton, printed with three pines.<BR>Long handles.",
     "",
     "",
     false,
     kForest,
     {"FOREST", "BACKGD03.GIF", "BANNER02.JPG", "HRULER02.GIF", "", "CONTRL03.GIF", "", ""}},
}};

// Style records of the home page and the two link pages, and the one kept by the products that
// the demo leaves empty (so that a product the user adds is listed on the home page and looks
// like the shop).
constexpr Media kHomeMedia{
    "OCEAN", "BACKGD01.GIF", "BANNER01.JPG", "HRULER01.GIF", "IMAGES02.JPG", "", "SOUNDS01.WAV",
    ""};
constexpr Media kLink2Media{
    "FOREST", "BACKGD01.GIF", "BANNER01.JPG", "HRULER01.GIF", "IMAGES01.JPG", "", "", ""};
constexpr Media kLink3Media{
    "OCEAN", "BACKGD03.GIF", "BANNER02.JPG", "HRULER02.GIF", "IMAGES04.JPG", "", "", ""};
constexpr Media kNoMedia{"", "", "", "", "", "", "", ""};

// Stores demo text; a text longer than its field is a mistake in the demo, not cut.
template <std::size_t N>
void put(FixedText<N>& field, std::string_view utf8) {
    const std::string text = cp1252::fromUtf8(utf8, "demo text");
    if (text.size() > N) throw std::logic_error("demo text longer than its field: " + text);
    field.assign(text);
}

std::string pictureTo(std::string_view file) {
    return file.empty() ? std::string()
                        : std::string(paths::kDemoPictureFolder) + "\\" + std::string(file);
}

// The position of the first of `wanted` in the font list, else 0.
std::int16_t fontPosition(const AppState& state, std::initializer_list<std::string_view> wanted) {
    if (!state.services.fonts) return 0;
    const auto& names = state.services.fonts->names();
    for (std::string_view name : wanted) {
        const auto it = std::find(names.begin(), names.end(), name);
        if (it != names.end()) return static_cast<std::int16_t>(it - names.begin());
    }
    return 0;
}

// Writes the style record of `page` through PutMediaParm, so that colours, fonts and sizes are
// derived from the positions as the style picker stores them.
void putStyle(AppState& state, const PageSelection& page, const Look& look, const Media& media,
              bool onHomePage) {
    state.Selection = page;
    GetMediaParm(state);  // keeps the stored RecordNo
    StyleRecord& style = state.CurrentStyle;
    const std::int16_t serif =
        fontPosition(state, {"DejaVu Serif", "Georgia", "Times New Roman", "Liberation Serif"});
    const std::int16_t sans =
        fontPosition(state, {"DejaVu Sans", "Verdana", "Arial", "Liberation Sans"});
    style.StyleIndex = {White, look.link, Red,       White,  look.boxText,
                        serif, kSize4,    look.text, kSize3, sans};
    const std::string folder =
        *media.folder ? std::string(paths::kMediaFolder) + "\\" + media.folder + "\\" : "";
    style.MediaFolder.assign(folder);
    style.BackgroundFile.assign(media.background);
    style.BannerFile.assign(media.banner);
    style.RulerFile.assign(media.ruler);
    style.ImageFile.assign(media.image);
    style.ControlFile.assign(media.control);
    style.SoundFile.assign(media.sound);
    style.VideoFile.assign(media.video);
    style.LinkToProfile = onHomePage ? -1 : 0;
    PutMediaParm(state);
}

PageRecord demoPage() {
    PageRecord page;
    put(page.DomainName, "www.driftwood-fern.example");
    put(page.Title, "Driftwood & Fern - Gifts from the Coast and Woods");
    put(page.Heading, "Driftwood & Fern Gift Shop");
    put(page.LogoImage, pictureTo("LOGO.GIF"));
    put(page.CompanyName, "Driftwood & Fern Ltd.");
    put(page.CompanyAddress, "12 Harbour Lane");
    put(page.City, "Port Elwen");
    put(page.PostCode, "ME 04101, U.S.A.");
    put(page.Phone, "+1 207 555 0148");
    put(page.Fax, "+1 207 555 0149");
    put(page.Email, "hello@driftwood-fern.example");
    put(page.Link1, "Browse Our Products");
    put(page.Link2, "About Our Shop");
    put(page.Link3, "Sale Corner");
    put(page.Link4, "Visit or Write to Us");
    put(page.VideoText,
        "Open every day from 9 to 6, Sundays from 11 to 4.<BR>Free local delivery on orders "
        "over $40.");
    put(page.ImageText,
        "New this season:<BR><I>scallop shell soaps</I><BR>in rose, sea-blue and sand.");
    put(page.BodyText,
        "Welcome to <B>Driftwood &amp; Fern</B>, a small gift shop on Harbour Lane.<BR>"
        "Everything here is made by hand by makers from the coast and the woods<BR>"
        "around Port Elwen: mugs and candles, soaps and honey, notebooks and toys.<P>"
        "Choose a product below to see its page.<BR>"
        "Orders are packed by hand and posted within two working days.");
    put(page.CurrencyName, "U.S.");
    put(page.CurrencySymbol, "$");
    put(page.LinkHeading[0], "Made by hand on Harbour Lane since 1998");
    put(page.LinkImage[0], pictureTo("WORKSHOP.JPG"));
    put(page.LinkText[0],
        "Driftwood &amp; Fern began as a market stall run by two friends,<BR>a potter and a "
        "candle maker. Today the shop sells the work of twelve makers,<BR>all of whom live "
        "within a morning's walk of the harbour.<P>Come in and watch the kiln being loaded on "
        "Saturday mornings.");
    put(page.LinkImageText[0], "Our woodland makers work in the pine hills behind the town.");
    put(page.LinkVideoText[0], "Every piece in the shop is signed by its maker.");
    put(page.LinkHeading[1], "Last pieces at special prices");
    put(page.LinkImage[1], pictureTo("SALE.GIF"));
    put(page.LinkText[1],
        "These are the last pieces of their batch,<BR>marked down to make room for the new "
        "season.<BR>Sale prices hold while stocks last.");
    put(page.LinkImageText[1], "New pieces arrive every month - come back soon!");
    return page;
}

ProductRecord demoProduct(const DemoProduct& item, int recordNo) {
    ProductRecord product;
    product.RecordNo = recordNo - 1;  // as the product editor saves it
    put(product.ProductName, item.name);
    put(product.Description, item.description);
    product.QuantityPerUnit = static_cast<std::int16_t>(item.quantity);
    product.UnitPrice = numbers::parseUnitPrice(item.price);
    put(product.ProductImage, pictureTo(item.picture));
    put(product.BodyText, item.body);
    put(product.ImageText, item.imageText);
    put(product.VideoText, item.videoText);
    return product;
}

// Copies the files of `from` (and of its folders, one level deep) into the drive folder
// `windowsFolder`, replacing files of the same name.
void copyOntoDrive(Drive& drive, const fs::path& from, const std::string& windowsFolder) {
    std::vector<fs::directory_entry> entries(fs::directory_iterator(from), {});
    std::sort(entries.begin(), entries.end());
    if (!drive.makeDirectories(windowsFolder)) {
        throw Error("Cannot create the folder " + windowsFolder + ".");
    }
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        const std::string target = windowsFolder + "\\" + name;
        if (entry.is_directory()) {
            copyOntoDrive(drive, entry.path(), target);
            continue;
        }
        std::error_code error;
        fs::copy_file(entry.path(), drive.resolve(target), fs::copy_options::overwrite_existing,
                      error);
        if (error)
            throw Error("Cannot copy " + entry.path().string() + " to " + target + ": " +
                        error.message() + ".");
    }
}

}  // namespace

bool hasShop(const AppState& state) {
    if (!(state.files.readPage(1) == PageRecord{})) return true;
    for (int n = 1; n <= SiteFiles::kProductCount; ++n) {
        if (!(state.files.readProduct(n) == ProductRecord{})) return true;
    }
    return false;
}

void writeDemoShop(AppState& state) {
    state.files.writePage(1, demoPage());
    for (int n = 1; n <= SiteFiles::kProductCount; ++n) {
        const bool demo = n <= static_cast<int>(kProducts.size());
        if (demo) {
            const DemoProduct& item = kProducts[static_cast<std::size_t>(n - 1)];
            state.files.writeProduct(n, demoProduct(item, n));
            putStyle(state, PageSelection::ProductPage(n), item.look, item.media, item.onHomePage);
        } else {
            state.files.writeProduct(n, ProductRecord{});
            putStyle(state, PageSelection::ProductPage(n), kOcean, kNoMedia, true);
        }
    }
    putStyle(state, PageSelection::HomePage(), kOcean, kHomeMedia, true);
    putStyle(state, PageSelection::LinkPage(2), kForest, kLink2Media, true);
    putStyle(state, PageSelection::LinkPage(3), kOcean, kLink3Media, true);
    // Leave the selection on the home page, as the main menu finds it.
    state.Selection = PageSelection::HomePage();
    GetMediaParm(state);
}

bool wantsDemo(const std::vector<std::string>& initArguments) {
    return std::any_of(initArguments.begin(), initArguments.end(),
                       [](const std::string& a) { return a == "--demo" || a == "--force"; });
}

int runInitDemo(Context& context) {
    bool demo = false;
    bool force = false;
    for (const auto& option : context.args) {
        if (option == "--demo") {
            demo = true;
        } else if (option == "--force") {
            force = true;
        } else {
            throw UsageError("unknown option \"" + option + "\".");
        }
    }
    if (!demo) throw UsageError("--force only goes with --demo.");
    const fs::path assets = findDataFolder();

    context.args.clear();
    if (const int status = runInit(context); status != kExitOk) return status;
    AppState& state = context.state;
    if (!force && hasShop(state)) {
        context.err << "This drive already holds a shop; its records were left as they are. "
                       "Use init --demo --force to replace them with the demo shop.\n";
        return kExitFailure;
    }
    copyOntoDrive(state.drive, assets / kSampleMediaFolderName, paths::kMediaFolder);
    copyOntoDrive(state.drive, assets / kDemoPicturesFolderName, paths::kDemoPictureFolder);
    writeDemoShop(state);
    context.out << "Demo shop written: " << kProducts.size() << " products, sample media in "
                << paths::kMediaFolder << "\n";
    return kExitOk;
}

}  // namespace tarvomen::cli
