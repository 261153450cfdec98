#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/window_manager.hpp"
#include "store/app_state.hpp"
#include "styles/sample_colors.hpp"

namespace tarvomen::styles {

// The style picker "COLORPICK": colours, fonts and font sizes of the page of the page selection,
// each choice written at once into the page's style record, and, for the home page, the three
// run options of the site generator.
class Form1 {
  public:
    static constexpr int kItems = 10;
    static constexpr int kComboLeft = 360;      // twips
    static constexpr int kComboTop = 1200;      // twips
    static constexpr int kItemSpacing = 500;    // twips between the items' lines
    static constexpr int kSampleOffset = 2300;  // twips from a combo's left to its sample box

    struct Combo {
        std::vector<std::string> list;
        std::string text;
        Rgb back = kWhite;
        Rgb fore = kBlack;
        bool enabled = true;
        int top = 0;
        int left = 0;
    };
    struct SampleBox {
        std::string text;
        Rgb back = kWhite;
        Rgb fore = kBlack;
        int top = 0;
        int left = 0;
    };
    struct Frame {
        std::string caption;
        std::string toolTip;
        bool visible = true;
    };
    struct Button {
        std::string caption;
        std::string toolTip;
        bool visible = true;
    };
    struct Option {
        std::string caption;
        bool selected = false;
    };

    // Loads the picker for the page of `PageKind` and `CurrentRecord`.
    Form1(AppState& state, WindowManager& windows);

    // Loads the page's style and repaints every item.
    void DoParms();
    // Paints the sample of item CurrItem at position CurrIdx.
    void MatchAll();
    void GetBackGroundOpt();
    void GetForeColorOpt();
    void GetFontSet();

    // An entry chosen in Combo1(item); -1 (no entry) counts as 0.
    void Combo1Click(int item, int position);
    // Option1 ... Option6 clicked (1-based, as the controls are named).
    void OptionClick(int option);
    void Command1Click();  // Exit
    void Command2Click();  // THEME
    void Command3Click();  // Preview
    void Command4Click();  // MIX
    // The window closed by the user (not by one of the buttons).
    void FormUnload();

    const std::string& caption() const { return caption_; }
    const std::array<Combo, kItems>& combos() const { return combo_; }
    const std::array<SampleBox, kItems>& samples() const { return text1_; }
    const std::array<Frame, 3>& frames() const { return frame_; }
    // Option1 ... Option6 at indexes 0 ... 5.
    const std::array<Option, 6>& options() const { return option_; }
    // Command1 ... Command4 at indexes 0 ... 3.
    const std::array<Button, 4>& commands() const { return command_; }

    int CurrItem = 0;
    int CurrIdx = 0;

  private:
    std::string text(int id) const;
    void selectOption(int option);
    void paintAll();
    Rgb sample() const { return sampleColor(CurrIdx); }

    AppState& state_;
    WindowManager& windows_;
    std::string caption_ = "COLORPICK";
    std::array<Combo, kItems> combo_;
    std::array<SampleBox, kItems> text1_;
    std::array<Frame, 3> frame_;
    std::array<Option, 6> option_;
    std::array<Button, 4> command_;
};

// The names of the ten style items, as the combos and samples show them.
extern const std::array<const char*, Form1::kItems> StyleItemNames;

}  // namespace tarvomen::styles
