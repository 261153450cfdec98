#include "gui/editors/editor_view.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <utility>

#include "editors/form_detail.hpp"
#include "editors/form_link.hpp"
#include "editors/utf8_text.hpp"
#include "gui/list_lines.hpp"
#include "gui/qt_text.hpp"
#include "gui/services/guarded.hpp"
#include "gui/window_frame.hpp"
#include "shell/strings.hpp"

namespace tarvomen::gui {

using editors::ControlRef;
using Kind = ControlRef::Kind;

// The program's own labels of each editor's boxes, body text box and record list, in English
// and in French.
struct OwnLabel {
    const char* english;
    const char* french;
};
struct EditorTexts {
    std::vector<OwnLabel> boxes;
    OwnLabel body;
    OwnLabel list;
};

namespace {

const EditorTexts kProfileTexts{{{"Domain name", "Nom de domaine"},
                                 {"Title", "Titre"},
                                 {"Heading", "En-tête"},
                                 {"Logo picture", "Image du logo"},
                                 {"Company", "Société"},
                                 {"Address", "Adresse"},
                                 {"City", "Ville"},
                                 {"Post code, country", "Code postal, pays"},
                                 {"Phone", "Téléphone"},
                                 {"Fax", "Télécopie"},
                                 {"E-mail", "Courriel"},
                                 {"Link 1 (products)", "Lien 1 (produits)"},
                                 {"Link 2", "Lien 2"},
                                 {"Link 3", "Lien 3"},
                                 {"Link 4 (contact)", "Lien 4 (coordonnées)"},
                                 {"Video text", "Texte de la vidéo"},
                                 {"Picture text", "Texte de l'image"},
                                 {"Currency symbol", "Symbole monétaire"},
                                 {"Currency name", "Nom de la monnaie"}},
                                {"Home page text", "Texte de la page d'accueil"},
                                {"Web site", "Site Web"}};
const EditorTexts kDetailTexts{{{"Product name", "Nom du produit"},
                                {"Description", "Description"},
                                {"Quantity per unit", "Quantité par unité"},
                                {"Unit price", "Prix unitaire"},
                                {"Picture", "Image"},
                                {"Picture text", "Texte de l'image"},
                                {"Video text", "Texte de la vidéo"}},
                               {"Product text", "Texte du produit"},
                               {"Products", "Produits"}};
const EditorTexts kLinkTexts{{{"Link title", "Titre du lien"},
                              {"Heading", "En-tête"},
                              {"Picture", "Image"},
                              {"Picture text", "Texte de l'image"},
                              {"Video text", "Texte de la vidéo"}},
                             {"Page text", "Texte de la page"},
                             {"", ""}};

const EditorTexts& textsOf(WindowId window) {
    switch (window) {
        case WindowId::FormDetail:
            return kDetailTexts;
        case WindowId::FormLink:
            return kLinkTexts;
        default:
            return kProfileTexts;
    }
}

constexpr int kBoxWidth = 300;
constexpr int kColumnWidth = 340;
constexpr QSize kPictureSize{260, 190};

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

// A button the model may hide: it keeps its place and is disabled instead.
void showButton(QPushButton* button, const editors::Button& state) {
    button->setText(qs(state.caption));
    button->setAccessibleName(qs(state.caption));
    button->setEnabled(state.visible);
}

// A record list the model may hide: it keeps its place and is disabled instead.
void showList(QListWidget* widget, const editors::RecordList& list) {
    QStringList lines;
    for (const auto& line : list.lines) lines << qs(line);
    showLines(widget, lines);
    const int row = list.selected.value_or(-1);
    if (widget->currentRow() != row) widget->setCurrentRow(row);
    if (row < 0) widget->clearSelection();
    widget->setEnabled(list.visible);
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

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

EditorView::EditorView(AppState& state, std::unique_ptr<editors::FieldListEditor> model,
                       QWidget* parent)
    : QWidget(parent),
      state_(state),
      model_(std::move(model)),
      detail_(dynamic_cast<editors::FormDetail*>(model_.get())),
      link_(dynamic_cast<editors::FormLink*>(model_.get())),
      texts_(textsOf(model_->window())) {
    build();
    model_->changed = [this] { refresh(); };
    run([this] { model_->FormLoad(); });
    // The lists say what to do first: the form's "start by clicking" text.
    for (QListWidget* list : {list1_, list2_}) {
        if (list) list->setAccessibleDescription(qs(model_->Label1.caption));
    }
}

EditorView::~EditorView() {
    model_->changed = nullptr;
}

template <class Handler>
void EditorView::run(Handler&& handler) {
    guarded(state_, std::forward<Handler>(handler));
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
    exposeAsWindow(this, QString::fromUtf8(model_->caption()));

    // The edit menu of the body text box, in a menu bar of its own.
    menuBar_ = new QMenuBar(this);
    mnuEdit_ = menuBar_->addMenu(own(state_, "&Edit", "É&dition"));
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
    menuCouper_ = addItem("MenuCouper", QStringLiteral("&Couper"),
                          &editors::FieldListEditor::MenuCouperClick);
    menuCopier_ = addItem("MenuCopier", QStringLiteral("&Copier"),
                          &editors::FieldListEditor::MenuCopierClick);
    menuColler_ = addItem("MenuColler", QStringLiteral("&Coller"),
                          &editors::FieldListEditor::MenuCollerClick);
    menuSelectionnerTout_ = addItem("MenuSelectionnerTout", QStringLiteral("&Sélectionner tout"),
                                    &editors::FieldListEditor::MenuSelectionnerToutClick);

    label2_ = new QLabel(this);
    name(label2_, QStringLiteral("Label2"), QString::fromUtf8(model_->caption()));
    QFont banner = label2_->font();
    banner.setPointSizeF(banner.pointSizeF() * 1.4);
    banner.setBold(true);
    label2_->setFont(banner);

    // Boxes | help and body text | welcome, lists and picture; the buttons below.
    auto* columns = new QHBoxLayout;
    columns->setSpacing(18);
    columns->addWidget(buildBoxes(), 0);
    columns->addWidget(buildMiddle(), 1);
    columns->addWidget(buildRight(), 0);

    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    connect(command1_, &QPushButton::clicked, this, [this] { close(); });
    command2_ = new QPushButton(this);
    command2_->setObjectName(QStringLiteral("Command2"));
    connect(command2_, &QPushButton::clicked, this,
            [this] { run([this] { model_->Command2Click(); }); });
    // Room for the longer of its two captions, so that the buttons stay in place.
    const QFontMetrics metrics(command2_->font());
    int width = 110;
    for (int id : {51, 52}) {
        width = std::max(width, metrics.horizontalAdvance(qs(shell::text(state_, id))) + 32);
    }
    command1_->setMinimumWidth(width);
    command2_->setMinimumWidth(width);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);

    auto* root = new QVBoxLayout(this);
    root->setMenuBar(menuBar_);
    root->setContentsMargins(16, 8, 16, 12);
    root->setSpacing(8);
    root->addWidget(label2_);
    root->addLayout(columns, 1);
    root->addLayout(buttons);

    setTabOrder();
    pressButtonsWithEnter(this);
    // Escape is Exit, as the close box is.
    onEscape(this, [this] { close(); });
    // The window opens at its natural size and grows on a larger screen.
    resize(sizeHint());
}

QWidget* EditorView::buildBoxes() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    for (std::size_t i = 0; i < model_->Text1.size(); ++i) {
        auto* box = new QLineEdit(panel);
        const int index = static_cast<int>(i);
        const OwnLabel& label = texts_.boxes.at(i);
        name(box, QStringLiteral("Text1_%1").arg(i), own(state_, label.english, label.french));
        box->setAccessibleDescription(qs(model_->helpText(index)));
        box->setMinimumWidth(kBoxWidth);
        connect(box, &QLineEdit::textEdited, this, [this, index](const QString& text) {
            model_->Text1Change(index, text.toStdString());
        });
        box->installEventFilter(this);
        grid->addWidget(caption(box->accessibleName(), box, panel), index, 0);
        grid->addWidget(box, index, 1);
        boxes_.push_back(box);
    }
    int row = static_cast<int>(boxes_.size());
    if (detail_) grid->addWidget(buildDetailControls(*detail_), row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    return panel;
}

QWidget* EditorView::buildMiddle() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    // The help of the box with the focus, always in this one place.
    helpArea_ = new QGroupBox(own(state_, "Help", "Aide"), panel);
    helpArea_->setObjectName(QStringLiteral("HelpArea"));
    label1_ = new QLabel(helpArea_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->setTextFormat(Qt::PlainText);
    auto* helpLayout = new QVBoxLayout(helpArea_);
    helpLayout->addWidget(label1_);
    helpArea_->setFixedHeight(label1_->fontMetrics().lineSpacing() * 5 + 40);
    helpArea_->setMinimumWidth(kColumnWidth);
    column->addWidget(helpArea_);

    rtb1_ = new QPlainTextEdit(panel);
    name(rtb1_, QStringLiteral("RTB1"), own(state_, texts_.body.english, texts_.body.french));
    rtb1_->setAccessibleDescription(qs(model_->clickHelp(ControlRef::body())).trimmed());
    rtb1_->setAcceptDrops(false);
    rtb1_->setContextMenuPolicy(Qt::NoContextMenu);
    rtb1_->setTabChangesFocus(true);
    rtb1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    rtb1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rtb1_->setMinimumHeight(160);
    rtb1_->installEventFilter(this);
    rtb1_->viewport()->installEventFilter(this);
    // The widget reports typing; the text goes to the model before the caret, whichever signal
    // comes first.
    const auto edited = [this] {
        if (refreshing_) return;
        const QString text = rtb1_->toPlainText();
        if (qs(model_->RTB1.text) != text && !model_->RTB1Change(text.toStdString())) {
            refresh();  // over the limit: the model's text stands
            return;
        }
        const QTextCursor cursor = rtb1_->textCursor();
        const int start = toCharacters(text, cursor.selectionStart());
        const int end = toCharacters(text, cursor.selectionEnd());
        run([this, start, end] { model_->RTB1SelChange(start, end - start); });
    };
    connect(rtb1_, &QPlainTextEdit::textChanged, this, edited);
    connect(rtb1_, &QPlainTextEdit::selectionChanged, this, edited);
    connect(rtb1_, &QPlainTextEdit::cursorPositionChanged, this, edited);
    column->addWidget(caption(rtb1_->accessibleName(), rtb1_, panel));
    column->addWidget(rtb1_, 1);
    return panel;
}

QWidget* EditorView::buildRight() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(kPictureSize.width());
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    // The welcome text, later the status line of a save.
    label3_ = new QLabel(panel);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setWordWrap(true);
    label3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label3_->setTextFormat(Qt::PlainText);
    label3_->setMinimumHeight(label3_->fontMetrics().lineSpacing() * 6);
    column->addWidget(label3_);

    const auto addList = [this, panel, column](QListWidget* list, QWidget* title, int lines) {
        list->setParent(panel);
        list->installEventFilter(this);
        // The lines end in the padding of their fields: nothing to scroll to.
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int height = list->fontMetrics().lineSpacing() * lines + 12;
        if (lines > 4) {
            list->setMinimumHeight(height);
        } else {
            list->setFixedHeight(height);  // a list of one line takes the room of a few
        }
        column->addWidget(title);
        column->addWidget(list, lines > 4 ? 1 : 0);
    };
    list1_ = new QListWidget(panel);
    connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        run([this, row = list1_->row(item)] { model_->ListClick(0, row); });
    });
    if (model_->hasSecondList()) {
        label5_ = new QLabel(QString::fromUtf8(editors::FormLink::kLabel5Caption), panel);
        label5_->setObjectName(QStringLiteral("Label5"));
        name(list1_, QStringLiteral("List1"), label5_->text().trimmed());
        label5_->setBuddy(list1_);
        addList(list1_, label5_, 3);
        label6_ = new QLabel(QString::fromUtf8(editors::FormLink::kLabel6Caption), panel);
        label6_->setObjectName(QStringLiteral("Label6"));
        list2_ = new QListWidget(panel);
        name(list2_, QStringLiteral("List2"), label6_->text().trimmed());
        label6_->setBuddy(list2_);
        connect(list2_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            run([this, row = list2_->row(item)] { model_->ListClick(1, row); });
        });
        addList(list2_, label6_, 3);
    } else {
        name(list1_, QStringLiteral("List1"), own(state_, texts_.list.english, texts_.list.french));
        addList(list1_, caption(list1_->accessibleName(), list1_, panel), detail_ ? 12 : 3);
    }

    picture1_ = new QLabel(panel);
    name(picture1_, QStringLiteral("Picture1"),
         own(state_, "Picture preview", "Aperçu de l'image"));
    picture1_->setFixedSize(kPictureSize);
    picture1_->setAlignment(Qt::AlignCenter);
    picture1_->setFrameShape(QFrame::StyledPanel);
    column->addSpacing(8);
    column->addWidget(picture1_);
    if (!detail_) column->addStretch(1);
    return panel;
}

QWidget* EditorView::buildDetailControls(editors::FormDetail& detail) {
    using editors::FormDetail;
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 12, 0, 0);
    frame1_ = new QGroupBox(QString::fromUtf8(FormDetail::kFrame1Caption), panel);
    name(frame1_, QStringLiteral("Frame1"), frame1_->title());
    frame1_->setToolTip(QString::fromUtf8(FormDetail::kFrame1ToolTip));
    frame1_->setAccessibleDescription(frame1_->toolTip());
    option1_ = new QRadioButton(QString::fromUtf8(FormDetail::kOption1Caption), frame1_);
    name(option1_, QStringLiteral("Option1"), option1_->text());
    option2_ = new QRadioButton(QString::fromUtf8(FormDetail::kOption2Caption), frame1_);
    name(option2_, QStringLiteral("Option2"), option2_->text());
    auto* options = new QVBoxLayout(frame1_);
    options->addWidget(option1_);
    options->addWidget(option2_);
    connect(option1_, &QRadioButton::clicked, this,
            [this, &detail] { run([&detail] { detail.OptionClick(1); }); });
    connect(option2_, &QRadioButton::clicked, this,
            [this, &detail] { run([&detail] { detail.OptionClick(2); }); });

    command3_ = new QPushButton(panel);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setToolTip(QString::fromUtf8(FormDetail::kCopyStyleToolTip));
    command3_->setAccessibleDescription(command3_->toolTip());
    connect(command3_, &QPushButton::clicked, this,
            [this, &detail] { run([&detail] { detail.Command3Click(); }); });
    command4_ = new QPushButton(panel);
    command4_->setObjectName(QStringLiteral("Command4"));
    command4_->setToolTip(QString::fromUtf8(FormDetail::kKillDetailToolTip));
    command4_->setAccessibleDescription(command4_->toolTip());
    connect(command4_, &QPushButton::clicked, this,
            [this, &detail] { run([&detail] { detail.Command4Click(); }); });
    auto* commands = new QVBoxLayout;
    commands->addWidget(command3_);
    commands->addWidget(command4_);
    commands->addStretch();
    row->addWidget(frame1_);
    row->addLayout(commands);
    row->addStretch();
    return panel;
}

void EditorView::setTabOrder() {
    // Along the boxes, then the body text, the product's own controls, the lists and the buttons.
    std::vector<QWidget*> order(boxes_.begin(), boxes_.end());
    order.push_back(rtb1_);
    for (QWidget* widget : std::initializer_list<QWidget*>{option1_, option2_, command3_, command4_,
                                                           list1_, list2_, command1_, command2_}) {
        if (widget) order.push_back(widget);
    }
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void EditorView::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    const editors::FieldListEditor& m = *model_;

    showList(list1_, m.List1);
    if (list2_) {
        showList(list2_, m.List2);
        label5_->setEnabled(link_->Label5Visible);
        label6_->setEnabled(link_->Label6Visible);
    }
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        QLineEdit* box = boxes_[i];
        const editors::EntryBox& state = m.Text1[i];
        const QString text = qs(state.text);
        // The entry limit holds for typing; a longer value loaded from the record is kept whole.
        const int limit =
            std::max(state.limit, static_cast<int>(editors::utf8::length(state.text)));
        if (box->maxLength() != limit) {
            // A new limit puts the caret at the end; it goes back where it was.
            const int caret = box->cursorPosition();
            box->setMaxLength(limit);
            box->setCursorPosition(caret);
        }
        if (box->text() != text) {
            box->setText(text);
            box->setCursorPosition(0);  // the start of the text shows, not its end
        }
        box->setEnabled(state.visible && state.enabled);
        box->setFocusPolicy(state.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    showBody();

    label2_->setText(qs(m.Label2.caption));
    showHelp();
    label3_->setText(m.Label3.visible ? qs(m.Label3.caption) : QString());

    showPicture();
    showButton(command1_, m.Command1);
    showButton(command2_, m.Command2);

    mnuEdit_->menuAction()->setEnabled(m.mnuEdit.visible);
    menuCouper_->setEnabled(m.mnuEdit.couper);
    menuCopier_->setEnabled(m.mnuEdit.copier);
    menuColler_->setEnabled(m.mnuEdit.coller);
    menuSelectionnerTout_->setEnabled(m.mnuEdit.selectionnerTout);

    if (detail_) {
        frame1_->setEnabled(detail_->Frame1Visible);
        // Both options may be clear (no product chosen yet): exclusive buttons cannot show that.
        for (QRadioButton* option : {option1_, option2_}) option->setAutoExclusive(false);
        option1_->setChecked(detail_->Option1Value);
        option2_->setChecked(detail_->Option2Value);
        for (QRadioButton* option : {option1_, option2_}) option->setAutoExclusive(true);
        showButton(command3_, detail_->Command3);
        showButton(command4_, detail_->Command4);
    }
    refreshing_ = false;

    if (const auto focus = model_->takeFocusRequest()) {
        if (QWidget* widget = widgetFor(*focus); widget && widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
        }
    }
    if (model_->takePopupRequest()) mnuEdit_->popup(QCursor::pos());
}

void EditorView::showHelp() {
    const editors::Label& help = model_->Label1;
    // A help the model shows anew replaces the help of a box reached with Tab.
    if (help.caption != shownModelHelp_.caption || !(help.level == shownModelHelp_.level)) {
        shownModelHelp_ = help;
        tabbedTo_.reset();
    }
    QString text;
    if (tabbedTo_) {
        text = qs(model_->clickHelp(*tabbedTo_));
    } else if (help.visible) {
        text = qs(help.caption);
    }
    label1_->setText(text.trimmed());
}

void EditorView::showBody() {
    const editors::BodyBox& body = model_->RTB1;
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
    rtb1_->setEnabled(body.visible);
}

void EditorView::showPicture() {
    const editors::Picture& picture = model_->Picture1;
    // The picture of the record shown stays in view while its boxes are edited.
    const bool recordShown = !model_->Text1.empty() && model_->Text1[0].visible;
    const QString path = picture.visible || recordShown ? qs(picture.path) : QString();
    if (!pictureLoaded_ || path != picturePath_) {
        picturePath_ = path;
        pictureLoaded_ = true;
        QPixmap pixmap;
        try {
            if (!path.isEmpty()) {
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
        picture1_->setAccessibleDescription(path);
    }
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
        case QEvent::FocusIn: {
            // A box reached with Tab shows its help; a click or Enter shows it through the model.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            const ControlRef control = controlOf(watched);
            if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
                (control.kind == Kind::Box || control.kind == Kind::Body)) {
                tabbedTo_ = control;
                showHelp();
            }
            break;
        }
        case QEvent::FocusOut:
            if (auto* box = qobject_cast<QLineEdit*>(watched)) box->setCursorPosition(0);
            break;
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
            const ControlRef control = controlOf(watched);
            if (key->key() == Qt::Key_Space &&
                (control.kind == Kind::List1 || control.kind == Kind::List2)) {
                // Space chooses the line with the focus, as a click does.
                auto* list = static_cast<QListWidget*>(watched);
                run([this, list = control.kind == Kind::List1 ? 0 : 1, row = list->currentRow()] {
                    model_->ListClick(list, row);
                });
                return true;
            }
            if (isEnter(key)) {
                // Enter walks the boxes and is never typed into any of them.
                const ControlRef focused = controlOf(watched);
                run([this, focused] { model_->EnterKeyPress(focused); });
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
                run([this, right] { model_->RTB1MouseDown(right); });
                return right;
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (inBody) {
                if (mouse->button() == Qt::MiddleButton) return true;
                if (mouse->button() == Qt::LeftButton) run([this] { model_->RTB1Click(); });
                break;
            }
            const ControlRef control = controlOf(watched);
            if (control.kind == Kind::Box && mouse->button() == Qt::LeftButton) {
                run([this, box = control.index] { model_->Text1Click(box); });
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void EditorView::closeEvent(QCloseEvent* event) {
    // The close box, Escape and Exit all run Exit, unless the program is ending. The window
    // closes only when the model closes it (the user may choose to stay).
    if (isVisible()) {
        run([this] { model_->Command1Click(); });
        if (isVisible()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace tarvomen::gui
