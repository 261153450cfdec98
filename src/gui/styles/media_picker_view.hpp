#pragma once

#include <QWidget>

#include <array>
#include <memory>

#include "gui/gui_context.hpp"
#include "styles/media_picker.hpp"

class QGroupBox;
class QLabel;
class QTreeWidget;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QToolButton;

namespace tarvomen::gui {

class PictureButton;

// The theme media picker (FormMedia) and the mix media picker (FormMedia2): the folder view and
// the picture view of the model, with the picture buttons, the large picture and the display
// buttons of the chosen media.
class MediaPickerView : public QWidget {
    Q_OBJECT

  public:
    MediaPickerView(GuiContext& context, std::unique_ptr<styles::MediaPicker> model,
                    const QString& objectName, QWidget* parent = nullptr);

    styles::MediaPicker& model() { return *model_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    template <class Handler>
    void handle(Handler&& handler);
    void refresh();
    void refreshFolders();
    QPixmap pictureOf(const std::string& file, int size) const;
    void showButton(QToolButton* button, const styles::MediaPicker::PictureButton& state,
                    int iconSize);

    GuiContext& context_;
    std::unique_ptr<styles::MediaPicker> model_;
    bool closing_ = false;

    QLabel* label1_ = nullptr;
    QTreeWidget* dir1_ = nullptr;
    QTextEdit* richTextBox1_ = nullptr;
    QGroupBox* fraMedia_ = nullptr;
    QGroupBox* fraImgFormat_ = nullptr;
    std::array<QRadioButton*, styles::kMediaKindCount> kinds_{};
    QRadioButton* optgif_ = nullptr;
    QRadioButton* optjpg_ = nullptr;
    std::array<PictureButton*, styles::MediaPicker::kButtons> option1_{};
    QLabel* optDisplayPic_ = nullptr;
    std::array<QToolButton*, styles::kMediaKindCount> display_{};
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

}  // namespace tarvomen::gui
