#include "gui/editors/qt_services.hpp"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QStringList>

#include "platform/error.hpp"

namespace tarvomen::gui {

std::string QtClipboard::text() const {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text), QClipboard::Clipboard);
}

std::optional<std::string> QtFileDialog::openFile(const FileDialogRequest& request) {
    QString folder;
    try {
        folder = QString::fromStdString(drive_.resolve(request.initialFolder).string());
    } catch (const PathError&) {
        // Start wherever the dialog likes.
    }
    QStringList filters;
    for (const auto& filter : request.filters) {
        QString entry = QString::fromStdString(filter.description);
        // Qt takes the patterns from the parentheses of the description.
        if (!entry.contains(QLatin1Char('('))) {
            entry +=
                QStringLiteral(" (") + QString::fromStdString(filter.patterns) + QLatin1Char(')');
        }
        filters << entry;
    }
    QString selected = filters.value(0);
    const QString chosen = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), QString::fromStdString(request.title), folder,
        filters.join(QStringLiteral(";;")), &selected);
    if (chosen.isEmpty()) return std::nullopt;
    const std::filesystem::path host(chosen.toStdString());
    if (auto windowsPath = drive_.toWindows(host)) return windowsPath;
    return chosen.toStdString();
}

}  // namespace tarvomen::gui
