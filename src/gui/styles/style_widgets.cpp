#include "gui/styles/style_widgets.hpp"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

namespace tarvomen::gui {

QColor toQColor(styles::Rgb colour) {
    return QColor(colour.r, colour.g, colour.b);
}

QIcon colourSwatch(styles::Rgb colour) {
    QPixmap swatch(16, 16);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(toQColor(colour));
    painter.drawRect(1, 1, 13, 13);
    return QIcon(swatch);
}

QPixmap mediaSymbol(styles::MediaPicker::Symbol symbol, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    if (symbol == styles::MediaPicker::Symbol::None) return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);
    const QColor ink(38, 70, 120);
    if (symbol == styles::MediaPicker::Symbol::Sound) {
        // A loudspeaker with three sound waves.
        QPainterPath speaker;
        speaker.moveTo(6, 18);
        speaker.lineTo(14, 18);
        speaker.lineTo(24, 9);
        speaker.lineTo(24, 39);
        speaker.lineTo(14, 30);
        speaker.lineTo(6, 30);
        speaker.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(speaker);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(214, 120, 30), 3, Qt::SolidLine, Qt::RoundCap));
        for (int wave = 0; wave < 3; ++wave) {
            const int r = 6 + wave * 6;
            painter.drawArc(QRectF(24 - r, 24 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
        }
    } else {
        // A strip of film with a play mark.
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(4, 8, 40, 32), 3, 3);
        painter.setBrush(Qt::white);
        for (int hole = 0; hole < 5; ++hole) {
            painter.drawRect(QRectF(7 + hole * 7.5, 10.5, 4, 3));
            painter.drawRect(QRectF(7 + hole * 7.5, 34.5, 4, 3));
        }
        painter.setBrush(QColor(214, 120, 30));
        painter.drawPolygon(QPolygonF({QPointF(19, 17), QPointF(19, 31), QPointF(31, 24)}));
    }
    return pixmap;
}

QPixmap paletteStrip(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = static_cast<int>(styles::SampleColors.size());
    const double width = static_cast<double>(size.width()) / count;
    for (int i = 0; i < count; ++i) {
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.setBrush(toQColor(styles::SampleColors[static_cast<std::size_t>(i)]));
        // The tiles step up and down like a colour fan.
        const double lift = (i % 2) * size.height() * 0.18;
        painter.drawRoundedRect(
            QRectF(i * width + 2, 2 + lift, width - 4, size.height() - 4 - size.height() * 0.18), 4,
            4);
    }
    return pixmap;
}

SampleCombo::SampleCombo(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);  // not the wheel focus of a combo box
}

void SampleCombo::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void SampleCombo::setSample(const QString& text, const QColor& back, const QColor& fore) {
    if (text == text_ && back == back_ && fore == fore_) return;
    text_ = text;
    back_ = back;
    fore_ = fore;
    setToolTip(text);
    update();
}

void SampleCombo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(isEnabled() ? QPalette::Dark : QPalette::Mid));
    painter.setBrush(back_);
    painter.drawRect(frame);

    // The arrow of the list, in grey that stands out from the sample's back colour.
    const int arrowWidth = 18;
    const QRect arrowBox(frame.right() - arrowWidth, frame.top() + 1, arrowWidth,
                         frame.height() - 1);
    const QColor arrowInk = back_.lightness() > 128 ? QColor(70, 70, 70) : QColor(200, 200, 200);
    painter.setPen(arrowInk);
    painter.drawLine(arrowBox.topLeft(), arrowBox.bottomLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(arrowInk);
    const QPointF centre = QRectF(arrowBox).center();
    painter.drawPolygon(
        QPolygonF({centre + QPointF(-4, -2), centre + QPointF(4, -2), centre + QPointF(0, 3)}));

    painter.setPen(fore_);
    painter.setFont(font());
    const QRect textBox = frame.adjusted(5, 1, -arrowWidth - 4, 0);
    painter.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(text_, Qt::ElideRight, textBox.width()));

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawRect(frame.adjusted(2, 2, -arrowWidth - 2, -2));
    }
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of the pair has already been handled as a click.
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit doubleClicked();
        return;
    }
    QToolButton::mouseDoubleClickEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit doubleClicked();
        return;
    }
    QToolButton::keyPressEvent(event);
}

}  // namespace tarvomen::gui
