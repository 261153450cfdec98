#include "gui/services/qt_file_dialog.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "platform/error.hpp"

namespace tarvomen::gui {
namespace {

// "*.gif" as "*.[gG][iI][fF]".
QString anyCase(const QString& pattern) {
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

std::optional<std::string> QtFileDialog::openFile(const FileDialogRequest& request) {
    QString folder;
    try {
        folder = QString::fromStdString(drive_.resolve(request.initialFolder).string());
    } catch (const PathError&) {
        // Start wherever the dialog likes.
    }
    // The request's filters become one that lists every picture they name, in any letter case
    // (the pictures of a theme are named in capitals), so that no picture hides behind the
    // other filter.
    QStringList patterns;
    for (const auto& filter : request.filters) {
        for (const QString& pattern :
             QString::fromStdString(filter.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << anyCase(pattern.trimmed());
        }
    }
    const QString filter =
        QStringLiteral("GIF / JPEG (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    const QString chosen = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), QString::fromStdString(request.title), folder, filter,
        nullptr, QFileDialog::HideNameFilterDetails);
    if (chosen.isEmpty()) return std::nullopt;
    const std::filesystem::path host(chosen.toStdString());
    if (auto windowsPath = drive_.toWindows(host)) return windowsPath;
    return chosen.toStdString();
}

}  // namespace tarvomen::gui
