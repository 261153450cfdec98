#include "gui/publish/publish_window.hpp"
#include "gui/qt_text.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarvomen::gui {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* caption) {
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(caption));
    button->setAccessibleName(QLatin1String(caption));
    button->setMinimumWidth(96);
    return button;
}

}  // namespace

PublishWindow::PublishWindow(AppState& state,
                             publish::PublishWindowModel::UploaderFactory makeUploader,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), model_(state, std::move(makeUploader)) {
    setObjectName(QStringLiteral("Publish"));
    setWindowTitle(QString::fromUtf8(publish::PublishWindowModel::kTitle));
    setAccessibleName(windowTitle());

    host_ = makeLabel(this, "Host");
    host_->setWordWrap(true);
    allowPlainFtp_ = new QCheckBox(QStringLiteral("Allow unencrypted FTP"), this);
    allowPlainFtp_->setObjectName(QStringLiteral("AllowPlainFtp"));
    allowPlainFtp_->setAccessibleName(allowPlainFtp_->text());
    allowPlainFtp_->setToolTip(
        QStringLiteral("Sends the password and the site in clear text when this server offers "
                       "no encryption."));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setAccessibleName(QStringLiteral("ProgressBar"));
    progressBar_->setRange(0, 1000);
    progressBar_->setTextVisible(false);
    progressText_ = makeLabel(this, "ProgressText");
    currentFile_ = makeLabel(this, "CurrentFile");
    status_ = makeLabel(this, "Status");
    status_->setWordWrap(true);
    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("Report"));
    report_->setAccessibleName(QStringLiteral("Report"));
    report_->setReadOnly(true);
    report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report_->setMinimumSize(560, 220);
    publish_ = makeButton(this, "Publish");
    cancel_ = makeButton(this, "Cancel");
    close_ = makeButton(this, "Close");

    connect(allowPlainFtp_, &QCheckBox::toggled, this, [this](bool allow) {
        if (allow != model_.allowPlainFtp) model_.setAllowPlainFtp(allow);
        refresh();
    });
    connect(publish_, &QPushButton::clicked, this, [this] { startPublishing(); });
    connect(cancel_, &QPushButton::clicked, this, &PublishWindow::cancel);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(publish_);
    buttons->addWidget(cancel_);
    buttons->addWidget(close_);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 14);
    root->setSpacing(10);
    root->addWidget(host_);
    root->addWidget(allowPlainFtp_);
    root->addWidget(progressBar_);
    root->addWidget(progressText_);
    root->addWidget(currentFile_);
    root->addWidget(status_);
    root->addWidget(report_, 1);
    root->addLayout(buttons);

    model_.load();
    refresh();
}

PublishWindow::~PublishWindow() {
    if (uploader_) uploader_->cancel();
    if (worker_.joinable()) worker_.join();
}

void PublishWindow::startPublishing(bool dryRun) {
    if (uploader_) return;
    model_.load();
    uploader_ = model_.start(dryRun);
    refresh();
    if (!uploader_) return;
    // The worker thread ends before this window does (see the destructor), so it may post to
    // the window; what it posts runs on the window's thread.
    uploader_->onProgress = [this](const publish::PublishProgress& progress) {
        QMetaObject::invokeMethod(
            this,
            [this, progress] {
                model_.progressed(progress);
                refresh();
            },
            Qt::QueuedConnection);
    };
    worker_ = std::thread([this, uploader = uploader_.get()] {
        const publish::PublishReport report = uploader->run();
        QMetaObject::invokeMethod(
            this, [this, report] { finished(report); }, Qt::QueuedConnection);
    });
}

void PublishWindow::cancel() {
    if (uploader_) uploader_->cancel();
}

void PublishWindow::finished(const publish::PublishReport& report) {
    if (worker_.joinable()) worker_.join();
    uploader_.reset();
    if (closeWhenStopped_) {
        model_.running = false;
        close();
        return;
    }
    const bool again = model_.finished(report);
    refresh();
    if (again) startPublishing(report.dryRun);
}

void PublishWindow::closeEvent(QCloseEvent* event) {
    if (uploader_) {
        closeWhenStopped_ = true;
        uploader_->cancel();
        event->ignore();
        return;
    }
    event->accept();
}

void PublishWindow::refresh() {
    const bool running = uploader_ != nullptr;
    host_->setText(model_.host.empty()
                       ? QStringLiteral("No FTP host is stored.")
                       : QStringLiteral("Site folder C:\\Tarvomen\\ to ") + qs(model_.host));
    {
        const QSignalBlocker blocker(allowPlainFtp_);
        allowPlainFtp_->setChecked(model_.allowPlainFtp);
    }
    allowPlainFtp_->setEnabled(!running && model_.canStart);
    progressBar_->setValue(model_.permille());
    progressText_->setText(qs(model_.progressText()));
    currentFile_->setText(qs(model_.progress.currentFile));
    status_->setText(qs(model_.status));
    if (report_->toPlainText() != qs(model_.reportText))
        report_->setPlainText(qs(model_.reportText));
    publish_->setEnabled(!running && model_.canStart);
    cancel_->setEnabled(running);
}

}  // namespace tarvomen::gui
