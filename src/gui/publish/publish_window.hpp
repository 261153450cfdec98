#pragma once

#include <QWidget>

#include <memory>
#include <thread>

#include "publish/upload/publish_window_model.hpp"

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tarvomen::gui {

// The Publish window: the site is checked first and what the check found is listed; then the
// site goes to the stored FTP host on a worker thread while the window shows the progress
// (files and bytes, the current file) and stays responsive; Cancel stops the transfer; the
// counts and the report follow. An untrusted certificate is shown in a message box and, if the
// user accepts it, publishing starts again.
class PublishWindow : public QWidget {
    Q_OBJECT

  public:
    explicit PublishWindow(AppState& state,
                           publish::PublishWindowModel::UploaderFactory makeUploader = {},
                           QWidget* parent = nullptr);
    // Cancels a running transfer and waits for its thread.
    ~PublishWindow() override;

    publish::PublishWindowModel& model() { return model_; }
    bool running() const { return uploader_ != nullptr; }

    // Checks the site and lists the findings; publishes at once when it found no problem.
    // With problems, the owner reads them and may publish with Publish.
    void checkAndPublish();
    // Publish (or, with `dryRun`, only report what would be sent).
    void startPublishing(bool dryRun = false);
    void cancel();

  protected:
    // Closing while the transfer runs cancels it; the window closes once it has stopped.
    void closeEvent(QCloseEvent* event) override;

  private:
    void finished(const publish::PublishReport& report);
    void refresh();

    AppState& state_;
    publish::PublishWindowModel model_;
    std::unique_ptr<publish::SiteUploader> uploader_;
    std::thread worker_;
    bool closeWhenStopped_ = false;

    QLabel* host_ = nullptr;
    QCheckBox* allowPlainFtp_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* progressText_ = nullptr;
    QLabel* currentFile_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* counts_ = nullptr;
    QLabel* advice_ = nullptr;
    QListWidget* findings_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QPushButton* publish_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace tarvomen::gui
