#pragma once

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "editors/field_list_editor.hpp"
#include "store/app_state.hpp"

class QAction;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tarvomen::editors {
class FormDetail;
class FormLink;
}  // namespace tarvomen::editors

namespace tarvomen::gui {

struct EditorTexts;

// The one view of the three record editors: the column of labelled entry boxes, a fixed help
// area that shows the help of the box with the focus, the body text box with its edit menu, the
// record list(s), the welcome and status text, the picture preview and the buttons; for the
// product editor also "Link To:", Copy Style and Kill Detail. The view only shows the model's
// state and passes the user's actions to its handlers.
//
// Every control keeps its place: what the model hides is shown disabled or empty, and the body
// text box stays where it is, so that nothing moves or vanishes under the mouse.
//
// The body text box holds plain text: Enter never reaches it (Enter walks the boxes), keys
// with Ctrl and the clipboard keys do nothing, nothing can be dropped or middle-click pasted;
// the edit menu is the only way to the clipboard.
class EditorView : public QWidget {
    Q_OBJECT

  public:
    EditorView(AppState& state, std::unique_ptr<editors::FieldListEditor> model,
               QWidget* parent = nullptr);
    ~EditorView() override;

    editors::FieldListEditor& model() { return *model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    QWidget* buildBoxes();
    QWidget* buildMiddle();
    QWidget* buildRight();
    QWidget* buildDetailControls(editors::FormDetail& detail);
    void setTabOrder();
    // Runs a handler of the model; a failure is shown in a message box.
    template <class Handler>
    void run(Handler&& handler);
    void refresh();
    void showBody();
    void showPicture();
    void showHelp();
    QWidget* widgetFor(const editors::ControlRef& control) const;
    editors::ControlRef controlOf(QObject* widget) const;

    AppState& state_;
    std::unique_ptr<editors::FieldListEditor> model_;
    editors::FormDetail* detail_ = nullptr;
    editors::FormLink* link_ = nullptr;
    const EditorTexts& texts_;
    bool refreshing_ = false;
    // The control reached with Tab whose help shows until the model shows another help.
    std::optional<editors::ControlRef> tabbedTo_;
    editors::Label shownModelHelp_;
    QString picturePath_;
    bool pictureLoaded_ = false;

    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label6_ = nullptr;
    std::vector<QLineEdit*> boxes_;
    QPlainTextEdit* rtb1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* picture1_ = nullptr;
    QGroupBox* helpArea_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* mnuEdit_ = nullptr;
    QAction* menuCouper_ = nullptr;
    QAction* menuCopier_ = nullptr;
    QAction* menuColler_ = nullptr;
    QAction* menuSelectionnerTout_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
};

}  // namespace tarvomen::gui
