#include "thermo/ui/ReferenceDialog.h"

#include "common/PlaceError.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kinetra::thermo::ui {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

ReferenceDialog::ReferenceDialog(ThermoTable& table, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("referenceDialog"));
    setWindowTitle(text(kReferenceDialogTitle));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    // The two options and the three directions are separate choices: each gets its own group.
    auto* options = new QButtonGroup(this);
    findOption_ = new QRadioButton(text(kFindReferenceLabel));
    findOption_->setObjectName(QStringLiteral("findOption"));
    filterOption_ = new QRadioButton(text(kFilterReferenceLabel));
    filterOption_->setObjectName(QStringLiteral("filterOption"));
    options->addButton(findOption_);
    options->addButton(filterOption_);
    findOption_->setChecked(true);

    pattern_ = new QLineEdit(text(kFindInitialPattern));
    pattern_->setObjectName(QStringLiteral("pattern"));

    findControls_ = new QWidget;
    auto* findRow = new QHBoxLayout(findControls_);
    findRow->setContentsMargins(20, 0, 0, 0);
    auto* directions = new QButtonGroup(this);
    down_ = new QRadioButton(text(kFindDirectionDown));
    down_->setObjectName(QStringLiteral("down"));
    up_ = new QRadioButton(text(kFindDirectionUp));
    up_->setObjectName(QStringLiteral("up"));
    all_ = new QRadioButton(text(kFindDirectionAll));
    all_->setObjectName(QStringLiteral("all"));
    for (QRadioButton* r : {down_, up_, all_}) {
        directions->addButton(r);
        findRow->addWidget(r);
    }
    down_->setChecked(true);
    findRow->addStretch(1);
    auto* findNextButton = new QPushButton(text(kFindNextButton));
    findNextButton->setObjectName(QStringLiteral("findNext"));
    connect(findNextButton, &QPushButton::clicked, this, &ReferenceDialog::findNext);
    findRow->addWidget(findNextButton);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterOption_, 1);
    filterButton_ = new QPushButton(text(kFilterReferenceButton));
    filterButton_->setObjectName(QStringLiteral("filter"));
    connect(filterButton_, &QPushButton::clicked, this, &ReferenceDialog::filter);
    filterRow->addWidget(filterButton_);

    layout->addWidget(pattern_);
    layout->addWidget(findOption_);
    layout->addWidget(findControls_);
    layout->addLayout(filterRow);

    connect(findOption_, &QRadioButton::toggled, this, &ReferenceDialog::enableOption);
    enableOption();
}

void ReferenceDialog::enableOption() {
    const bool finding = findOption_->isChecked();
    findControls_->setEnabled(finding);
    filterButton_->setEnabled(!finding);
}

FindDirection ReferenceDialog::direction() const {
    if (up_->isChecked())
        return FindDirection::Up;
    if (all_->isChecked())
        return FindDirection::All;
    return FindDirection::Down;
}

void ReferenceDialog::findNext() {
    bool moved = false;
    guarded(dialogs_, kPlaceCode, [&] {
        moved = table_.find(pattern_->text().toStdString(), direction(), FilterField::Reference);
    });
    if (moved)
        emit found();
}

void ReferenceDialog::filter() {
    bool shown = false;
    guarded(dialogs_, kPlaceCode,
            [&] { shown = table_.filter(FilterField::Reference, pattern_->text().toStdString()); });
    if (!shown)
        return;
    accept(); // an exec()'d window reports Accepted
    emit filtered();
}

} // namespace kinetra::thermo::ui
