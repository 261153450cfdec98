#include "gui/publish/publish_window.hpp"
#include "gui/qt_text.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "store/own_text.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::gui {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(button->text());
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
    auto own = [&state](const char* english, const char* french) {
        return QString::fromUtf8(ownText(state, english, french));
    };
    allowPlainFtp_ =
        new QCheckBox(own("Allow unencrypted FTP", "Autoriser le FTP non chiffré"), this);
    allowPlainFtp_->setObjectName(QStringLiteral("AllowPlainFtp"));
    allowPlainFtp_->setAccessibleName(allowPlainFtp_->text());
    allowPlainFtp_->setToolTip(
        own("Sends the password and the site in clear text when this server offers no encryption.",
            "Envoie le mot de passe et le site en clair quand ce serveur n'offre pas de "
            "chiffrement."));
    allowPlainFtp_->setAccessibleDescription(allowPlainFtp_->toolTip());
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setAccessibleName(QStringLiteral("ProgressBar"));
    progressBar_->setRange(0, 1000);
    progressBar_->setTextVisible(false);
    progressText_ = makeLabel(this, "ProgressText");
    currentFile_ = makeLabel(this, "CurrentFile");
    status_ = makeLabel(this, "Status");
    status_->setWordWrap(true);
    counts_ = makeLabel(this, "Counts");
    advice_ = makeLabel(this, "Advice");
    advice_->setWordWrap(true);
    findings_ = new QListWidget(this);
    findings_->setObjectName(QStringLiteral("Findings"));
    findings_->setAccessibleName(own("Site check", "Vérification du site"));
    findings_->setAccessibleDescription(
        own("What the site check found: problems break something a visitor sees; hints are "
            "worth a look.",
            "Ce que la vérification du site a trouvé : les problèmes cassent quelque chose que "
            "voit un visiteur ; les conseils méritent un coup d'œil."));
    findings_->setMinimumHeight(90);
    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("Report"));
    report_->setAccessibleName(QStringLiteral("Report"));
    report_->setReadOnly(true);
    report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    report_->setMinimumSize(560, 220);
    publish_ = makeButton(this, "Publish", ownText(state, "Publish", "Publier"));
    cancel_ = makeButton(this, "Cancel", ownText(state, "Cancel", "Annuler"));
    close_ = makeButton(this, "Close", ownText(state, "Close", "Fermer"));

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
    root->addWidget(advice_);
    root->addWidget(counts_);
    root->addWidget(findings_);
    root->addWidget(report_, 1);
    root->addLayout(buttons);

    model_.load();
    refresh();
}

PublishWindow::~PublishWindow() {
    if (uploader_) uploader_->cancel();
    if (worker_.joinable()) worker_.join();
}

void PublishWindow::checkAndPublish() {
    if (uploader_) return;
    model_.load();
    const bool clean = model_.checkSite();
    findings_->clear();
    for (const auto& finding : model_.findings) {
        auto* item = new QListWidgetItem(qs(model_.findingText(finding)), findings_);
        if (finding.severity == check::Finding::Severity::Problem) {
            item->setForeground(QColor(0xB0, 0x00, 0x20));
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
    findings_->setVisible(!model_.findings.empty());
    refresh();
    if (clean) startPublishing();
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
                       ? QString::fromUtf8(ownText(state_, "No FTP host is stored.",
                                                   "Aucun hôte FTP n'est enregistré."))
                       : QString::fromUtf8(ownText(state_, "Site folder ", "Dossier du site ")) +
                             QString::fromUtf8(paths::kSiteFolder) +
                             QString::fromUtf8(ownText(state_, "\\ to ", "\\ vers ")) +
                             qs(model_.host));
    {
        const QSignalBlocker blocker(allowPlainFtp_);
        allowPlainFtp_->setChecked(model_.allowPlainFtp);
    }
    allowPlainFtp_->setEnabled(!running && model_.canStart);
    progressBar_->setValue(model_.permille());
    progressText_->setText(qs(model_.progressText()));
    currentFile_->setText(qs(model_.progress.currentFile));
    status_->setText(qs(model_.status));
    advice_->setText(qs(model_.advice));
    advice_->setVisible(!model_.advice.empty());
    counts_->setText(qs(model_.countsText()));
    if (report_->toPlainText() != qs(model_.reportText))
        report_->setPlainText(qs(model_.reportText));
    publish_->setEnabled(!running && model_.canStart);
    cancel_->setEnabled(running);
}

}  // namespace tarvomen::gui
