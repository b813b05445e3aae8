#include "reactions/ui/ReadingOptionsDialog.h"

#include "common/PlaceError.h"
#include "common/ui/DialogButtons.h"
#include "reactions/ui/ReactionPlaceCodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinetra::reactions::ui {

namespace {

namespace w = reading_window;

template <typename Names> QComboBox* list(const char* name, const Names& names, int chosen) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    for (const char* item : names)
        combo->addItem(QString::fromUtf8(item));
    combo->setCurrentIndex(chosen);
    return combo;
}

} // namespace

ReadingOptionsDialog::ReadingOptionsDialog(ReactionTable& table, ReactionRunSettings& settings,
                                           Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), settings_(settings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("readingOptionsDialog"));
    setWindowTitle(QStringLiteral("Paste Special"));
    setModal(true);
    model_.open(settings_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(w::kRateLaw)));
    options_ = new QWidget;
    auto* form = new QFormLayout(options_);
    form->setContentsMargins(0, 0, 0, 0);
    aUnits_ = list("aUnits", w::kAUnitNames, model_.aUnits);
    eUnits_ = list("eUnits", w::kEUnitNames, model_.eUnits);
    letterCase_ = list("letterCase", w::kLetterCaseNames, model_.letterCase);
    // The lists name the units of the text; the labels the units they are turned into.
    form->addRow(new QLabel(QStringLiteral("A")), aUnits_);
    form->addRow(QString(), new QLabel(QString::fromUtf8(w::kAUnitsLabel)));
    form->addRow(new QLabel(QStringLiteral("E")), eUnits_);
    form->addRow(QString(), new QLabel(QString::fromUtf8(w::kEUnitsLabel)));
    form->addRow(new QLabel(QString::fromUtf8(w::kLetterCaseLabel)), letterCase_);
    layout->addWidget(options_);

    stoichiometric_ = new QCheckBox(QString::fromUtf8(w::kStoichiometricText));
    stoichiometric_->setObjectName(QStringLiteral("stoichiometric"));
    stoichiometric_->setChecked(model_.stoichiometric);
    layout->addWidget(stoichiometric_);

    auto* moreRow = new QHBoxLayout;
    more_ = new QPushButton;
    more_->setObjectName(QStringLiteral("more"));
    more_->setAutoDefault(false);
    connect(more_, &QPushButton::clicked, this, &ReadingOptionsDialog::toggleOptions);
    moreRow->addWidget(more_);
    moreRow->addStretch(1);
    layout->addLayout(moreRow);
    kinetra::ui::addOkCancel(this, layout, [this] { ok(); });
    // The unit lists open shown: changing units is why this window is opened.
    more_->setText(QString::fromUtf8(w::kLessButton));
}

void ReadingOptionsDialog::toggleOptions() {
    options_->setVisible(!options_->isVisible());
    more_->setText(QString::fromUtf8(options_->isVisible() ? w::kLessButton : w::kMoreButton));
    adjustSize();
}

void ReadingOptionsDialog::ok() {
    model_.aUnits = aUnits_->currentIndex();
    model_.eUnits = eUnits_->currentIndex();
    model_.letterCase = letterCase_->currentIndex();
    model_.stoichiometric = stoichiometric_->isChecked();
    // The paste reports its own refusals and messages; the window closes whatever they were.
    guarded(dialogs_, place::kPaste, [this] { result_ = table_.pasteSpecial(model_); });
    accept();
}

} // namespace kinetra::reactions::ui
