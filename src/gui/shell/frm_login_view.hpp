#pragma once

#include <QDialog>

#include "gui/gui_context.hpp"
#include "shell/frm_login.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvomen::gui {

// The FTP dialog. Forwards what the user types, OK and the close box to its model.
class FrmLoginView : public QDialog {
    Q_OBJECT

  public:
    FrmLoginView(GuiContext& context, shell::FormStart& formStart, QWidget* parent = nullptr);

    shell::FrmLogin& model() { return model_; }

    // Escape closes the dialog like its close box.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void refresh();

    GuiContext& context_;
    shell::FrmLogin model_;

    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLineEdit* textUser_ = nullptr;
    QLineEdit* textPass_ = nullptr;
    QLineEdit* textHost_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

}  // namespace tarvomen::gui
