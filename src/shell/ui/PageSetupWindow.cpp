#include "shell/ui/PageSetupWindow.h"

#include "common/NumberFormat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kinetra::ui {

PageSetupWindow::PageSetupWindow(const textdoc::TextPageSettings& settings, bool hasSelection,
                                 Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("RES_PAGESETUP"));
    setWindowTitle(tr("Page Setup"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const double values[] = {settings.left, settings.right, settings.top, settings.bottom};
    const char* labels[] = {"Left", "Right", "Top", "Bottom"};
    for (int i = 0; i < 4; ++i) {
        margins_[i] = new QLineEdit(QString::fromStdString(formatNumber(values[i], "0.##")));
        form->addRow(tr(labels[i]), margins_[i]);
    }
    firstPage_ = new QLineEdit(QString::number(settings.firstPageNumber));
    form->addRow(tr("First page number"), firstPage_);
    side_ = new QComboBox;
    side_->addItems({QStringLiteral(" Left Justify "), QStringLiteral(" Right Justify ")});
    side_->setCurrentIndex(settings.numberSide == textdoc::PageNumberSide::Left ? 0 : 1);
    form->addRow(tr("Page number"), side_);
    paper_ = new QComboBox;
    paper_->addItems(
        {QStringLiteral(" Letter, 8 1/2 x 11 in"), QStringLiteral(" A4, 210 x 297 mm")});
    paper_->setCurrentIndex(settings.paper == textdoc::Paper::A4 ? 1 : 0);
    form->addRow(tr("Paper"), paper_);
    layout->addLayout(form);
    note_ = new QLabel(QString::fromStdString(textdoc::printedPortionNote(hasSelection)));
    note_->setWordWrap(true);
    layout->addWidget(note_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &PageSetupWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PageSetupWindow::accept() {
    textdoc::PageSetupEntries entries;
    entries.left = margins_[0]->text().toStdString();
    entries.right = margins_[1]->text().toStdString();
    entries.top = margins_[2]->text().toStdString();
    entries.bottom = margins_[3]->text().toStdString();
    entries.firstPageNumber = firstPage_->text().toStdString();
    entries.paper = paper_->currentIndex() == 1 ? textdoc::Paper::A4 : textdoc::Paper::Letter;
    entries.numberSide =
        side_->currentIndex() == 0 ? textdoc::PageNumberSide::Left : textdoc::PageNumberSide::Right;
    auto result = textdoc::checkPageSetup(entries);
    if (!result.settings) {
        dialogs_.message(result.message, "KINETRA", Icon::Exclamation);
        return;
    }
    settings_ = *result.settings;
    QDialog::accept();
}

} // namespace kinetra::ui
