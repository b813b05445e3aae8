#include "common/ui/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinetra::ui {

namespace {

QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        break;
    }
    return QMessageBox::No;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape; // what the close box and Escape answer
};

ButtonSet buttonSet(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return {QMessageBox::Ok, QMessageBox::Ok};
    case Buttons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
    case Buttons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
    case Buttons::YesNoCancel:
        break;
    }
    return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
}

Answer fromQt(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

QWidget* dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void QtDialogs::message(const std::string& text, const std::string& title, Icon icon) {
    QMessageBox box(toQt(icon), qs(title), qs(text), QMessageBox::Ok, dialogParent());
    box.exec();
}

Answer QtDialogs::ask(const std::string& text, const std::string& title, Buttons buttons,
                      Answer defaultAnswer, Icon icon) {
    const ButtonSet set = buttonSet(buttons);
    QMessageBox box(toQt(icon), qs(title), qs(text), set.buttons, dialogParent());
    if (set.buttons.testFlag(toQt(defaultAnswer)))
        box.setDefaultButton(toQt(defaultAnswer));
    box.setEscapeButton(set.escape);
    box.exec();
    // Closing by the close box reports the escape button as the one clicked.
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return fromQt(set.escape);
    return fromQt(box.standardButton(clicked));
}

RefusalReply QtDialogs::refusal(const std::string& message, const std::string& block,
                                const std::string& question) {
    RefusalDialog dialog(qs(message), qs(block), qs(question), dialogParent());
    dialog.exec();
    return dialog.reply();
}

RefusalDialog::RefusalDialog(const QString& message, const QString& block, const QString& question,
                             QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("KINETRA"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* reason = new QLabel(message);
    reason->setWordWrap(true);
    layout->addWidget(reason);

    auto* text = new QPlainTextEdit(block);
    text->setObjectName(QStringLiteral("block"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setMinimumSize(520, 140);
    layout->addWidget(text, 1);

    auto* ask = new QLabel(question);
    ask->setWordWrap(true);
    layout->addWidget(ask);

    doNotShow_ = new QCheckBox(QStringLiteral("Do not show this window again"));
    layout->addWidget(doNotShow_);

    auto* buttons = new QDialogButtonBox;
    auto addButton = [&](const QString& caption, RefusalChoice choice,
                         QDialogButtonBox::ButtonRole role) {
        QPushButton* b = buttons->addButton(caption, role);
        b->setObjectName(caption);
        connect(b, &QPushButton::clicked, this, [this, choice] {
            choice_ = choice;
            done(choice == RefusalChoice::Cancel ? Rejected : Accepted);
        });
        return b;
    };
    addButton(QStringLiteral("Yes"), RefusalChoice::Continue, QDialogButtonBox::YesRole)
        ->setDefault(true);
    addButton(QStringLiteral("No"), RefusalChoice::Stop, QDialogButtonBox::NoRole);
    addButton(QStringLiteral("Cancel"), RefusalChoice::Cancel, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
}

RefusalReply RefusalDialog::reply() const {
    // Escape and the close box go through reject() and leave the choice at Cancel.
    return {choice_, doNotShow_->isChecked()};
}

} // namespace kinetra::ui
