#include "shell/form_start.hpp"

#include <gtest/gtest.h>

#include "platform/error.hpp"
#include "shell/strings.hpp"
#include "shell_fixture.hpp"
#include "store/site_files.hpp"

namespace tarvomen::shell {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;
using Mode = FormStart::Mode;

class FormStartTest : public testing::ShellFixture {
  protected:
    std::vector<std::string> captions() const {
        std::vector<std::string> all;
        for (const auto& button : form.Command) all.push_back(button.caption);
        return all;
    }
    bool shown(WindowId window) const {
        for (const auto& [what, which] : windows.calls) {
            if (what == "show" && which == window) return true;
        }
        return false;
    }
};

TEST_F(FormStartTest, OnlyEnglishAndFrenchCanBeChosen) {
    EXPECT_EQ(captions(), (std::vector<std::string>{"English", "Français", "Deutsch", "Italiano",
                                                    "Español", "Japan"}));
    const bool enabled[] = {true, true, false, false, false, false};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(form.Command[i].enabled, enabled[i]) << i;
    EXPECT_FALSE(form.List1Visible);
    EXPECT_FALSE(form.RichTextBox1Visible);

    for (int button : {3, 4, 5, 6}) form.CommandClick(button);
    EXPECT_EQ(state.LangInd, 0);
    EXPECT_EQ(form.mode(), Mode::LanguageChoice);
    EXPECT_FALSE(state.files.allOpen());

    // With an input-method editor active the design captions stay.
    form.FormLoad(true);
    EXPECT_EQ(form.Command[1].caption, "Francais");
    EXPECT_EQ(form.Command[4].caption, "Espanol");
}

TEST_F(FormStartTest, ChoosingALanguageShowsTheMainMenuInThatLanguage) {
    struct {
        int button;
        std::int16_t langInd;
        std::vector<std::string> captions;
    } cases[] = {
        {1, 1, {"Profile", "Detail", "Link", "F.T.P.", "Exit", "Japan"}},
        {2, 200, {"Profil", "Détail", "Lien", "F.T.P.", "Quitter", "Japan"}},
    };
    for (const auto& c : cases) {
        testing::TempDrive temp2;
        temp2.layOut();
        Drive drive2{temp2.path()};
        AppState state2{drive2, state.services};
        FormStart form2{state2, windows};
        form2.FormLoad();
        form2.CommandClick(c.button);

        ASSERT_EQ(form2.mode(), Mode::MainMenu);
        EXPECT_EQ(state2.LangInd, c.langInd);
        std::vector<std::string> shownCaptions;
        for (const auto& button : form2.Command) shownCaptions.push_back(button.caption);
        EXPECT_EQ(shownCaptions, c.captions);
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_TRUE(form2.Command[i].enabled && form2.Command[i].visible) << i;
        }
        EXPECT_FALSE(form2.Command[5].visible);
        EXPECT_TRUE(form2.RichTextBox1Visible);
        EXPECT_TRUE(state2.files.allOpen());
        EXPECT_TRUE(fs::is_directory(temp2 / "Program Files/Tarvomen/Tarvomen"));
        EXPECT_EQ(drive2.currentDirectory(), "C:\\Program Files\\Tarvomen");
        EXPECT_EQ(state2.ColorCodes[1].name, "Grey");
        EXPECT_EQ(state2.ColorCodes[1].code, "#808080");
        EXPECT_EQ(state2.ColorCodes[13].name, "SeaGreen");
        EXPECT_EQ(state2.ColorCodes[13].code, "#008080");
    }
}

TEST_F(FormStartTest, WelcomeTextIsTextsOneToEightEachFollowedByAnEmptyLine) {
    chooseLanguage(1);
    EXPECT_EQ(state.MessBuff,
              "Welcome to the Tarvomen Database...\n\n"
              "This is where you store all your Web Content.\n\n"
              "Your PROFILE can manage 1 Web Site!\n\n"
              "The WEB SITES HOME PAGE is stored in the PROFILE\n\n"
              "Tarvomen will generate seperate HOME PAGES based on the contents of each PROFILE!"
              "\n\n"
              "Each WEB PAGE is stored in the DETAIL.\n\n"
              "DETAIL is a collection of your documents or Products.\n\n"
              "Tarvomen will add a Hyperlink to each HOME PAGE and generate web pages using these "
              "details.\n\n");
    EXPECT_EQ(form.RichTextBox1, state.MessBuff);
    EXPECT_TRUE(shown(WindowId::FormStart));

    // The sixth button is hidden in the menu and does nothing.
    form.CommandClick(6);
    EXPECT_EQ(form.mode(), Mode::MainMenu);
    EXPECT_TRUE(windows.calls.back() == std::make_pair(std::string("show"), WindowId::FormStart));
}

TEST_F(FormStartTest, MissingMediaFolderStopsAtTheLanguageChoiceUntilItIsThere) {
    fs::remove(temp / "Program Files/Tarvomen/TMedia");
    form.CommandClick(1);

    EXPECT_EQ(form.mode(), Mode::LanguageChoice);
    EXPECT_FALSE(state.files.allOpen());
    EXPECT_FALSE(fs::exists(programFile("Qvprofile.txt")));
    EXPECT_FALSE(shown(WindowId::FormStart));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please UNZIP TMedia.zip in C:\\Program Files\\TMedia\\ ");
    EXPECT_EQ(messages.shown[0].buttons, MessageBox::Buttons::Ok);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].first, "C:\\Program Files\\Tarvomen\\");
    EXPECT_EQ(shell.opened[0].second, Shell::ShowMode::Normal);

    // The check runs again at the next press; the folder name compares without regard to case.
    fs::create_directory(temp / "Program Files/Tarvomen/tmedia");
    form.CommandClick(2);
    EXPECT_EQ(form.mode(), Mode::MainMenu);
    EXPECT_EQ(state.LangInd, kLangFrench);
    EXPECT_TRUE(state.files.allOpen());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(FormStartTest, MenuButtonsOpenTheEditorsAndHideTheStartWindow) {
    chooseLanguage(1);
    const std::pair<int, WindowId> cases[] = {
        {1, WindowId::FormProfile}, {2, WindowId::FormDetail}, {3, WindowId::FormLink}};
    for (const auto& [button, editor] : cases) {
        windows.calls.clear();
        form.CommandClick(button);
        EXPECT_EQ(windows.calls, (std::vector<std::pair<std::string, WindowId>>{
                                     {"show", editor}, {"hide", WindowId::FormStart}}));
    }
}

TEST_F(FormStartTest, FtpListShowsTheOneSiteLineAndOpensTheDialog) {
    chooseLanguage(1);
    form.CommandClick(4);
    EXPECT_EQ(form.mode(), Mode::FtpList);
    for (std::size_t i : {0, 1, 2, 4}) EXPECT_FALSE(form.Command[i].visible) << i;
    EXPECT_TRUE(form.Command[3].visible);
    EXPECT_FALSE(form.RichTextBox1Visible);
    EXPECT_TRUE(form.List1Visible);
    // An empty domain name: "1" and 50 blanks.
    EXPECT_EQ(form.List1, std::vector<std::string>{"1" + std::string(50, ' ')});
    EXPECT_EQ(state.ListProfileSwitch, 0);

    PageRecord page;
    page.DomainName = "Caf\xE9.example";  // Windows-1252 in the record, UTF-8 on screen
    state.files.writePage(1, page);
    form.CommandClick(4);
    EXPECT_EQ(form.List1, std::vector<std::string>{"1Café.example" + std::string(38, ' ')});

    windows.calls.clear();
    form.List1Click(0);
    EXPECT_EQ(state.xPosition, 1);
    EXPECT_EQ(state.FormLoginSwitch, 1);
    EXPECT_EQ(windows.calls, (std::vector<std::pair<std::string, WindowId>>{
                                 {"show", WindowId::frmLogin}, {"hide", WindowId::FormStart}}));

    form.RestoreMainMenu();
    EXPECT_EQ(form.mode(), Mode::MainMenu);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_TRUE(form.Command[i].visible) << i;
    EXPECT_TRUE(form.RichTextBox1Visible);
    EXPECT_FALSE(form.List1Visible);
}

TEST_F(FormStartTest, SecondProgramOnTheSameDriveIsToldAndEnds) {
    SiteFiles other;
    other.openAll(drive);
    form.CommandClick(1);

    EXPECT_TRUE(form.ended());
    EXPECT_FALSE(state.files.allOpen());
    ASSERT_EQ(messages.shown.size(), 1u);  // no backup question
    EXPECT_NE(messages.shown[0].text.find("in use by another Tarvomen program"), std::string::npos);
    EXPECT_EQ(messages.shown[0].title, "Tarvomen");
}

TEST_F(FormStartTest, ARecordFileOfAnOddSizeIsToldOnceAndTheMenuStillComes) {
    SiteFiles files;
    files.openAll(drive);
    files.writeProduct(1, ProductRecord{});
    files.closeAll();
    std::string bytes = readFile(programFile("Qvdetail.txt"));
    writeFile(programFile("Qvdetail.txt"), bytes + "stray");

    chooseLanguage(1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("5 stray bytes"), std::string::npos)
        << messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].title, "Tarvomen");
}

// --- The exit sequence and the backup ---

class ExitTest : public FormStartTest {
  protected:
    void writeSession() {
        chooseLanguage(language);
        PageRecord page;
        page.DomainName = "shop.example";
        state.files.writePage(1, page);
        ProductRecord product;
        product.ProductName = "Tea";
        state.files.writeProduct(3, product);
        state.files.writeStyle(101, StyleRecord{});
    }
    std::string backup(const std::string& name) const {
        return readFile(programFile("qv/" + name));
    }

    int language = 1;
};

TEST_F(ExitTest, NoClosesTheFilesAndLeavesTheBackupAlone) {
    writeSession();
    writeFile(programFile("qv/Qvmp.txt"), "old copy");
    windows.show(WindowId::FormDetail);
    form.CommandClick(5);  // Exit

    ASSERT_EQ(messages.shown.size(), 1u);
    const MessageBoxRequest& question = messages.shown[0];
    EXPECT_EQ(question.text, "Do you wish to backup your last session?");
    EXPECT_EQ(question.title, "Tarvomen");
    EXPECT_EQ(question.buttons, MessageBox::Buttons::YesNo);
    EXPECT_EQ(question.icon, MessageBox::Icon::Question);
    EXPECT_EQ(question.defaultButton, MessageBox::Answer::No);

    EXPECT_TRUE(form.ended());
    EXPECT_FALSE(state.files.allOpen());
    EXPECT_FALSE(windows.isLoaded(WindowId::FormDetail));
    EXPECT_EQ(backup("Qvmp.txt"), "old copy");
    EXPECT_FALSE(fs::exists(programFile("qv/Qvprofile.txt")));
    SiteFiles again;  // the locks are released
    EXPECT_NO_THROW(again.openAll(drive));

    form.FormUnload();  // the sequence runs once
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ExitTest, YesReplacesTheCopiesWithTheClosedFiles) {
    for (int lang : {1, 2}) {
        SCOPED_TRACE(lang);
        testing::TempDrive temp2;
        temp2.layOut();
        Drive drive2{temp2.path()};
        testing::ScriptedMessageBox messages2;
        AppState state2{drive2, Services{&messages2, &shell, nullptr, nullptr, nullptr}};
        FormStart form2{state2, windows};
        form2.FormLoad();
        form2.CommandClick(lang);
        ProductRecord product;
        product.ProductName = "Tea";
        state2.files.writeProduct(3, product);
        writeFile(temp2 / "Program Files/Tarvomen/qv/Qvdetail.txt", "old copy");

        messages2.answer(MessageBox::Answer::Yes);
        form2.FormUnload();  // the close box

        ASSERT_EQ(messages2.shown.size(), 2u);
        EXPECT_EQ(messages2.shown[0].text, "Do you wish to backup your last session?");
        EXPECT_EQ(messages2.shown[1].text, lang == 1 ? "Backing up files from last session!"
                                                     : "Sauveguarder les fichiers de la dernière "
                                                       "session!");
        EXPECT_EQ(messages2.shown[1].title, "Tarvomen.");
        EXPECT_EQ(messages2.shown[1].buttons, MessageBox::Buttons::Ok);
        for (const char* name : {"Qvdetail.txt", "Qvprofile.txt", "Qvmp.txt"}) {
            const fs::path program = temp2 / ("Program Files/Tarvomen/" + std::string(name));
            const fs::path copy = temp2 / ("Program Files/Tarvomen/qv/" + std::string(name));
            EXPECT_EQ(readFile(copy), readFile(program)) << name;
        }
        EXPECT_EQ(readFile(temp2 / "Program Files/Tarvomen/qv/Qvdetail.txt").size(), 3u * 3994u);
        EXPECT_EQ(drive2.currentDirectory(), "C:\\Program Files\\Tarvomen\\qv");
        EXPECT_TRUE(form2.ended());
    }
}

TEST_F(ExitTest, FirstRunBackupCreatesTheFolderAndNamesMissingFiles) {
    // Left during the language choice on a drive that has no backup folder and only a page file.
    fs::remove(temp / "Program Files/Tarvomen/qv");
    writeFile(programFile("Qvprofile.txt"), "page");
    messages.answer(MessageBox::Answer::Yes);
    form.FormUnload();

    EXPECT_TRUE(form.ended());
    EXPECT_EQ(backup("Qvprofile.txt"), "page");
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown[2].text,
              "The file C:\\Program Files\\Tarvomen\\Qvdetail.txt does not exist. It was not "
              "backed up.");
    EXPECT_EQ(messages.shown[3].text,
              "The file C:\\Program Files\\Tarvomen\\Qvmp.txt does not exist. It was not backed "
              "up.");
    EXPECT_EQ(messages.shown[3].title, "Tarvomen.");
}

TEST_F(ExitTest, BackupThatCannotWorkIsReportedInTheChosenLanguage) {
    language = 2;
    writeSession();
    // A file where the backup folder should be.
    fs::remove(temp / "Program Files/Tarvomen/qv");
    writeFile(programFile("qv"), "in the way");
    messages.answer(MessageBox::Answer::Yes);
    form.CommandClick(5);

    EXPECT_TRUE(form.ended());
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text,
              "Le dossier de sauvegarde C:\\Program Files\\Tarvomen\\qv ne peut pas être créé. "
              "Aucun fichier n'a été sauvegardé.");
}

}  // namespace
}  // namespace tarvomen::shell
