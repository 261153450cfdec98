#include "shell/strings.hpp"

#include <gtest/gtest.h>

#include "platform/cp1252.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::shell {
namespace {

class StringsTest : public ::testing::Test, public testing::DriveFixture {};

TEST_F(StringsTest, TextReadsTheChosenLanguage) {
    struct {
        int n;
        const char* english;
        const char* french;
    } cases[] = {
        {1, "Welcome to the Tarvomen Database...", "Bienvenue dans la Base de Donneés Tarvomen..."},
        {50, "Exit", "Quitter"},
        {63, "FTP  PassWord", "Mot de Passe FTP"},
        {70, "and start FTP to ", "et commencer FTP au"},
        {92, "Profile", "Profil"},
        {93, "Detail", "Détail"},
        {113, "  adding to a THEME folder or you run the risk of file conflict with Windows!",
         "ou changer un Dossiér Thémes pour éviter un problème avec Windows!"},
        {169, "Backing up files from last session!",
         "Sauveguarder les fichiers de la dernière session!"},
        {171, "Your Color selection was saved!", "Le Coleurs sélectionner eté enregistrée!"},
    };
    for (const auto& c : cases) {
        state.LangInd = 0;  // before the choice: English
        EXPECT_EQ(text(state, c.n), c.english) << c.n;
        state.LangInd = kLangEnglish;
        EXPECT_EQ(text(state, c.n), c.english) << c.n;
        state.LangInd = kLangFrench;
        EXPECT_EQ(text(state, c.n), c.french) << c.n;
    }
}

// Every English text has its French twin 199 ids higher and the spare ids are empty, so no text
// lookup in either language can come back empty for an id that the other language has.
TEST(StringTableTest, EveryTextHasItsTwinAndSpareIdsAreEmpty) {
    int count = 0;
    for (int id = 1; id <= 199; ++id) {
        const bool english = !stringTableEntry(id).empty();
        const bool french = !stringTableEntry(id + 199).empty();
        EXPECT_EQ(english, french) << "id " << id;
        count += english;
        // Texts are valid UTF-8 that pages and records (Windows-1252) can hold.
        EXPECT_FALSE(cp1252::firstUnencodable(stringTableEntry(id)).has_value()) << id;
        EXPECT_FALSE(cp1252::firstUnencodable(stringTableEntry(id + 199)).has_value()) << id;
    }
    EXPECT_EQ(count, 140);
    for (int spare : {19, 58, 71, 76, 79, 90, 91, 96, 98, 116, 120, 138, 139, 156, 158, 172, 199}) {
        EXPECT_EQ(stringTableEntry(spare), "") << spare;
        EXPECT_EQ(stringTableEntry(spare + 199), "") << spare;
    }
    EXPECT_EQ(stringTableEntry(0), "");
    EXPECT_EQ(stringTableEntry(399), "");
}

}  // namespace
}  // namespace tarvomen::shell
