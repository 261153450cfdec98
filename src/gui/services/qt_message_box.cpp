#include "gui/services/qt_message_box.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tarvomen::gui {
namespace {

QMessageBox::Icon iconOf(MessageBox::Icon icon) {
    switch (icon) {
        case MessageBox::Icon::Information:
            return QMessageBox::Information;
        case MessageBox::Icon::Question:
            return QMessageBox::Question;
        case MessageBox::Icon::Exclamation:
            return QMessageBox::Warning;
        case MessageBox::Icon::Critical:
            return QMessageBox::Critical;
        case MessageBox::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QPushButton* addButton(QMessageBox& box, QMessageBox::StandardButton which) {
    QPushButton* button = box.addButton(which);
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
    return button;
}

}  // namespace

MessageBox::Answer QtMessageBox::show(const MessageBoxRequest& request) {
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowTitle(QString::fromStdString(request.title));
    box.setText(QString::fromStdString(request.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(iconOf(request.icon));
    box.setAccessibleName(box.windowTitle());

    if (request.buttons == Buttons::Ok) {
        QPushButton* ok = addButton(box, QMessageBox::Ok);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return Answer::Ok;
    }
    QPushButton* yes = addButton(box, QMessageBox::Yes);
    QPushButton* no = addButton(box, QMessageBox::No);
    QPushButton* cancel =
        request.buttons == Buttons::YesNoCancel ? addButton(box, QMessageBox::Cancel) : nullptr;
    QPushButton* fallback = cancel ? cancel : no;  // Escape and the close box
    box.setDefaultButton(request.defaultButton == Answer::Yes  ? yes
                         : request.defaultButton == Answer::No ? no
                                                               : fallback);
    box.setEscapeButton(fallback);
    box.exec();
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == no) return Answer::No;
    return cancel ? Answer::Cancel : Answer::No;
}

}  // namespace tarvomen::gui
