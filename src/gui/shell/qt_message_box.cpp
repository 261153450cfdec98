#include "gui/shell/qt_message_box.hpp"

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
    box.setDefaultButton(request.defaultButton == Answer::Yes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

}  // namespace tarvomen::gui
