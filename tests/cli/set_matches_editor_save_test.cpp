// `set` and the editors' saves store through the same field rules: the same values typed into
// an editor and given on the command line give the same record bytes, and are refused alike.
#include <gtest/gtest.h>

#include "cli_runner.hpp"
#include "editors/form_detail.hpp"
#include "editors/form_link.hpp"
#include "editors/form_profile.hpp"
#include "store/style_ops.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::cli {
namespace {

using Answer = MessageBox::Answer;
using testing::readFile;
using testing::runCli;

// Two laid-out drives: one written by `set`, one by the editors.
class SetMatchesEditorSaveTest : public ::testing::Test {
  protected:
    SetMatchesEditorSaveTest() {
        EXPECT_EQ(runCli(cliDrive, cli::runInit, {}).status, 0);
        EXPECT_EQ(runCli(editorDrive, cli::runInit, {}).status, 0);
        state.files.openAll(editorDrive);
        FillColorText(state);
        state.LangInd = 1;
    }

    static std::string file(const testing::TempDrive& temp, const char* name) {
        return readFile(temp / (std::string("Program Files/Tarvomen/") + name));
    }
    void expectSameFiles() {
        for (const char* name : {"Qvprofile.txt", "Qvdetail.txt", "Qvmp.txt"}) {
            EXPECT_EQ(file(cliTemp, name), file(editorTemp, name)) << name;
        }
    }

    testing::TempDrive cliTemp;
    testing::TempDrive editorTemp;
    Drive cliDrive{cliTemp.path()};
    Drive editorDrive{editorTemp.path()};
    testing::ScriptedMessageBox messages;
    testing::RecordingWindows windows;
    AppState state{editorDrive,
                   Services{&messages, nullptr, &testing::testFonts(), nullptr, nullptr}};
};

TEST_F(SetMatchesEditorSaveTest, TheSameValuesGiveTheSameBytes) {
    const std::string longDescription(45, 'd');
    const auto set =
        runCli(cliDrive, cli::runSet,
               {"product", "3", "ProductName=  Caf\u00e9 cr\u00e8me",
                "Description=" + longDescription, "QuantityPerUnit=12.5", "UnitPrice= 1.23456",
                "ImageText=With a picture", "BodyText=   Fine china  "});
    ASSERT_EQ(set.status, 0) << set.err;
    ASSERT_EQ(runCli(cliDrive, cli::runSet,
                     {"page", "DomainName=shop.example", "CurrencySymbol=$", "CurrencyName=U.S.",
                      "BodyText=  Welcome  "})
                  .status,
              0);
    ASSERT_EQ(runCli(cliDrive, cli::runSet,
                     {"page", "Link3=Archive", "LinkHeading[1]=Old things",
                      "LinkText[1]=   Gone but kept "})
                  .status,
              0);

    editors::FormDetail detail(state, windows);
    detail.FormLoad();
    detail.ListClick(0, 2);
    detail.Text1Change(0, "  Caf\u00e9 cr\u00e8me");
    detail.Text1Change(1, longDescription);
    detail.Text1Change(2, "12.5");
    detail.Text1Change(3, " 1.23456");
    detail.Text1Change(5, "With a picture");
    detail.RTB1Change("   Fine china  ");
    messages.answer(Answer::Yes);
    detail.Command2Click();

    editors::FormProfile profile(state, windows);
    profile.FormLoad();
    profile.ListClick(0, 0);
    profile.Text1Change(0, "shop.example");
    profile.Text1Change(17, "$");
    profile.Text1Change(18, "U.S.");
    profile.RTB1Change("  Welcome  ");
    messages.answer(Answer::Yes);
    profile.Command2Click();

    editors::FormLink link(state, windows);
    link.FormLoad();
    link.ListClick(1, 0);
    link.Text1Change(0, "Archive");
    link.Text1Change(1, "Old things");
    link.RTB1Change("   Gone but kept ");
    messages.answer(Answer::Yes);
    link.Command2Click();

    ASSERT_EQ(state.files.readProduct(3).RecordNo, 2);
    expectSameFiles();
}

TEST_F(SetMatchesEditorSaveTest, WhatOneRefusesTheOtherRefuses) {
    const std::string before = file(cliTemp, "Qvdetail.txt");
    editors::FormDetail detail(state, windows);
    detail.FormLoad();
    for (const char* price : {"8,95", "$12.50", "12abc", "1e20"}) {
        SCOPED_TRACE(price);
        const auto set =
            runCli(cliDrive, cli::runSet, {"product", "1", std::string("UnitPrice=") + price});
        EXPECT_EQ(set.status, cli::kExitUsage);

        detail.ListClick(0, 0);
        detail.Text1Change(3, price);
        messages.shown.clear();
        detail.Command2Click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(set.err.find(messages.shown[0].text), std::string::npos)
            << "the same message: " << set.err;
        messages.answer(Answer::No);
        detail.Command1Click();
    }
    EXPECT_EQ(file(cliTemp, "Qvdetail.txt"), before);
    expectSameFiles();

    EXPECT_EQ(runCli(cliDrive, cli::runSet, {"page", "Reserved1=x"}).status, cli::kExitUsage);
}

}  // namespace
}  // namespace tarvomen::cli
