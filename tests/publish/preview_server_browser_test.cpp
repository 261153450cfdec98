// A click on a sound or a video in the media pickers, played by a real browser: the picker
// writes the media test page, the previewing shell hands it over through the preview server,
// and a headless Chromium shows it. Skipped where Chromium is not installed.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "../styles/styles_fixture.hpp"
#include "headless_chromium.hpp"
#include "publish/previewing_shell.hpp"
#include "styles/media_picker.hpp"

namespace tarvomen::styles {
namespace {

using testing::HeadlessChromium;
using namespace std::chrono_literals;

// A silent 8 kHz, 16-bit mono PCM WAV file lasting `milliseconds`.
std::string wavFile(int milliseconds) {
    const std::uint32_t data = 8000 * 2 * static_cast<std::uint32_t>(milliseconds) / 1000;
    std::string out;
    const auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const auto u16 = [&](std::uint16_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8);
    };
    out += "RIFF";
    u32(36 + data);
    out += "WAVEfmt ";
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(8000);
    u32(16000);  // bytes per second
    u16(2);      // bytes per frame
    u16(16);     // bits per sample
    out += "data";
    u32(data);
    out.append(data, '\0');
    return out;
}

// Waits in the page for its <audio> element to play `name` with its length known; gives the
// length in seconds, or what went wrong.
std::string audioDuration(const std::string& name) {
    return "new Promise(function(done){var t0=Date.now();(function check(){"
           "var a=document.querySelector('audio');"
           "if(a&&a.src.endsWith('/" +
           name +
           "')){if(a.error){done('error '+a.error.code);return;}"
           "if(a.readyState>=1&&isFinite(a.duration)){done(String(a.duration));return;}}"
           "if(Date.now()-t0>10000){done('timeout: '+(a?a.src+' '+a.readyState:'no audio'));"
           "return;}setTimeout(check,50);})();})";
}

// Waits for a paragraph of the page that names `name`; gives its text and the number of
// players on the page.
std::string paragraphNaming(const std::string& name) {
    return "new Promise(function(done){var t0=Date.now();(function check(){"
           "var p=Array.from(document.querySelectorAll('p')).find(function(e){"
           "return e.textContent.indexOf('" +
           name +
           "')>=0;});"
           "if(p||Date.now()-t0>10000){done((p?p.textContent:'no paragraph')+' | players: '+"
           "document.querySelectorAll('audio,video').length);return;}"
           "setTimeout(check,50);})();})";
}

// The entry of a picker's folder list that names a folder of the media folder.
int folderEntry(const MediaPicker& picker, const std::string& name) {
    for (std::size_t i = 0; i < picker.dir1().size(); ++i) {
        if (picker.dir1()[i].subFolder && picker.dir1()[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

class MediaTestPageInBrowser : public testing::StylesFixture {
  protected:
    void SetUp() override {
        program = HeadlessChromium::find();
        if (!program) GTEST_SKIP() << "Chromium is not installed (/usr/bin/chromium)";
        const auto media = temp / "Program Files/Tarvomen/TMedia";
        // A picture for the first listing, so that a change of kind lists the folder again.
        testing::writeFile(media / "Sea/BACKGD01.JPG", "JFIF");
        testing::writeFile(media / "Sea/SOUNDS01.WAV", wavFile(500));
        testing::writeFile(media / "Sea/SOUNDS02.WAV", wavFile(250));
        testing::writeFile(media / "Sea/VIDEO01.AVI", "RIFF not much of a video");
        testing::writeFile(media / "MIXONE/a.gif", "GIF89a");
        testing::writeFile(media / "MIXONE/SOUNDMIX.WAV", wavFile(750));
        state.services.shell = &previewing;
    }

    // The address the last click handed to the desktop.
    std::string handedOver() const {
        return desktop.opened.empty() ? std::string() : desktop.opened.back().first;
    }

    std::optional<std::filesystem::path> program;
    testing::RecordingShell desktop;
    publish::PreviewingShell previewing{desktop, drive};
};

TEST_F(MediaTestPageInBrowser, AClickedSoundPlaysAndTheNextClickReloadsThePage) {
    FormMedia theme(state, windows);
    theme.Dir1Click(folderEntry(theme, "Sea"));
    theme.KindClick(MediaKind::Sound);
    theme.Option1Click(0);
    ASSERT_NE(previewing.server(), nullptr);
    ASSERT_EQ(handedOver(), previewing.server()->mediaTestAddress());

    HeadlessChromium browser(*program, temp / "chromium-profile");
    browser.open(handedOver());
    EXPECT_EQ(browser.evaluate(audioDuration("SOUNDS01.WAV"), 20s), "0.5") << browser.log();

    // The next click rewrites the page; the open tab reloads and plays the new sound.
    theme.Option1Click(1);
    EXPECT_EQ(browser.evaluate(audioDuration("SOUNDS02.WAV"), 30s), "0.25") << browser.log();

    // An AVI video: a line in the chosen language in place of a player.
    state.LangInd = 200;
    theme.KindClick(MediaKind::Video);
    theme.Option1Click(0);
    EXPECT_EQ(
        browser.evaluate(paragraphNaming("VIDEO01.AVI"), 30s).value_or("nothing"),
        "Le navigateur ne sait pas lire les fichiers de ce format : VIDEO01.AVI | players: 0");

    // The mix picker's sound.
    FormMedia2 mix(state, windows);
    mix.Dir1Click(folderEntry(mix, "MIXONE"));
    mix.Option1Click(0);  // shows the picture, so that a change of kind lists the folder
    mix.KindClick(MediaKind::Sound);
    mix.Option1Click(0);
    EXPECT_EQ(browser.evaluate(audioDuration("SOUNDMIX.WAV"), 30s), "0.75") << browser.log();
}

}  // namespace
}  // namespace tarvomen::styles
