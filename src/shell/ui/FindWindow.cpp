#include "shell/ui/FindWindow.h"

#include "shell/ui/TextDocumentWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinetra::ui {

FindWindow::FindWindow(TextDocumentWindow& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName(QStringLiteral("RES_FIND"));
    setWindowTitle(tr("Find"));
    auto* grid = new QGridLayout(this);
    findWhat_ = new QLineEdit;
    findWhat_->setObjectName(QStringLiteral("findWhat"));
    replaceWith_ = new QLineEdit;
    replaceWith_->setObjectName(QStringLiteral("replaceWith"));
    replaceLabel_ = new QLabel(tr("Replace With:"));
    wholeWord_ = new QCheckBox(tr("Find Whole Word Only"));
    matchCase_ = new QCheckBox(tr("Match Case"));
    findNext_ = new QPushButton(tr("Find Next"));
    replace_ = new QPushButton(tr("Replace"));
    replaceAll_ = new QPushButton(tr("Replace All"));
    auto* cancel = new QPushButton(tr("Cancel"));
    findNext_->setDefault(true);
    grid->addWidget(new QLabel(tr("Find What:")), 0, 0);
    grid->addWidget(findWhat_, 0, 1);
    grid->addWidget(replaceLabel_, 1, 0);
    grid->addWidget(replaceWith_, 1, 1);
    grid->addWidget(wholeWord_, 2, 0, 1, 2);
    grid->addWidget(matchCase_, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {findNext_, replace_, replaceAll_, cancel})
        buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);

    const auto options = [this] { return textdoc::SearchOptions::fromFlags(flags()); };
    connect(findNext_, &QPushButton::clicked, this, [this, options] {
        if (!findWhat_->text().isEmpty())
            document_.findNext(findWhat_->text(), options());
    });
    connect(replace_, &QPushButton::clicked, this, [this, options] {
        if (!findWhat_->text().isEmpty())
            document_.replaceNext(findWhat_->text(), replaceWith_->text(), options());
    });
    connect(replaceAll_, &QPushButton::clicked, this, [this, options] {
        if (!findWhat_->text().isEmpty())
            document_.replaceAll(findWhat_->text(), replaceWith_->text(), options());
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

int FindWindow::flags() const {
    return (wholeWord_->isChecked() ? 2 : 0) + (matchCase_->isChecked() ? 4 : 0);
}

void FindWindow::allowReplacing(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{replace_, replaceAll_, replaceWith_, replaceLabel_})
        w->setEnabled(on);
}

} // namespace kinetra::ui
