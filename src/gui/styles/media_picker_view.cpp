#include "gui/styles/media_picker_view.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/services/guarded.hpp"
#include "gui/styles/style_widgets.hpp"
#include "gui/window_frame.hpp"
#include "store/own_text.hpp"

namespace tarvomen::gui {
namespace {

using styles::MediaKind;
using styles::MediaPicker;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr int kWidth = 820;
constexpr int kMargin = 16;
constexpr int kTop = 64;
constexpr int kCell = 92;        // picture button grid
constexpr int kButtonIcon = 66;  // picture button icons
constexpr int kColumns = 4;
constexpr int kGridLeft = 200;
constexpr int kLargePicture = 232;
constexpr int kBottom = 470;  // display buttons and commands
constexpr int kDisplayIcon = 40;

// Display buttons Option2 ... Option8 by the kind they show.
constexpr MediaKind kDisplayKinds[styles::kMediaKindCount] = {
    MediaKind::BackGround, MediaKind::Banner, MediaKind::Ruler,  MediaKind::Images,
    MediaKind::Sound,      MediaKind::Video,  MediaKind::Control};

}  // namespace

MediaPickerView::MediaPickerView(GuiContext& context, std::unique_ptr<MediaPicker> model,
                                 const QString& objectName, QWidget* parent)
    : QWidget(parent), context_(context), model_(std::move(model)) {
    setObjectName(objectName);
    exposeAsWindow(this, qs(model_->caption()));
    const AppState& state = context_.state;
    const auto own = [&state](const char* english, const char* french) {
        return QString::fromUtf8(ownText(state, english, french));
    };

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setGeometry(kMargin, 10, kWidth - 2 * kMargin, 46);
    QFont labelFont = label1_->font();
    labelFont.setPointSizeF(labelFont.pointSizeF() * 1.15);
    labelFont.setBold(true);
    label1_->setFont(labelFont);

    // The folder view.
    dir1_ = new QTreeWidget(this);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setAccessibleName(objectName == QLatin1String("FormMedia2")
                                 ? own("Mix folders", "Dossiers MIX")
                                 : own("Theme folders", "Dossiers de thèmes"));
    dir1_->setHeaderHidden(true);
    dir1_->setRootIsDecorated(false);
    dir1_->setItemsExpandable(false);
    dir1_->setIndentation(14);
    dir1_->setGeometry(kMargin, kTop, 300, 390);
    const auto chooseFolder = [this](QTreeWidgetItem* item) {
        // The second click of a double click reaches a list that is already hidden.
        if (!item || !dir1_->isVisible()) return;
        const int entry = item->data(0, Qt::UserRole).toInt();
        handle([&] { model_->Dir1Click(entry); });
    };
    connect(dir1_, &QTreeWidget::itemClicked, this, chooseFolder);
    connect(dir1_, &QTreeWidget::itemActivated, this, chooseFolder);

    richTextBox1_ = new QTextEdit(this);
    richTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
    richTextBox1_->setAccessibleName(own("About the folders", "À propos des dossiers"));
    richTextBox1_->setReadOnly(true);
    richTextBox1_->setGeometry(kMargin + 314, kTop, kWidth - 2 * kMargin - 314, 390);

    // The picture view: kinds and picture format on the left.
    fraMedia_ = new QGroupBox(this);
    fraMedia_->setObjectName(QStringLiteral("fraMedia"));
    fraMedia_->setGeometry(kMargin, kTop, 170, 258);
    auto* kindLayout = new QVBoxLayout(fraMedia_);
    kindLayout->setSpacing(4);
    for (int k = 0; k < styles::kMediaKindCount; ++k) {
        auto* option = new QRadioButton(fraMedia_);
        const auto& kindOption = model_->kindOptions()[static_cast<std::size_t>(k)];
        option->setObjectName(QLatin1String(kindOption.name));
        option->setText(qs(kindOption.caption));
        option->setAccessibleName(option->text());
        kindLayout->addWidget(option);
        const auto kind = static_cast<MediaKind>(k);
        connect(option, &QRadioButton::clicked, this,
                [this, kind] { handle([&] { model_->KindClick(kind); }); });
        kinds_[static_cast<std::size_t>(k)] = option;
    }
    fraImgFormat_ = new QGroupBox(this);
    fraImgFormat_->setObjectName(QStringLiteral("fraImgFormat"));
    fraImgFormat_->setGeometry(kMargin, kTop + 270, 170, 86);
    auto* formatLayout = new QVBoxLayout(fraImgFormat_);
    optgif_ = new QRadioButton(qs(model_->gifCaption()), fraImgFormat_);
    optgif_->setObjectName(QStringLiteral("optgif"));
    optjpg_ = new QRadioButton(qs(model_->jpgCaption()), fraImgFormat_);
    optjpg_->setObjectName(QStringLiteral("optjpg"));
    for (QRadioButton* option : {optgif_, optjpg_}) {
        option->setAccessibleName(option->text());
        formatLayout->addWidget(option);
    }
    connect(optgif_, &QRadioButton::clicked, this,
            [this] { handle([&] { model_->ExtensionClick(styles::PictureExtension::Gif); }); });
    connect(optjpg_, &QRadioButton::clicked, this,
            [this] { handle([&] { model_->ExtensionClick(styles::PictureExtension::Jpg); }); });
    for (QGroupBox* frame : {fraMedia_, fraImgFormat_}) {
        frame->setTitle(qs(model_->selectCaption()));
        frame->setAccessibleName(frame->title());
    }

    // The picture buttons, four to a row.
    for (int i = 0; i < MediaPicker::kButtons; ++i) {
        auto* button = new PictureButton(this);
        button->setObjectName(QStringLiteral("Option1_%1").arg(i));
        button->setCheckable(true);
        button->setIconSize(QSize(kButtonIcon, kButtonIcon));
        // Room for a whole 8.3 name under a sound or video symbol; the button last clicked
        // stands out.
        QFont captionFont = button->font();
        captionFont.setPointSizeF(captionFont.pointSizeF() * 0.85);
        button->setFont(captionFont);
        button->setStyleSheet(
            QStringLiteral("QToolButton { border: 1px solid palette(mid); border-radius: 3px; "
                           "background: palette(button); padding: 2px; }"
                           "QToolButton:checked { border: 2px solid palette(highlight); "
                           "background: palette(light); }"));
        button->setGeometry(kGridLeft + (i % kColumns) * kCell, kTop + (i / kColumns) * kCell,
                            kCell - 6, kCell - 6);
        connect(button, &PictureButton::clicked, this,
                [this, i] { handle([&] { model_->Option1Click(i); }); });
        connect(button, &PictureButton::doubleClicked, this,
                [this, i] { handle([&] { model_->Option1DblClick(i); }); });
        option1_[static_cast<std::size_t>(i)] = button;
    }

    optDisplayPic_ = new QLabel(this);
    optDisplayPic_->setObjectName(QStringLiteral("OptDisplayPic"));
    optDisplayPic_->setAccessibleName(own("Large picture", "Grande image"));
    optDisplayPic_->setFrameShape(QFrame::StyledPanel);
    optDisplayPic_->setAlignment(Qt::AlignCenter);
    optDisplayPic_->setGeometry(kWidth - kMargin - kLargePicture, kTop, kLargePicture,
                                kLargePicture);

    // The display buttons of the chosen media, then Preview and Exit.
    for (int d = 0; d < styles::kMediaKindCount; ++d) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("Option%1").arg(d + 2));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kDisplayIcon, kDisplayIcon));
        button->setFocusPolicy(Qt::NoFocus);
        button->setFont(option1_[0]->font());
        button->setGeometry(kMargin + d * 86, kBottom, 82, 74);
        display_[static_cast<std::size_t>(d)] = button;
    }
    command1_ = new QPushButton(qs(model_->command1Caption()), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(kWidth - kMargin - 170, kBottom, 170, 34);
    command2_ = new QPushButton(qs(model_->command2Caption()), this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setGeometry(kWidth - kMargin - 170, kBottom + 40, 170, 34);
    for (QPushButton* button : {command1_, command2_}) button->setAccessibleName(button->text());
    connect(command1_, &QPushButton::clicked, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        handle([&] { model_->Command1Click(); });
        QApplication::restoreOverrideCursor();
    });
    connect(command2_, &QPushButton::clicked, this,
            [this] { handle([&] { model_->Command2Click(); }); });

    setFixedSize(kWidth, kBottom + 74 + kMargin);
    pressButtonsWithEnter(this);
    // Escape is Exit: back to the folders from the pictures, else out of the picker.
    onEscape(this, [this] { handle([&] { model_->Command2Click(); }); });
    refresh();
}

template <class Handler>
void MediaPickerView::handle(Handler&& handler) {
    guarded(context_.state, std::forward<Handler>(handler));
    refresh();
}

QPixmap MediaPickerView::pictureOf(const std::string& file, int size) const {
    const auto path = model_->hostPathOf(file);
    if (path.empty()) return {};
    const QString hostPath = QString::fromStdString(path.string());
    const QFileInfo info(hostPath);
    const QString key = QStringLiteral("styles:%1:%2:%3")
                            .arg(hostPath)
                            .arg(info.lastModified().toMSecsSinceEpoch())
                            .arg(size);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture)) return picture;
    // A picture that cannot be loaded leaves the button empty.
    if (!picture.load(hostPath)) return {};
    picture = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmapCache::insert(key, picture);
    return picture;
}

void MediaPickerView::showButton(QToolButton* button, const MediaPicker::PictureButton& state,
                                 int iconSize) {
    button->setVisible(state.visible);
    if (!state.visible) return;
    QPixmap icon = state.symbol == MediaPicker::Symbol::None ? pictureOf(state.file, iconSize)
                                                             : mediaSymbol(state.symbol, iconSize);
    if (!state.caption.empty()) {
        // The caption goes under the picture, drawn into the icon so that a whole 8.3 name
        // shows across the button's width.
        const int width = button->width() - 8;
        QFont font = button->font();
        while (QFontMetrics(font).horizontalAdvance(qs(state.caption)) > width &&
               font.pointSizeF() > 6.5) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
        }
        const QFontMetrics metrics(font);
        QPixmap captioned(width, iconSize + metrics.height() + 4);
        captioned.fill(Qt::transparent);
        QPainter painter(&captioned);
        painter.drawPixmap((captioned.width() - icon.width()) / 2, 0, icon);
        painter.setFont(font);
        painter.setPen(button->palette().color(QPalette::ButtonText));
        const QRect textBox(0, iconSize + 4, captioned.width(), metrics.height());
        painter.drawText(textBox, Qt::AlignCenter,
                         metrics.elidedText(qs(state.caption), Qt::ElideMiddle, textBox.width()));
        painter.end();
        icon = captioned;
    }
    button->setIcon(QIcon(icon));
    button->setIconSize(icon.isNull() ? QSize(iconSize, iconSize) : icon.size());
    button->setText(qs(state.caption));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const QString name = state.file.empty() ? qs(state.caption) : qs(state.file);
    button->setToolTip(name);
    button->setAccessibleName(name);
}

void MediaPickerView::refreshFolders() {
    const auto& entries = model_->dir1();
    bool same = dir1_->topLevelItemCount() > 0;
    if (same) {
        QTreeWidgetItemIterator it(dir1_);
        for (const auto& entry : entries) {
            if (!*it || (*it)->text(0) != qs(entry.name)) {
                same = false;
                break;
            }
            ++it;
        }
        same = same && !*it;
    }
    if (same) return;

    dir1_->clear();
    std::vector<QTreeWidgetItem*> parents;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& entry = entries[i];
        parents.resize(static_cast<std::size_t>(entry.level));
        auto* item =
            parents.empty() ? new QTreeWidgetItem(dir1_) : new QTreeWidgetItem(parents.back());
        item->setText(0, qs(entry.name));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setIcon(0, style()->standardIcon(entry.subFolder ? QStyle::SP_DirIcon
                                                               : QStyle::SP_DirOpenIcon));
        item->setToolTip(0, qs(entry.path));
        parents.push_back(item);
    }
    dir1_->expandAll();
}

void MediaPickerView::refresh() {
    const MediaPicker& model = *model_;
    label1_->setText(qs(model.label1()));

    refreshFolders();
    dir1_->setVisible(model.dir1Visible());
    // The folder list offers a choice each time it shows: nothing stays marked as chosen.
    if (model.dir1Visible()) dir1_->clearSelection();
    if (richTextBox1_->toPlainText() != qs(model.richTextBox1())) {
        richTextBox1_->setPlainText(qs(model.richTextBox1()));
    }
    richTextBox1_->setVisible(model.richTextBox1Visible());

    fraMedia_->setVisible(model.framesVisible());
    fraImgFormat_->setVisible(model.framesVisible());
    kinds_[static_cast<std::size_t>(model.kind())]->setChecked(true);
    (model.extension() == styles::PictureExtension::Gif ? optgif_ : optjpg_)->setChecked(true);

    for (int i = 0; i < MediaPicker::kButtons; ++i) {
        const auto& state = model.option1()[static_cast<std::size_t>(i)];
        PictureButton* button = option1_[static_cast<std::size_t>(i)];
        showButton(button, state, state.symbol == MediaPicker::Symbol::None ? kButtonIcon : 40);
        // One of them is selected, as option buttons are; none may be, which exclusive buttons
        // cannot show.
        button->setAutoExclusive(false);
        button->setChecked(state.selected);
        button->setAutoExclusive(true);
    }

    // The large picture belongs to the picture view.
    const bool largePicture = model.optDisplayPicVisible() && !model.dir1Visible();
    optDisplayPic_->setVisible(largePicture);
    if (largePicture) {
        const QPixmap picture = pictureOf(model.optDisplayPic(), kLargePicture - 8);
        if (picture.isNull()) {
            optDisplayPic_->setText(qs(model.optDisplayPic()));
        } else {
            optDisplayPic_->setPixmap(picture);
        }
        optDisplayPic_->setToolTip(qs(model.optDisplayPic()));
    }

    for (int d = 0; d < styles::kMediaKindCount; ++d) {
        const auto& state = model.displayButtons()[static_cast<std::size_t>(d)];
        QToolButton* button = display_[static_cast<std::size_t>(d)];
        showButton(button, state, kDisplayIcon);
        // The chosen file's name, as the page's style holds it.
        const auto field = kDisplayKinds[d];
        const auto& style = context_.state.CurrentStyle;
        const FixedText<12>* chosen[] = {
            &style.BackgroundFile, &style.BannerFile, &style.RulerFile, &style.ImageFile,
            &style.ControlFile,    &style.SoundFile,  &style.VideoFile};
        const QString file = qs(chosen[static_cast<int>(field)]->trimmed());
        button->setToolTip(file);
        button->setAccessibleName(kinds_[static_cast<std::size_t>(field)]->text() +
                                  QStringLiteral(": ") + file);
    }

    command1_->setVisible(model.command1Visible());
}

void MediaPickerView::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        guarded(context_.state, [&] { model_->FormUnload(); });
    }
    event->accept();
}

}  // namespace tarvomen::gui
