#include "gui/shell/form_start_view.hpp"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/list_lines.hpp"
#include "gui/qt_text.hpp"
#include "gui/services/guarded.hpp"
#include "gui/shell/logo.hpp"
#include "gui/shell/qt_language.hpp"
#include "gui/window_frame.hpp"

namespace tarvomen::gui {
namespace {

// The caption font of the product name: "Westminster" where it is installed, else the first
// installed of a few display-like families.
QFont label2Font() {
    const QStringList installed = QFontDatabase::families();
    QString family = QStringLiteral("Westminster");
    if (!installed.contains(family, Qt::CaseInsensitive)) {
        family = QStringLiteral("Sans Serif");
        for (const char* candidate : {"URW Gothic", "DejaVu Sans", "Nimbus Sans"}) {
            if (installed.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
                family = QLatin1String(candidate);
                break;
            }
        }
    }
    QFont font(family, 13, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    return font;
}

}  // namespace

FormStartView::FormStartView(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context), model_(context.state, context.windows) {
    setObjectName(QStringLiteral("FormStart"));
    exposeAsWindow(this, QStringLiteral("Tarvomen"));
    setWindowIcon(tarvomenIcon());

    // Left: the logo and the product name on a dark panel.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("LogoPanel"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(QStringLiteral(
        "#LogoPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #16365f, "
        "stop:1 #0d5c63); border-radius: 6px; }"
        "#Label2 { color: #f4f1e6; }"));
    picture1_ = new QLabel(panel);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setPixmap(tarvomenLogo(136));
    picture1_->setAlignment(Qt::AlignCenter);
    label2_ = new QLabel(QString::fromUtf8(shell::FormStart::kLabel2Caption), panel);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setAccessibleName(label2_->text());
    label2_->setFont(label2Font());
    label2_->setWordWrap(true);
    label2_->setAlignment(Qt::AlignCenter);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(18, 22, 18, 22);
    panelLayout->setSpacing(16);
    panelLayout->addWidget(picture1_);
    panelLayout->addWidget(label2_);
    panelLayout->addStretch();
    panel->setFixedWidth(190);

    // Middle: the welcome text or the F.T.P. list.
    richTextBox1_ = new QTextEdit(this);
    richTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
    richTextBox1_->setReadOnly(true);
    richTextBox1_->document()->setDocumentMargin(12);
    QFont times(QStringLiteral("Times New Roman"), 12);
    times.setStyleHint(QFont::Serif);
    richTextBox1_->setFont(times);
    richTextBox1_->setMinimumSize(600, 450);
    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setMinimumSize(600, 450);
    list1_->setFont(times);
    list1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the line's padding blanks
    list1_->setStyleSheet(QStringLiteral("QListWidget::item { padding: 6px 4px; }"));
    auto* middle = new QVBoxLayout;
    middle->addWidget(richTextBox1_);
    middle->addWidget(list1_);

    // Right: the six buttons.
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    for (std::size_t i = 0; i < command_.size(); ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setMinimumSize(136, 34);
        buttons->addWidget(button);
        command_[i] = button;
        const int index = static_cast<int>(i) + 1;
        connect(button, &QPushButton::clicked, this,
                [this, index] { guarded(context_.state, [&] { model_.CommandClick(index); }); });
    }
    buttons->addStretch();

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(12, 12, 12, 12);
    root->setSpacing(14);
    root->addWidget(panel);
    root->addLayout(middle, 1);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetMinimumSize);

    const auto clickLine = [this](QListWidgetItem* item) {
        const int line = list1_->row(item);
        guarded(context_.state, [&] { model_.List1Click(line); });
    };
    connect(list1_, &QListWidget::itemClicked, this, clickLine);
    connect(list1_, &QListWidget::itemActivated, this, clickLine);

    pressButtonsWithEnter(this);
    model_.changed = [this] { refresh(); };
    model_.FormLoad(false);  // no input-method editor status on this platform: accented captions
}

void FormStartView::refresh() {
    // Taken before showing or hiding anything changes the size.
    const QPoint centre = geometry().center();
    for (std::size_t i = 0; i < command_.size(); ++i) {
        const shell::FormStart::Button& state = model_.Command[i];
        QPushButton* button = command_[i];
        button->setText(qs(state.caption));
        button->setAccessibleName(qs(state.caption));
        button->setEnabled(state.enabled);
        button->setVisible(state.visible);
    }

    QStringList lines;
    for (const auto& line : model_.List1) lines << qs(line);
    showLines(list1_, lines);
    list1_->setVisible(model_.List1Visible);

    if (richTextBox1_->toPlainText() != qs(model_.RichTextBox1)) {
        richTextBox1_->setPlainText(qs(model_.RichTextBox1));
    }
    richTextBox1_->setVisible(model_.RichTextBox1Visible);

    // The language is chosen once; then the names read in it, and Qt's own texts too.
    followLanguage(context_.state.LangInd);
    picture1_->setAccessibleName(own(context_.state, "Tarvomen logo", "Logo de Tarvomen"));
    richTextBox1_->setAccessibleName(own(context_.state, "Welcome", "Bienvenue"));
    list1_->setAccessibleName(own(context_.state, "Web sites", "Sites Web"));

    if (model_.mode() != shownMode_) {
        // The menu is larger than the language choice: grow around the same centre.
        shownMode_ = model_.mode();
        adjustSize();
        QRect frame = frameGeometry();
        frame.moveCenter(centre);
        if (const QScreen* where = screen()) {
            const QRect available = where->availableGeometry();
            frame.moveLeft(
                std::clamp(frame.left(), available.left(),
                           std::max(available.left(), available.right() - frame.width())));
            frame.moveTop(
                std::clamp(frame.top(), available.top(),
                           std::max(available.top(), available.bottom() - frame.height())));
        }
        move(frame.topLeft());
    }
    if (model_.ended() && !endAnnounced_) {
        endAnnounced_ = true;
        hide();
        emit programEnded();
    }
}

void FormStartView::closeEvent(QCloseEvent* event) {
    // The exit question offers no way back: the window always closes.
    if (!model_.ended()) guarded(context_.state, [&] { model_.FormUnload(); });
    event->accept();
}

}  // namespace tarvomen::gui
