#include "gui/styles/form1_view.hpp"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/qt_text.hpp"
#include "gui/services/guarded.hpp"
#include "gui/styles/style_widgets.hpp"
#include "gui/window_frame.hpp"

namespace tarvomen::gui {
namespace {

using styles::Form1;

// Twips of the window layout to pixels (96 dots per inch).
constexpr int px(int twips) {
    return twips / 15;
}

constexpr int kComboWidth = 146;
constexpr int kSampleWidth = 188;
constexpr int kRowHeight = 27;
constexpr int kRightColumn = px(Form1::kComboLeft) + px(Form1::kSampleOffset) + kSampleWidth + 22;
constexpr int kRightWidth = 250;
constexpr bool isFontItem(int item) {
    return item == 5 || item == 9;
}
constexpr bool isSizeItem(int item) {
    return item == 6 || item == 8;
}

}  // namespace

Form1View::Form1View(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context), model_(context.state, context.windows) {
    setObjectName(QStringLiteral("Form1"));
    exposeAsWindow(this, qs(model_.caption()));

    const int left = px(Form1::kComboLeft);
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setAccessibleName(own(context_.state, "Colour palette", "Palette de couleurs"));
    image1_->setGeometry(left, 14, kRightColumn + kRightWidth - left, 48);
    image1_->setPixmap(paletteStrip(image1_->size()));

    for (int i = 0; i < Form1::kItems; ++i) {
        const auto& item = model_.combos()[static_cast<std::size_t>(i)];
        auto* combo = new SampleCombo(this);
        combo->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        const QString itemName =
            QString::fromUtf8(styles::StyleItemNames[static_cast<std::size_t>(i)]);
        combo->setAccessibleName(itemName);
        combo->setGeometry(px(item.left), px(item.top), kComboWidth, kRowHeight);
        combo->setMaxVisibleItems(15);
        combo->view()->setMinimumWidth(isFontItem(i) ? 260 : kComboWidth);
        for (std::size_t n = 0; n < item.list.size(); ++n) {
            combo->addItem(qs(item.list[n]));
            if (isFontItem(i)) {
                combo->setItemData(static_cast<int>(n), QFont(qs(item.list[n]), 11), Qt::FontRole);
            } else if (!isSizeItem(i)) {
                combo->setItemIcon(static_cast<int>(n),
                                   colourSwatch(styles::sampleColor(static_cast<int>(n))));
            }
        }
        connect(combo, &QComboBox::activated, this, [this, i](int position) {
            guarded(context_.state, [&] { model_.Combo1Click(i, position); });
            refresh();
        });
        combo1_[static_cast<std::size_t>(i)] = combo;

        const auto& sample = model_.samples()[static_cast<std::size_t>(i)];
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setAccessibleName(own(context_.state, "Sample", "Exemple") + QStringLiteral(": ") +
                               itemName);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setGeometry(px(sample.left), px(sample.top), kSampleWidth, kRowHeight);
        text1_[static_cast<std::size_t>(i)] = box;
    }

    for (int f = 0; f < 3; ++f) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("Frame%1").arg(f + 1));
        frame->setGeometry(kRightColumn, px(Form1::kComboTop) + f * 86, kRightWidth, 78);
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(10, 4, 10, 6);
        layout->setSpacing(2);
        for (int n = 2 * f; n < 2 * f + 2; ++n) {
            auto* option = new QRadioButton(frame);
            option->setObjectName(QStringLiteral("Option%1").arg(n + 1));
            layout->addWidget(option);
            connect(option, &QRadioButton::clicked, this, [this, n] {
                guarded(context_.state, [&] { model_.OptionClick(n + 1); });
                refresh();
            });
            option_[static_cast<std::size_t>(n)] = option;
        }
        frame_[static_cast<std::size_t>(f)] = frame;
    }

    // Command1 Exit, Command2 THEME, Command3 Preview, Command4 MIX, left to right: the media
    // pickers, the preview, then the way back.
    const int buttonTop = px(Form1::kComboTop + Form1::kItemSpacing * (Form1::kItems - 1)) + 52;
    const struct {
        int command;
        int x, width;
    } placement[] = {{2, left, 110},
                     {4, left + 118, 110},
                     {3, kRightColumn, 150},
                     {1, kRightColumn + 158, kRightWidth - 158}};
    for (const auto& place : placement) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Command%1").arg(place.command));
        button->setGeometry(place.x, buttonTop, place.width, 34);
        const int command = place.command;
        connect(button, &QPushButton::clicked, this, [this, command] {
            guarded(context_.state, [&] {
                switch (command) {
                    case 1:
                        model_.Command1Click();
                        break;
                    case 2:
                        model_.Command2Click();
                        break;
                    case 3:
                        model_.Command3Click();
                        break;
                    default:
                        model_.Command4Click();
                        break;
                }
            });
            refresh();
        });
        command_[static_cast<std::size_t>(command - 1)] = button;
    }
    setFixedSize(kRightColumn + kRightWidth + left, buttonTop + 34 + 18);
    pressButtonsWithEnter(this);
    // Escape is Exit.
    onEscape(this, [this] {
        guarded(context_.state, [&] { model_.Command1Click(); });
        refresh();
    });
    refresh();
}

void Form1View::refresh() {
    for (int i = 0; i < Form1::kItems; ++i) {
        const auto& item = model_.combos()[static_cast<std::size_t>(i)];
        SampleCombo* combo = combo1_[static_cast<std::size_t>(i)];
        if (isFontItem(i)) combo->setFont(QFont(qs(item.text)));
        combo->setSample(qs(item.text), toQColor(item.back), toQColor(item.fore));
        combo->setEnabled(item.enabled);
        const int position = context_.state.CurrentStyle.StyleIndex[static_cast<std::size_t>(i)];
        if (position < combo->count()) combo->setCurrentIndex(position);

        const auto& sample = model_.samples()[static_cast<std::size_t>(i)];
        QLineEdit* box = text1_[static_cast<std::size_t>(i)];
        box->setText(qs(sample.text));
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, toQColor(sample.back));
        colours.setColor(QPalette::Text, toQColor(sample.fore));
        box->setPalette(colours);
        // The font samples show the chosen face.
        if (isFontItem(i)) box->setFont(QFont(qs(item.text)));
    }
    for (std::size_t f = 0; f < frame_.size(); ++f) {
        const auto& frame = model_.frames()[f];
        frame_[f]->setTitle(qs(frame.caption));
        frame_[f]->setAccessibleName(qs(frame.caption));
        frame_[f]->setToolTip(qs(frame.toolTip));
        frame_[f]->setVisible(frame.visible);
    }
    for (std::size_t n = 0; n < option_.size(); ++n) {
        const auto& option = model_.options()[n];
        option_[n]->setText(qs(option.caption));
        option_[n]->setAccessibleName(qs(option.caption));
        if (option.selected) option_[n]->setChecked(true);
    }
    for (std::size_t c = 0; c < command_.size(); ++c) {
        const auto& command = model_.commands()[c];
        command_[c]->setText(qs(command.caption));
        command_[c]->setAccessibleName(qs(command.caption));
        command_[c]->setToolTip(qs(command.toolTip));
        command_[c]->setVisible(command.visible);
    }
}

void Form1View::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        guarded(context_.state, [&] { model_.FormUnload(); });
    }
    event->accept();
}

}  // namespace tarvomen::gui
