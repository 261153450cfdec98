#include "gui/services/qt_clipboard.hpp"

#include <QClipboard>
#include <QGuiApplication>

namespace tarvomen::gui {

std::string QtClipboard::text() const {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text), QClipboard::Clipboard);
}

}  // namespace tarvomen::gui
