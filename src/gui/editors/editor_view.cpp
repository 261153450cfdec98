#include "gui/editors/editor_view.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include <algorithm>
#include <exception>

#include "editors/form_detail.hpp"
#include "editors/form_link.hpp"
#include "editors/utf8_text.hpp"
#include "gui/qt_text.hpp"

namespace tarvomen::gui {

using editors::ControlRef;
using Kind = ControlRef::Kind;

// Geometry, in pixels. The boxes form a column at the left; the help label stands in the
// column beside them, level with the box being edited; the lists and the picture take the third
// column.
struct EditorLayout {
    int height;
    QRect list1, label5, list2, label6;
    QRect body;  // the body text box at its design place
    QRect picture;
};

namespace {

constexpr int kMargin = 16;
constexpr int kMenuHeight = 26;
constexpr int kTop = 76;  // below the menu bar and the banner
constexpr int kColumnWidth = 300;
constexpr int kGap = 16;
constexpr int kBoxHeight = 24;
constexpr int kBoxPitch = 28;
constexpr int kColumnA = kMargin;
constexpr int kColumnB = kColumnA + kColumnWidth + kGap;
constexpr int kColumnC = kColumnB + kColumnWidth + kGap;
constexpr int kWidth = kColumnC + kColumnWidth + kMargin;
constexpr int kLabel3Top = kTop + 96;
constexpr int kButtonWidth = 120;

constexpr int boxY(int box) {
    return kTop + box * kBoxPitch;
}

// Profile: its 19 boxes fill the first column; the body text box waits in the third and moves
// beside box 9 while it is edited.
const EditorLayout kProfileLayout{boxY(19) + 56,
                                  {kColumnC, kTop, kColumnWidth, 48},
                                  {},
                                  {},
                                  {},
                                  {kColumnC, kTop + 64, kColumnWidth, 260},
                                  {kColumnC, kTop + 340, kColumnWidth, 180}};
// Detail: the body text under the seven boxes, the product list and picture in the third column.
const EditorLayout kDetailLayout{boxY(7) + 360,
                                 {kColumnC, kTop, kColumnWidth, 300},
                                 {},
                                 {},
                                 {},
                                 {kColumnA, boxY(7) + 8, kColumnWidth, 240},
                                 {kColumnC, kTop + 316, kColumnWidth, 180}};
// Link: the body text under the five boxes, the two lists with their captions in the third
// column.
const EditorLayout kLinkLayout{boxY(5) + 320,
                               {kColumnC, kTop + 22, kColumnWidth, 44},
                               {kColumnC, kTop, kColumnWidth, 20},
                               {kColumnC, kTop + 100, kColumnWidth, 44},
                               {kColumnC, kTop + 78, kColumnWidth, 20},
                               {kColumnA, boxY(5) + 8, kColumnWidth, 260},
                               {kColumnC, kTop + 160, kColumnWidth, 180}};

const EditorLayout& layoutOf(WindowId window) {
    switch (window) {
        case WindowId::FormDetail:
            return kDetailLayout;
        case WindowId::FormLink:
            return kLinkLayout;
        default:
            return kProfileLayout;
    }
}

// Characters (code points) before UTF-16 position `pos` of `text`, and back.
int toCharacters(const QString& text, int pos) {
    return static_cast<int>(QStringView(text).left(pos).toUcs4().size());
}
int toUtf16(const QString& text, int characters) {
    int pos = 0;
    for (int seen = 0; seen < characters && pos < text.size(); ++seen) {
        pos += text.at(pos).isHighSurrogate() && pos + 1 < text.size() ? 2 : 1;
    }
    return pos;
}

void name(QWidget* widget, const QString& objectName, const QString& accessibleName) {
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
}

void showButton(QPushButton* button, const editors::Button& state) {
    button->setText(qs(state.caption));
    button->setAccessibleName(qs(state.caption));
    button->setVisible(state.visible);
}

void showList(QListWidget* widget, const editors::RecordList& list) {
    QStringList lines;
    for (const auto& line : list.lines) lines << qs(line);
    QStringList shown;
    for (int i = 0; i < widget->count(); ++i) shown << widget->item(i)->text();
    if (shown != lines) {
        widget->clear();
        widget->addItems(lines);
    }
    const int row = list.selected.value_or(-1);
    if (widget->currentRow() != row) widget->setCurrentRow(row);
    if (row < 0) widget->clearSelection();
    widget->setVisible(list.visible);
}

// Keys that reach the clipboard or undo in a text box.
bool isEditShortcut(const QKeyEvent* key) {
    return key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) ||
           key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Undo) ||
           key->matches(QKeySequence::Redo);
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

EditorView::EditorView(AppState& state, std::unique_ptr<editors::FieldListEditor> model,
                       QWidget* parent)
    : QWidget(parent),
      state_(state),
      model_(std::move(model)),
      detail_(dynamic_cast<editors::FormDetail*>(model_.get())),
      link_(dynamic_cast<editors::FormLink*>(model_.get())),
      layout_(layoutOf(model_->window())) {
    build();
    model_->changed = [this] { refresh(); };
    run([this] { model_->load(); });
}

EditorView::~EditorView() {
    model_->changed = nullptr;
}

template <class Handler>
void EditorView::run(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        if (state_.services.messages) {
            state_.services.messages->inform(error.what(), "Tarvomen", MessageBox::Icon::Critical);
        }
    }
    refresh();
}

void EditorView::build() {
    switch (model_->window()) {
        case WindowId::FormProfile:
            setObjectName(QStringLiteral("FormProfile"));
            break;
        case WindowId::FormDetail:
            setObjectName(QStringLiteral("FormDetail"));
            break;
        default:
            setObjectName(QStringLiteral("FormLink"));
            break;
    }
    setWindowTitle(QString::fromUtf8(model_->caption()));
    setFixedSize(kWidth, layout_.height);

    // The edit menu of the body text box, in a menu bar of its own.
    menuBar_ = new QMenuBar(this);
    menuBar_->setGeometry(0, 0, kWidth, kMenuHeight);
    mnuEdit_ = menuBar_->addMenu(QStringLiteral("&Edition"));
    mnuEdit_->setObjectName(QStringLiteral("mnuEdit"));
    const auto addItem = [this](const char* objectName, const QString& caption, auto handler) {
        QAction* action = mnuEdit_->addAction(caption);
        action->setObjectName(QLatin1String(objectName));
        connect(action, &QAction::triggered, this, [this, handler] {
            run([this, handler] { (model_.get()->*handler)(); });
            rtb1_->setFocus();
        });
        return action;
    };
    menuCouper_ =
        addItem("MenuCouper", QStringLiteral("&Couper"), &editors::FieldListEditor::menuCouper);
    menuCopier_ =
        addItem("MenuCopier", QStringLiteral("&Copier"), &editors::FieldListEditor::menuCopier);
    menuColler_ =
        addItem("MenuColler", QStringLiteral("&Coller"), &editors::FieldListEditor::menuColler);
    menuSelectionnerTout_ = addItem("MenuSelectionnerTout", QStringLiteral("&Sélectionner tout"),
                                    &editors::FieldListEditor::menuSelectionnerTout);

    label2_ = new QLabel(this);
    name(label2_, QStringLiteral("Label2"), QString::fromUtf8(model_->caption()));
    QFont banner = label2_->font();
    banner.setPointSizeF(banner.pointSizeF() * 1.4);
    banner.setBold(true);
    label2_->setFont(banner);
    label2_->setGeometry(kMargin, kMenuHeight + 8, kWidth - 2 * kMargin, 32);

    list1_ = new QListWidget(this);
    name(list1_, QStringLiteral("List1"), QStringLiteral("List1"));
    list1_->setGeometry(layout_.list1);
    connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        run([this, row = list1_->row(item)] { model_->clickList(0, row); });
    });
    list1_->installEventFilter(this);
    if (model_->hasSecondList()) {
        label5_ = new QLabel(QString::fromUtf8(editors::FormLink::kLabel5Caption), this);
        name(label5_, QStringLiteral("Label5"), label5_->text());
        label5_->setGeometry(layout_.label5);
        label6_ = new QLabel(QString::fromUtf8(editors::FormLink::kLabel6Caption), this);
        name(label6_, QStringLiteral("Label6"), label6_->text());
        label6_->setGeometry(layout_.label6);
        list2_ = new QListWidget(this);
        name(list2_, QStringLiteral("List2"), QStringLiteral("List2"));
        list2_->setGeometry(layout_.list2);
        connect(list2_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            run([this, row = list2_->row(item)] { model_->clickList(1, row); });
        });
        list2_->installEventFilter(this);
    }

    for (std::size_t i = 0; i < model_->Text1.size(); ++i) {
        auto* box = new QLineEdit(this);
        const QString boxName = QStringLiteral("Text1_%1").arg(i);
        name(box, boxName, boxName);
        // The boxes have no captions of their own: an empty box shows what it is for.
        const QString help = qs(model_->helpText(static_cast<int>(i)));
        box->setPlaceholderText(help);
        box->setToolTip(help);
        box->setGeometry(kColumnA, boxY(static_cast<int>(i)), kColumnWidth, kBoxHeight);
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            model_->setBoxText(static_cast<int>(i), text.toStdString());
        });
        box->installEventFilter(this);
        boxes_.push_back(box);
    }

    rtb1_ = new QPlainTextEdit(this);
    name(rtb1_, QStringLiteral("RTB1"), QStringLiteral("RTB1"));
    rtb1_->setAcceptDrops(false);
    rtb1_->setContextMenuPolicy(Qt::NoContextMenu);
    rtb1_->setTabChangesFocus(true);
    rtb1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    rtb1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rtb1_->installEventFilter(this);
    rtb1_->viewport()->installEventFilter(this);
    // The widget reports typing; the text goes to the model before the caret, whichever signal
    // comes first.
    const auto edited = [this] {
        if (refreshing_) return;
        const QString text = rtb1_->toPlainText();
        if (qs(model_->RTB1.text) != text && !model_->setBodyText(text.toStdString())) {
            refresh();  // over the limit: the model's text stands
            return;
        }
        const QTextCursor cursor = rtb1_->textCursor();
        const int start = toCharacters(text, cursor.selectionStart());
        const int end = toCharacters(text, cursor.selectionEnd());
        run([this, start, end] { model_->bodySelectionChanged(start, end - start); });
    };
    connect(rtb1_, &QPlainTextEdit::textChanged, this, edited);
    connect(rtb1_, &QPlainTextEdit::selectionChanged, this, edited);
    connect(rtb1_, &QPlainTextEdit::cursorPositionChanged, this, edited);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setWordWrap(true);
    label3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    picture1_ = new QLabel(this);
    name(picture1_, QStringLiteral("Picture1"), QStringLiteral("Picture1"));
    picture1_->setGeometry(layout_.picture);
    picture1_->setAlignment(Qt::AlignCenter);
    picture1_->setFrameShape(QFrame::StyledPanel);

    const int buttonsY = layout_.height - 44;
    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(kWidth - kMargin - 2 * kButtonWidth - 8, buttonsY, kButtonWidth, 30);
    connect(command1_, &QPushButton::clicked, this,
            [this] { run([this] { model_->clickExit(); }); });
    command2_ = new QPushButton(this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setGeometry(kWidth - kMargin - kButtonWidth, buttonsY, kButtonWidth, 30);
    connect(command2_, &QPushButton::clicked, this,
            [this] { run([this] { model_->clickCommand2(); }); });

    if (detail_) buildDetailControls(*detail_);
}

void EditorView::buildDetailControls(editors::FormDetail& detail) {
    using editors::FormDetail;
    const int y = layout_.body.bottom() + 16;
    frame1_ = new QGroupBox(QString::fromUtf8(FormDetail::kFrame1Caption), this);
    name(frame1_, QStringLiteral("Frame1"), frame1_->title());
    frame1_->setToolTip(QString::fromUtf8(FormDetail::kFrame1ToolTip));
    frame1_->setGeometry(kColumnA, y, 150, 76);
    option1_ = new QRadioButton(QString::fromUtf8(FormDetail::kOption1Caption), frame1_);
    name(option1_, QStringLiteral("Option1"), option1_->text());
    option1_->setGeometry(12, 24, 130, 22);
    option2_ = new QRadioButton(QString::fromUtf8(FormDetail::kOption2Caption), frame1_);
    name(option2_, QStringLiteral("Option2"), option2_->text());
    option2_->setGeometry(12, 48, 130, 22);
    // The model decides which option is selected (a refused click leaves it as it was).
    option1_->setAutoExclusive(false);
    option2_->setAutoExclusive(false);
    connect(option1_, &QRadioButton::clicked, this,
            [this, &detail] { run([&detail] { detail.clickOption(1); }); });
    connect(option2_, &QRadioButton::clicked, this,
            [this, &detail] { run([&detail] { detail.clickOption(2); }); });

    command3_ = new QPushButton(this);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setToolTip(QString::fromUtf8(FormDetail::kCopyStyleToolTip));
    command3_->setGeometry(kColumnA + 166, y + 8, 134, 30);
    connect(command3_, &QPushButton::clicked, this,
            [this, &detail] { run([&detail] { detail.clickCopyStyle(); }); });
    command4_ = new QPushButton(this);
    command4_->setObjectName(QStringLiteral("Command4"));
    command4_->setToolTip(QString::fromUtf8(FormDetail::kKillDetailToolTip));
    command4_->setGeometry(kColumnA + 166, y + 44, 134, 30);
    connect(command4_, &QPushButton::clicked, this,
            [this, &detail] { run([&detail] { detail.clickKillDetail(); }); });
}

int EditorView::levelY(const ControlRef& level) const {
    if (level.kind == Kind::Body) return bodyRect().top();
    return boxY(std::max(0, level.index));
}

QRect EditorView::bodyRect() const {
    if (model_->RTB1.besideBox9) return {kColumnB, boxY(9), kColumnWidth, layout_.body.height()};
    return layout_.body;
}

void EditorView::placeLabel(QLabel* label, int x, int y, bool visible) {
    label->setAccessibleName(label->text());
    label->setGeometry(x, y, kColumnWidth, label->heightForWidth(kColumnWidth));
    label->setVisible(visible);
}

void EditorView::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    const editors::FieldListEditor& m = *model_;

    showList(list1_, m.List1);
    if (list2_) {
        showList(list2_, m.List2);
        label5_->setVisible(link_->Label5Visible);
        label6_->setVisible(link_->Label6Visible);
    }
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        QLineEdit* box = boxes_[i];
        const editors::EntryBox& state = m.Text1[i];
        const QString text = qs(state.text);
        // The entry limit holds for typing; a longer value loaded from the record is kept whole.
        box->setMaxLength(
            std::max(state.limit, static_cast<int>(editors::utf8::length(state.text))));
        if (box->text() != text) box->setText(text);
        box->setEnabled(state.enabled);
        box->setFocusPolicy(state.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        box->setVisible(state.visible);
    }
    showBody();

    label2_->setText(qs(m.Label2.caption));
    label2_->setVisible(m.Label2.visible);
    label1_->setText(qs(m.Label1.caption));
    placeLabel(label1_, kColumnB, levelY(m.Label1.level), m.Label1.visible);
    label3_->setText(qs(m.Label3.caption));
    placeLabel(label3_, kColumnB, kLabel3Top, m.Label3.visible);

    showPicture();
    showButton(command1_, m.Command1);
    showButton(command2_, m.Command2);

    mnuEdit_->menuAction()->setVisible(m.mnuEdit.visible);
    menuCouper_->setEnabled(m.mnuEdit.couper);
    menuCopier_->setEnabled(m.mnuEdit.copier);
    menuColler_->setEnabled(m.mnuEdit.coller);
    menuSelectionnerTout_->setEnabled(m.mnuEdit.selectionnerTout);

    if (detail_) {
        frame1_->setVisible(detail_->Frame1Visible);
        option1_->setChecked(detail_->Option1Value);
        option2_->setChecked(detail_->Option2Value);
        showButton(command3_, detail_->Command3);
        showButton(command4_, detail_->Command4);
    }
    refreshing_ = false;

    if (const auto focus = model_->takeFocusRequest()) {
        if (QWidget* widget = widgetFor(*focus); widget && widget->isVisible()) {
            widget->setFocus(Qt::OtherFocusReason);
        }
    }
    if (model_->takePopupRequest()) mnuEdit_->popup(QCursor::pos());
}

void EditorView::showBody() {
    const editors::BodyBox& body = model_->RTB1;
    rtb1_->setGeometry(bodyRect());
    rtb1_->setFocusPolicy(body.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    const QString text = qs(body.text);
    if (rtb1_->toPlainText() != text) rtb1_->setPlainText(text);
    const QString shown = rtb1_->toPlainText();
    const int start = toUtf16(shown, body.selStart);
    const int end = toUtf16(shown, body.selStart + body.selLength);
    QTextCursor cursor = rtb1_->textCursor();
    if (cursor.selectionStart() != start || cursor.selectionEnd() != end) {
        // Keep the caret at the end the user moved when the selection is the same.
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        rtb1_->setTextCursor(cursor);
    }
    rtb1_->setVisible(body.visible);
}

void EditorView::showPicture() {
    const editors::Picture& picture = model_->Picture1;
    const QString path = qs(picture.path);
    if (!pictureLoaded_ || path != picturePath_) {
        picturePath_ = path;
        pictureLoaded_ = true;
        QPixmap pixmap;
        try {
            if (!picture.path.empty()) {
                pixmap.load(QString::fromStdString(state_.drive.resolve(picture.path).string()));
            }
        } catch (const std::exception&) {
            // A picture that cannot be found or read leaves the preview empty.
        }
        if (pixmap.isNull()) {
            picture1_->clear();
        } else {
            picture1_->setPixmap(pixmap.scaled(picture1_->contentsRect().size(),
                                               Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    picture1_->setVisible(picture.visible);
}

QWidget* EditorView::widgetFor(const ControlRef& control) const {
    switch (control.kind) {
        case Kind::Box:
            return control.index >= 0 && control.index < static_cast<int>(boxes_.size())
                       ? boxes_[static_cast<std::size_t>(control.index)]
                       : nullptr;
        case Kind::Body:
            return rtb1_;
        case Kind::List1:
            return list1_;
        case Kind::List2:
            return list2_;
        case Kind::None:
            break;
    }
    return nullptr;
}

ControlRef EditorView::controlOf(QObject* widget) const {
    if (widget == rtb1_ || widget == rtb1_->viewport()) return ControlRef::body();
    if (widget == list1_) return {Kind::List1, 0};
    if (list2_ && widget == list2_) return {Kind::List2, 0};
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (widget == boxes_[i]) return ControlRef::box(static_cast<int>(i));
    }
    return {};
}

bool EditorView::eventFilter(QObject* watched, QEvent* event) {
    const bool inBody = watched == rtb1_ || watched == rtb1_->viewport();
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Take the Ctrl keys from the shortcut system so that the key press below drops them.
            auto* key = static_cast<QKeyEvent*>(event);
            if (inBody && ((key->modifiers() & Qt::ControlModifier) || isEditShortcut(key))) {
                event->accept();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (isEnter(key)) {
                // Enter walks the boxes and is never typed into any of them.
                const ControlRef focused = controlOf(watched);
                run([this, focused] { model_->enterKey(focused); });
                return true;
            }
            if (inBody && ((key->modifiers() & Qt::ControlModifier) || isEditShortcut(key))) {
                return true;
            }
            break;
        }
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (inBody) {
                if (mouse->button() == Qt::MiddleButton) return true;  // no selection paste
                const bool right = mouse->button() == Qt::RightButton;
                run([this, right] { model_->bodyMouseDown(right); });
                return right;
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (inBody) {
                if (mouse->button() == Qt::MiddleButton) return true;
                if (mouse->button() == Qt::LeftButton) run([this] { model_->clickBody(); });
                break;
            }
            const ControlRef control = controlOf(watched);
            if (control.kind == Kind::Box && mouse->button() == Qt::LeftButton) {
                run([this, box = control.index] { model_->clickBox(box); });
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void EditorView::closeEvent(QCloseEvent* event) {
    // Closing the window is "Exit", unless the program is ending.
    if (isVisible()) run([this] { model_->clickExit(); });
    event->accept();
}

}  // namespace tarvomen::gui
