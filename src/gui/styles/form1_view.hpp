#pragma once

#include <QWidget>

#include <array>

#include "gui/gui_context.hpp"
#include "styles/form1.hpp"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvomen::gui {

class SampleCombo;

// The style picker "COLORPICK": shows the model's painted items, options and buttons and
// forwards choices, clicks and the close box to it.
class Form1View : public QWidget {
    Q_OBJECT

  public:
    explicit Form1View(GuiContext& context, QWidget* parent = nullptr);

    styles::Form1& model() { return model_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void refresh();

    GuiContext& context_;
    styles::Form1 model_;
    bool closing_ = false;

    QLabel* image1_ = nullptr;
    std::array<SampleCombo*, styles::Form1::kItems> combo1_{};
    std::array<QLineEdit*, styles::Form1::kItems> text1_{};
    std::array<QGroupBox*, 3> frame_{};
    std::array<QRadioButton*, 6> option_{};
    std::array<QPushButton*, 4> command_{};
};

}  // namespace tarvomen::gui
