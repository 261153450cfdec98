#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace tarvomen::testing {

// A headless Chromium driven over its DevTools pipe (file descriptors 3 and 4), for tests that
// need a real browser: it opens a page and evaluates script in it. Started with a new empty
// profile folder and without network services of its own; stopped (its whole process group)
// when the object goes.
class HeadlessChromium {
  public:
    // The browser program, or nothing when it is not installed.
    static std::optional<std::filesystem::path> find();

    // Starts the browser with its profile in `profileFolder`. Throws std::runtime_error when it
    // does not answer.
    HeadlessChromium(const std::filesystem::path& program,
                     const std::filesystem::path& profileFolder);
    ~HeadlessChromium();
    HeadlessChromium(const HeadlessChromium&) = delete;
    HeadlessChromium& operator=(const HeadlessChromium&) = delete;

    // Opens `address` in a new tab that later calls evaluate in.
    void open(const std::string& address);

    // The string that `expression` (a script expression giving a string, or a promise of one)
    // gives in the open tab. Evaluation is tried again while the tab is between pages (it
    // reloads, it navigates), until `within` has passed; then nothing.
    std::optional<std::string> evaluate(const std::string& expression,
                                        std::chrono::milliseconds within);

    // What the browser wrote on its standard error (for failure messages).
    std::string log() const;

  private:
    // Sends one command and returns its answer, or nothing when none comes in time.
    std::optional<std::string> call(const std::string& method, const std::string& params,
                                    bool inSession);
    void stop();

    pid_t pid_ = -1;
    int toBrowser_ = -1;
    int fromBrowser_ = -1;
    std::string received_;
    int nextId_ = 1;
    std::string sessionId_;
    std::filesystem::path logFile_;
};

// `text` as a JSON string literal, quotes included.
std::string jsonString(const std::string& text);

}  // namespace tarvomen::testing
