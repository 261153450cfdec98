#pragma once

#include <QWidget>

#include <memory>
#include <thread>

#include "publish/upload/publish_window_model.hpp"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tarvomen::gui {

// The Publish window: the site goes to the stored FTP host on a worker thread while the window
// shows the progress (files and bytes, the current file) and stays responsive; Cancel stops
// the transfer; the report follows. An untrusted certificate is shown in a message box and, if
// the user accepts it, publishing starts again.
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
    QPlainTextEdit* report_ = nullptr;
    QPushButton* publish_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace tarvomen::gui
