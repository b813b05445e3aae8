#include "thermo/ui/PasteOptionsDialog.h"

#include "common/PlaceError.h"
#include "common/ui/DialogButtons.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kinetra::thermo::ui {

namespace {

using Model = PasteSpecialModel;
using LetterCase = ReadOptions::LetterCase;
using NameRule = ReadOptions::NameRule;

QRadioButton* radio(const char* caption, const char* objectName, QLayout* layout) {
    auto* button = new QRadioButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(objectName));
    layout->addWidget(button);
    return button;
}

} // namespace

PasteOptionsDialog::PasteOptionsDialog(ThermoTable& table, ThermoRunSettings& settings,
                                       Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs), model_(settings) {
    setObjectName(QStringLiteral("pasteSpecialDialog"));
    setWindowTitle(QString::fromLatin1(Model::kTitle));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* caseFrame = new QGroupBox(QString::fromLatin1(Model::kLetterCaseFrame));
    auto* caseRow = new QHBoxLayout(caseFrame);
    caseNo_ = radio(Model::kLetterCaseNo, "caseNo", caseRow);
    caseUpper_ = radio(Model::kLetterCaseUpper, "caseUpper", caseRow);
    caseLower_ = radio(Model::kLetterCaseLower, "caseLower", caseRow);
    caseRow->addStretch(1);
    layout->addWidget(caseFrame);

    auto* nameFrame = new QGroupBox(QString::fromLatin1(Model::kNameRuleFrame));
    auto* nameColumn = new QVBoxLayout(nameFrame);
    nameFirst16_ = radio(Model::kNameRuleFirst16, "nameFirst16", nameColumn);
    nameFirstBlank_ = radio(Model::kNameRuleFirstBlank, "nameFirstBlank", nameColumn);
    layout->addWidget(nameFrame);

    auto* tcomFrame = new QGroupBox(QString::fromLatin1(Model::kTcomFrame));
    auto* tcomRow = new QHBoxLayout(tcomFrame);
    insetTcom_ = new QCheckBox(QString::fromLatin1(Model::kTcomCheckBox));
    insetTcom_->setObjectName(QStringLiteral("insetTcom"));
    tcom_ = new QLineEdit;
    tcom_->setObjectName(QStringLiteral("tcom"));
    tcomRow->addWidget(insetTcom_);
    tcomRow->addWidget(tcom_, 1);
    layout->addWidget(tcomFrame);

    (model_.letterCase == LetterCase::Upper   ? caseUpper_
     : model_.letterCase == LetterCase::Lower ? caseLower_
                                              : caseNo_)
        ->setChecked(true);
    (model_.nameRule == NameRule::First16 ? nameFirst16_ : nameFirstBlank_)->setChecked(true);
    insetTcom_->setChecked(model_.insetDefaultTcom);
    tcom_->setText(QString::fromStdString(model_.tcomText));
    // The value only matters when it is to be inset.
    tcom_->setEnabled(model_.insetDefaultTcom);
    connect(insetTcom_, &QCheckBox::toggled, tcom_, &QLineEdit::setEnabled);

    kinetra::ui::addOkCancel(this, layout, [this] { accept(); });
}

void PasteOptionsDialog::takeWidgets() {
    model_.letterCase = caseUpper_->isChecked()   ? LetterCase::Upper
                        : caseLower_->isChecked() ? LetterCase::Lower
                                                  : LetterCase::No;
    model_.nameRule = nameFirst16_->isChecked() ? NameRule::First16 : NameRule::FirstBlank;
    model_.insetDefaultTcom = insetTcom_->isChecked();
    model_.tcomText = tcom_->text().toStdString();
}

void PasteOptionsDialog::accept() {
    takeWidgets();
    PasteResult result;
    if (!guarded(dialogs_, kPlaceCode, [&] { result = table_.pasteSpecial(model_); }))
        return; // the paste left the table as it was; the choices stay for another try
    if (model_.tcomSelected && result.inserted == 0) {
        kinetra::ui::focusRefusedField(tcom_);
        return;
    }
    QDialog::accept();
    emit pasted(result);
}

} // namespace kinetra::thermo::ui
