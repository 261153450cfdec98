#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

#include "editors/field_list_editor.hpp"
#include "store/app_state.hpp"

class QAction;
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

struct EditorLayout;

// The one view of the three record editors: the record list(s), the column of entry boxes, the
// help label beside the box being edited, the body text box with its edit menu, the picture
// preview and the buttons; for the product editor also "Link To:", Copy Style and Kill Detail.
// The view only shows the model's state and passes the user's actions to its handlers.
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
    void buildDetailControls(editors::FormDetail& detail);
    // Runs a handler of the model; a failure is shown in a message box.
    template <class Handler>
    void run(Handler&& handler);
    void refresh();
    void showBody();
    void showPicture();
    void placeLabel(QLabel* label, int x, int y, bool visible);
    int levelY(const editors::ControlRef& level) const;
    QRect bodyRect() const;
    QWidget* widgetFor(const editors::ControlRef& control) const;
    editors::ControlRef controlOf(QObject* widget) const;

    AppState& state_;
    std::unique_ptr<editors::FieldListEditor> model_;
    editors::FormDetail* detail_ = nullptr;
    editors::FormLink* link_ = nullptr;
    const EditorLayout& layout_;
    bool refreshing_ = false;
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
