#include "styles/form1.hpp"

#include <initializer_list>

#include "platform/cp1252.hpp"
#include "shell/strings.hpp"
#include "store/style_ops.hpp"
#include "styles/picker_common.hpp"

namespace tarvomen::styles {

const std::array<const char*, Form1::kItems> StyleItemNames = {
    "Screen Color", "Link Color",    "Active Link Color", "Box Colour", "Box Text Color",
    "Box Font",     "Box Text Size", "Text Color",        "Text Size",  "Text Font"};

namespace {

constexpr int kFontItems[] = {5, 9};
constexpr int kSizeItems[] = {6, 8};
constexpr int kColourItems[] = {0, 1, 2, 3, 4, 7};

// The run option that each option button sets, and the value it sets.
struct OptionEffect {
    bool AppState::*flag;
    bool value;
};
constexpr OptionEffect kOptionEffects[6] = {
    {&AppState::LinkAppearanceNormal, true}, {&AppState::LinkAppearanceNormal, false},
    {&AppState::LinkStyleFromProfile, true}, {&AppState::LinkStyleFromProfile, false},
    {&AppState::ShopCartOn, true},           {&AppState::ShopCartOn, false}};

}  // namespace

Form1::Form1(AppState& state, WindowManager& windows) : state_(state), windows_(windows) {
    // Frames and option captions.
    frame_[0] = {text(147), "Select if Detail links appear as normal or within a coloured box.",
                 true};
    frame_[1] = {text(150),
                 "Apply the colour style of the Profile to all Detail links on the home page or "
                 "take the colour style from each seperate Detail.",
                 true};
    frame_[2] = {text(153), "Include shopping cart in all Details on the front page.", true};
    const int optionTexts[6] = {148, 149, 151, 152, 154, 155};
    for (int n = 0; n < 6; ++n) option_[static_cast<std::size_t>(n)].caption = text(optionTexts[n]);

    // The run options are reset for the home page and kept for any other page.
    if (state_.Selection.PageKind != PageType::Home) {
        for (auto& frame : frame_) frame.visible = false;
    } else {
        for (int n : {1, 3, 6}) {
            selectOption(n);
            const auto& effect = kOptionEffects[n - 1];
            state_.*effect.flag = effect.value;
        }
    }

    command_[0].caption = text(50);
    command_[1].caption = "THEME";
    command_[2].caption = state_.Selection.PageKind == PageType::Home ? text(56) : text(54);
    command_[2].toolTip =
        "If you have selected Profile this button generates ALL your website. Detail and Link "
        "pages only generate a single page.";
    command_[3].caption = "MIX";

    for (int i = 0; i < kItems; ++i) {
        auto& combo = combo_[static_cast<std::size_t>(i)];
        auto& sampleBox = text1_[static_cast<std::size_t>(i)];
        combo.left = kComboLeft;
        combo.top = kComboTop + kItemSpacing * i;
        sampleBox.left = combo.left + kSampleOffset;
        sampleBox.top = combo.top;
    }

    std::vector<std::string> colourNames;
    for (const auto& colour : state_.ColorCodes) colourNames.push_back(colour.name);
    const std::vector<std::string> sizes = {"1", "2", "3", "4", "5", "6"};
    std::vector<std::string> fonts;
    if (state_.services.fonts) fonts = state_.services.fonts->names();
    if (fonts.size() > FontList::kMaxFonts) fonts.resize(FontList::kMaxFonts);
    for (int i : kColourItems) combo_[static_cast<std::size_t>(i)].list = colourNames;
    for (int i : kSizeItems) combo_[static_cast<std::size_t>(i)].list = sizes;
    for (int i : kFontItems) combo_[static_cast<std::size_t>(i)].list = fonts;
    for (int i : {5, 6, 8, 9}) text1_[static_cast<std::size_t>(i)].fore = kBlack;

    for (int i = 0; i < kItems; ++i) {
        combo_[static_cast<std::size_t>(i)].text = StyleItemNames[static_cast<std::size_t>(i)];
        text1_[static_cast<std::size_t>(i)].text = StyleItemNames[static_cast<std::size_t>(i)];
    }

    DoParms();
}

std::string Form1::text(int id) const {
    return shell::text(state_, id);
}

void Form1::DoParms() {
    GetMediaParm(state_);
    command_[1].visible = true;
    for (auto& combo : combo_) combo.enabled = true;
    paintAll();
}

void Form1::paintAll() {
    for (int i = 0; i < kItems; ++i) {
        CurrItem = i;
        CurrIdx = state_.CurrentStyle.StyleIndex[static_cast<std::size_t>(i)];
        MatchAll();
    }
}

void Form1::GetBackGroundOpt() {
    combo_[static_cast<std::size_t>(CurrItem)].back = sample();
}

void Form1::GetForeColorOpt() {
    combo_[static_cast<std::size_t>(CurrItem)].fore = sample();
}

void Form1::GetFontSet() {
    auto& combo = combo_[static_cast<std::size_t>(CurrItem)];
    combo.text = state_.services.fonts ? state_.services.fonts->nameAt(CurrIdx) : std::string();
}

void Form1::MatchAll() {
    auto combo = [this](int i) -> Combo& { return combo_[static_cast<std::size_t>(i)]; };
    auto box = [this](int i) -> SampleBox& { return text1_[static_cast<std::size_t>(i)]; };
    auto showListEntry = [&] {
        auto& current = combo(CurrItem);
        if (CurrIdx >= 0 && static_cast<std::size_t>(CurrIdx) < current.list.size()) {
            current.text = current.list[static_cast<std::size_t>(CurrIdx)];
        }
    };

    switch (CurrItem) {
        case 0:  // Screen Color: the back colour of the screen group
            GetBackGroundOpt();
            for (int i : {1, 2, 7, 8, 9}) combo(i).back = combo(0).back;
            for (int i : {0, 1, 2, 7, 8, 9}) box(i).back = combo(0).back;
            break;
        case 1:  // Link Color
        case 2:  // Active Link Color
            GetForeColorOpt();
            box(CurrItem).fore = combo(CurrItem).fore;
            break;
        case 3:  // Box Colour: the back colour of the box group
            GetBackGroundOpt();
            for (int i : {4, 5, 6}) combo(i).back = combo(3).back;
            for (int i : {3, 4, 5, 6}) box(i).back = combo(3).back;
            break;
        case 4:  // Box Text Color: the text colour of the box group
            GetForeColorOpt();
            for (int i : {3, 5, 6}) combo(i).fore = combo(4).fore;
            for (int i : {3, 4, 5, 6}) box(i).fore = combo(4).fore;
            break;
        case 5:  // Box Font
            GetFontSet();
            break;
        case 6:  // Box Text Size
            showListEntry();
            break;
        case 7:  // Text Color: the text colour of the screen group
            GetForeColorOpt();
            for (int i : {0, 8, 9}) combo(i).fore = combo(7).fore;
            for (int i : {0, 7, 8, 9}) box(i).fore = combo(7).fore;
            break;
        case 8:  // Text Size, in the text colour
            GetForeColorOpt();
            combo(8).fore = combo(7).fore;
            box(8).fore = combo(7).fore;
            showListEntry();
            break;
        case 9:  // Text Font, in the text colour
            GetForeColorOpt();
            combo(9).fore = combo(7).fore;
            box(9).fore = combo(7).fore;
            GetFontSet();
            break;
        default:
            break;
    }
}

void Form1::Combo1Click(int item, int position) {
    if (item < 0 || item >= kItems) return;
    auto& combo = combo_[static_cast<std::size_t>(item)];
    const int p = position < 0 ? 0 : position;
    // An empty list (no fonts at all) offers nothing to choose.
    if (static_cast<std::size_t>(p) >= combo.list.size()) return;

    state_.CurrentStyle.StyleIndex[static_cast<std::size_t>(item)] = static_cast<std::int16_t>(p);
    combo.text = combo.list[static_cast<std::size_t>(p)];
    if (item == 5) state_.CurrentStyle.BoxFont = cp1252::fromUtf8(combo.text, "the font name");
    if (item == 9) state_.CurrentStyle.TextFont = cp1252::fromUtf8(combo.text, "the font name");

    PutMediaParm(state_);
    GetMediaParm(state_);
    paintAll();
}

void Form1::selectOption(int option) {
    // The buttons come in pairs: 1 and 2, 3 and 4, 5 and 6.
    const int first = option - (option + 1) % 2;
    option_[static_cast<std::size_t>(first - 1)].selected = option == first;
    option_[static_cast<std::size_t>(first)].selected = option == first + 1;
}

void Form1::OptionClick(int option) {
    if (option < 1 || option > 6) return;
    selectOption(option);
    const auto& effect = kOptionEffects[option - 1];
    state_.*effect.flag = effect.value;
    if (option == 5) informUser(state_, text(99), "Tarvomen");
}

void Form1::Command1Click() {
    windows_.show(editorOfPageKind(state_));
    windows_.unload(WindowId::Form1);
}

void Form1::Command2Click() {
    windows_.show(WindowId::FormMedia);
    windows_.unload(WindowId::Form1);
}

void Form1::Command4Click() {
    windows_.show(WindowId::FormMedia2);
    windows_.unload(WindowId::Form1);
}

void Form1::Command3Click() {
    {
        const SelectionGuard edited(state_.Selection);
        RunGenerateCommand(state_);
    }
    GetMediaParm(state_);
}

void Form1::FormUnload() {
    if (!windows_.isLoaded(WindowId::FormMedia) && !windows_.isLoaded(WindowId::FormMedia2)) {
        Command1Click();
    } else {
        windows_.unload(WindowId::Form1);
    }
}

}  // namespace tarvomen::styles
