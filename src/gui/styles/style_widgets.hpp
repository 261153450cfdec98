#pragma once

#include <QComboBox>
#include <QIcon>
#include <QPixmap>
#include <QToolButton>

#include "styles/media_picker.hpp"
#include "styles/sample_colors.hpp"

namespace tarvomen::gui {

QColor toQColor(styles::Rgb colour);
// A small square of a colour, for the colour lists.
QIcon colourSwatch(styles::Rgb colour);
// The sound and video symbols of the media pickers, drawn at the given size.
QPixmap mediaSymbol(styles::MediaPicker::Symbol symbol, int size);
// The style picker's decorative picture: the fifteen sample colours as tiles.
QPixmap paletteStrip(QSize size);

// A drop-down list that shows the text, colours and face of the style picker's sample instead
// of its current entry, so that it paints what the page will look like. Every change is stored
// at once, so the mouse wheel changes it only while it has the focus: a wheel that passes over
// it scrolls nothing.
class SampleCombo : public QComboBox {
    Q_OBJECT

  public:
    explicit SampleCombo(QWidget* parent = nullptr);
    void setSample(const QString& text, const QColor& back, const QColor& fore);
    QString sampleText() const { return text_; }
    QColor sampleBack() const { return back_; }
    QColor sampleFore() const { return fore_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QString text_;
    QColor back_ = Qt::white;
    QColor fore_ = Qt::black;
};

// A picture button of the media pickers: a click (or Space) tries the file out, a double click
// (or Enter) chooses it.
class PictureButton : public QToolButton {
    Q_OBJECT

  public:
    using QToolButton::QToolButton;

  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tarvomen::gui
