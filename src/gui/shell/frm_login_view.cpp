#include "gui/shell/frm_login_view.hpp"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.hpp"
#include "gui/services/guarded.hpp"
#include "gui/shell/logo.hpp"
#include "gui/window_frame.hpp"

namespace tarvomen::gui {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit* makeBox(QWidget* parent, const char* name, std::string& field) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(280);
    QObject::connect(box, &QLineEdit::textChanged, parent,
                     [&field](const QString& text) { field = text.toStdString(); });
    return box;
}

}  // namespace

FrmLoginView::FrmLoginView(GuiContext& context, shell::FormStart& formStart, QWidget* parent)
    : QDialog(parent), context_(context), model_(context.state, context.windows, formStart) {
    setObjectName(QStringLiteral("frmLogin"));
    exposeAsWindow(this, QString::fromUtf8(shell::FrmLogin::kTitle));
    setWindowIcon(tarvomenIcon());

    label1_ = makeLabel(this, "Label1");
    label1_->setWordWrap(true);
    label2_ = makeLabel(this, "Label2");
    label3_ = makeLabel(this, "Label3");
    label4_ = makeLabel(this, "Label4");
    textUser_ = makeBox(this, "TextUser", model_.TextUser);
    textPass_ = makeBox(this, "TextPass", model_.TextPass);
    textPass_->setEchoMode(QLineEdit::Password);  // the password is not shown as typed
    textHost_ = makeBox(this, "TextHost", model_.TextHost);
    label2_->setBuddy(textUser_);
    label3_->setBuddy(textPass_);
    label4_->setBuddy(textHost_);

    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setDefault(true);
    command1_->setMinimumWidth(96);
    command2_ = new QPushButton(this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setMinimumWidth(96);
    connect(command1_, &QPushButton::clicked, this,
            [this] { guarded(context_.state, [&] { model_.Command1Click(); }); });
    connect(command2_, &QPushButton::clicked, this, &FrmLoginView::reject);

    auto* logo = new QLabel(this);
    logo->setPixmap(tarvomenLogo(56));
    logo->setAccessibleName(own(context.state, "Tarvomen logo", "Logo de Tarvomen"));
    label1_->setTextFormat(Qt::PlainText);
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addWidget(label1_, 1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(label2_, 0, 0);
    grid->addWidget(textUser_, 0, 1);
    grid->addWidget(label3_, 1, 0);
    grid->addWidget(textPass_, 1, 1);
    grid->addWidget(label4_, 2, 0);
    grid->addWidget(textHost_, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 14);
    root->setSpacing(14);
    root->addLayout(top);
    root->addLayout(grid);
    root->addLayout(buttons);

    model_.changed = [this] { refresh(); };
    model_.FormLoad();
}

void FrmLoginView::refresh() {
    const auto caption = [](QLabel* label, const std::string& text) {
        label->setText(qs(text));
        label->setAccessibleName(qs(text).trimmed());
    };
    caption(label1_, model_.Label1);
    caption(label2_, model_.Label2);
    caption(label3_, model_.Label3);
    caption(label4_, model_.Label4);
    // Each box is named by its caption.
    textUser_->setAccessibleName(label2_->accessibleName());
    textPass_->setAccessibleName(label3_->accessibleName());
    textHost_->setAccessibleName(label4_->accessibleName());
    // Setting a box's text writes the same text back into the model.
    const std::string user = model_.TextUser;
    const std::string pass = model_.TextPass;
    const std::string host = model_.TextHost;
    textUser_->setText(qs(user));
    textPass_->setText(qs(pass));
    textHost_->setText(qs(host));
    command1_->setText(qs(model_.Command1Caption));
    command1_->setAccessibleName(qs(model_.Command1Caption));
    command2_->setText(qs(model_.Command2Caption));
    command2_->setAccessibleName(qs(model_.Command2Caption));
    command2_->setVisible(model_.Command2Visible);
}

void FrmLoginView::reject() {
    close();
}

void FrmLoginView::closeEvent(QCloseEvent* event) {
    guarded(context_.state, [&] { model_.FormUnload(); });
    event->accept();
}

}  // namespace tarvomen::gui
