#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window_manager.hpp"
#include "store/app_state.hpp"
#include "store/fixed_text.hpp"
#include "styles/media_names.hpp"

namespace tarvomen::styles {

// What the media pickers share: a folder view that lists the folders of the media folder, and a
// picture view that lists the files of one kind of a chosen folder as up to 14 picture buttons.
// A double click makes a file the page's choice for that kind; the choices go into the page's
// style record on Preview and on Exit from the picture view. The theme picker (FormMedia) and the
// mix picker (FormMedia2) differ in the folders they open, the files they list and the large
// picture.
class MediaPicker {
  public:
    static constexpr int kMaxFiles = 98;
    static constexpr int kButtons = 14;
    static constexpr const char* kNoFilesFound = "No Files Found.\nSelect a GIF ?.";

    enum class Symbol { None, Sound, Video };

    // An entry of the folder list: the media folder's parents, itself and its sub-folders.
    struct FolderEntry {
        std::string name;  // UTF-8
        std::string path;  // Windows path, UTF-8
        int level = 0;
        bool subFolder = false;
    };
    // A picture button or a display button: a picture file of the chosen folder, or a caption
    // with the sound or video symbol.
    struct PictureButton {
        std::string caption;  // UTF-8
        std::string file;     // trimmed name (Windows-1252) whose picture the button shows
        Symbol symbol = Symbol::None;
        bool visible = false;
        bool selected = false;
    };
    struct KindOption {
        const char* name;  // control name, "OptBackGround"
        std::string caption;
    };

    virtual ~MediaPicker() = default;

    // Shows the folder view.
    void HideScreenItems();
    // Empties the picture buttons and lists the folder again while the large picture is shown.
    void ClearOption1();
    // Writes and opens the media test page for `AviTestFile`.
    void TestAVIHtml();

    // Handlers.
    void Dir1Click(int entry);
    void KindClick(MediaKind kind);
    void ExtensionClick(PictureExtension extension);
    void Option1Click(int button);
    void Option1DblClick(int button);
    void Command1Click();  // Preview
    void Command2Click();  // Exit
    // The window closed: back to the editor of the page.
    void FormUnload();

    // What the view shows.
    const std::string& caption() const { return caption_; }
    const std::string& label1() const { return label1_; }
    const std::string& richTextBox1() const { return richText_; }
    bool richTextBox1Visible() const { return richTextVisible_; }
    const std::vector<FolderEntry>& dir1() const { return dir1_; }
    bool dir1Visible() const { return dir1Visible_; }
    bool framesVisible() const { return framesVisible_; }  // fraImgFormat and fraMedia
    const std::string& selectCaption() const { return selectCaption_; }
    const std::array<KindOption, kMediaKindCount>& kindOptions() const { return kindOptions_; }
    MediaKind kind() const { return kind_; }
    const std::string& gifCaption() const { return gifCaption_; }
    const std::string& jpgCaption() const { return jpgCaption_; }
    PictureExtension extension() const { return extension_; }
    const std::array<PictureButton, kButtons>& option1() const { return option1_; }
    // Display buttons Option2 ... Option8 at indexes 0 ... 6.
    const std::array<PictureButton, kMediaKindCount>& displayButtons() const { return display_; }
    bool optDisplayPicVisible() const { return displayPicVisible_; }
    const std::string& optDisplayPic() const { return displayPic_; }
    const std::string& command1Caption() const { return command1Caption_; }
    bool command1Visible() const { return command1Visible_; }
    const std::string& command2Caption() const { return command2Caption_; }

    // Host path of a file of the chosen folder (empty when it cannot be reached), for loading
    // its picture.
    std::filesystem::path hostPathOf(const std::string& file) const;

    const std::vector<FixedText<12>>& FileNames() const { return fileNames_; }
    const std::array<FixedText<12>, kButtons>& ShownFiles() const { return shownFiles_; }
    int ShownCount() const { return shownCount_; }
    const std::string& SrchPattern() const { return srchPattern_; }
    const std::string& MyPat() const { return myPat_; }
    const std::string& ChosenFolder() const { return chosenFolder_; }  // Windows-1252
    const std::string& AviTestFile() const { return aviTestFile_; }

  protected:
    MediaPicker(AppState& state, WindowManager& windows, WindowId self);
    // The load handler: captions and the folder view. Called by the derived constructors.
    void FormLoad();

    std::string text(int id) const;
    // The listing of the chosen folder for the selected kind (DisplaySelection or DoMIX).
    virtual void listFiles() = 0;
    virtual bool folderAccepted(const std::string& path) const = 0;
    virtual void refuseFolder() = 0;
    virtual int firstHelpText() const = 0;
    virtual int lastHelpText() const = 0;
    virtual int folderPrompt() const = 0;
    virtual void hideLargePicture() = 0;
    virtual void showClickedPicture(const std::string& file) = 0;
    virtual void takeDoubleClicked(int button) = 0;
    virtual const char* visitedLinkColour() const = 0;

    // The listing shared by both pickers: the label for the page kind, then every file that
    // `accepts` in turn into the next picture button, at most 14.
    template <class Accepts>
    void listAccepted(Accepts accepts);
    void showPageKindLabel();
    // Takes ShownFiles(button) for the selected kind, as a theme picker does.
    void takeForKind(int button);
    void showFileLabel(int textId, int button);

    AppState& state_;
    WindowManager& windows_;
    WindowId self_;
    std::string caption_;
    std::string label1_;
    std::string richText_;
    bool richTextVisible_ = true;
    std::vector<FolderEntry> dir1_;
    bool dir1Visible_ = true;
    bool framesVisible_ = false;
    std::string selectCaption_;
    std::array<KindOption, kMediaKindCount> kindOptions_;
    MediaKind kind_ = MediaKind::BackGround;
    std::string gifCaption_;
    std::string jpgCaption_;
    PictureExtension extension_ = PictureExtension::Jpg;
    std::array<PictureButton, kButtons> option1_;
    std::array<PictureButton, kMediaKindCount> display_;
    bool displayPicVisible_ = false;
    std::string displayPic_;
    std::string command1Caption_;
    bool command1Visible_ = false;
    std::string command2Caption_;

    std::vector<FixedText<12>> fileNames_;
    std::array<FixedText<12>, kButtons> shownFiles_;
    int shownCount_ = 0;
    std::string srchPattern_;
    std::string myPat_;
    std::string chosenFolder_;
    std::string aviTestFile_;
};

// The theme media picker: theme folders, whose files follow the naming rule of each kind.
class FormMedia : public MediaPicker {
  public:
    FormMedia(AppState& state, WindowManager& windows);
    // Lists the files of the selected kind and extension.
    void DisplaySelection();

  protected:
    void listFiles() override { DisplaySelection(); }
    bool folderAccepted(const std::string& path) const override;
    void refuseFolder() override;
    int firstHelpText() const override { return 101; }
    int lastHelpText() const override { return 113; }
    int folderPrompt() const override { return 114; }
    void hideLargePicture() override { displayPicVisible_ = false; }
    void showClickedPicture(const std::string& file) override { displayPic_ = file; }
    void takeDoubleClicked(int button) override { takeForKind(button); }
    const char* visitedLinkColour() const override;
};

// The mix media picker: mix folders ("MIX..." or "mix..."), whose files are known by their
// endings alone.
class FormMedia2 : public MediaPicker {
  public:
    FormMedia2(AppState& state, WindowManager& windows);
    // Lists the files of the selected kind by their endings.
    void DoMIX();

  protected:
    void listFiles() override { DoMIX(); }
    bool folderAccepted(const std::string& path) const override;
    void refuseFolder() override;
    int firstHelpText() const override { return 140; }
    int lastHelpText() const override { return 144; }
    int folderPrompt() const override { return 145; }
    void hideLargePicture() override {}
    void showClickedPicture(const std::string& file) override;
    void takeDoubleClicked(int button) override;
    const char* visitedLinkColour() const override;
};

}  // namespace tarvomen::styles
