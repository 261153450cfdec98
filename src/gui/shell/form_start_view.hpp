#pragma once

#include <QWidget>

#include <array>

#include "gui/gui_context.hpp"
#include "shell/form_start.hpp"

class QLabel;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace tarvomen::gui {

// The start window: the language choice, then the main menu. Shows the model's state and
// forwards clicks and the close box to it.
class FormStartView : public QWidget {
    Q_OBJECT

  public:
    explicit FormStartView(GuiContext& context, QWidget* parent = nullptr);

    shell::FormStart& model() { return model_; }

  signals:
    // The exit sequence has run (or the site files could not be opened): the program ends.
    void programEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void refresh();

    GuiContext& context_;
    shell::FormStart model_;
    shell::FormStart::Mode shownMode_ = shell::FormStart::Mode::LanguageChoice;
    bool endAnnounced_ = false;

    QLabel* picture1_ = nullptr;
    QLabel* label2_ = nullptr;
    std::array<QPushButton*, 6> command_{};
    QListWidget* list1_ = nullptr;
    QTextEdit* richTextBox1_ = nullptr;
};

}  // namespace tarvomen::gui
