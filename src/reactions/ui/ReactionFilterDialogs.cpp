#include "reactions/ui/ReactionFilterDialogs.h"

#include "common/PlaceError.h"
#include "common/ui/DialogButtons.h"
#include "reactions/ui/ReactionPlaceCodes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kinetra::reactions::ui {

namespace {

namespace s = reaction_search;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QLineEdit* box(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QRadioButton* radio(const char* caption, const char* name, QLayout* layout) {
    auto* button = new QRadioButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    layout->addWidget(button);
    return button;
}

} // namespace

// ---- Species filter ---------------------------------------------------------------------------

SpeciesFilterDialog::SpeciesFilterDialog(ReactionTable& table, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("speciesFilterDialog"));
    setWindowTitle(text(s::kTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(s::kSpeciesFilterCaption)));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(text(s::kReactantsLike)), 0, 0);
    grid->addWidget(new QLabel(text(s::kProductsLike)), 0, 2);
    const char* names[] = {"reactant1", "reactant2", "product1", "product2"};
    for (int i = 0; i < 4; ++i) {
        boxes_[i] = box(names[i]);
        grid->addWidget(boxes_[i], 1 + i % 2, i < 2 ? 0 : 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("=")), 1, 1);
    layout->addLayout(grid);
    auto* joinRow = new QHBoxLayout;
    and_ = radio(s::kAnd, "and", joinRow);
    radio(s::kOr, "or", joinRow);
    and_->setChecked(true);
    joinRow->addStretch(1);
    layout->addLayout(joinRow);
    auto buttons = kinetra::ui::addOkCancel(this, layout, [this] { filter(); });
    buttons.ok->setText(text(s::kFilterButton));
}

SpeciesFilterRequest SpeciesFilterDialog::request() const {
    SpeciesFilterRequest r;
    r.reactant1 = boxes_[0]->text().toStdString();
    r.reactant2 = boxes_[1]->text().toStdString();
    r.product1 = boxes_[2]->text().toStdString();
    r.product2 = boxes_[3]->text().toStdString();
    r.join = and_->isChecked() ? SpeciesFilterJoin::And : SpeciesFilterJoin::Or;
    return r;
}

void SpeciesFilterDialog::filter() {
    // Found or not, the table now shows the result (or all records after its message).
    if (guarded(dialogs_, place::kSpeciesFilter, [this] { table_.filterBySpecies(request()); }))
        accept();
}

// ---- References -------------------------------------------------------------------------------

ReactionReferencesDialog::ReactionReferencesDialog(ReactionTable& table, Dialogs& dialogs,
                                                   QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("referencesDialog"));
    setWindowTitle(text(s::kReferencesCaption));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    auto* findFrame = new QGroupBox;
    auto* findLayout = new QVBoxLayout(findFrame);
    findLayout->addWidget(new QLabel(text(s::kFindReferenceLabel)));
    findPattern_ = box("findPattern");
    findLayout->addWidget(findPattern_);
    auto* findRow = new QHBoxLayout;
    down_ = radio("Down", "down", findRow);
    up_ = radio("Up", "up", findRow);
    all_ = radio("All", "all", findRow);
    down_->setChecked(true);
    findRow->addStretch(1);
    auto* next = new QPushButton(text(s::kFindNext));
    next->setObjectName(QStringLiteral("findNext"));
    connect(next, &QPushButton::clicked, this, &ReactionReferencesDialog::findNext);
    findRow->addWidget(next);
    findLayout->addLayout(findRow);
    layout->addWidget(findFrame);

    auto* filterFrame = new QGroupBox;
    auto* filterLayout = new QVBoxLayout(filterFrame);
    filterLayout->addWidget(new QLabel(text(s::kFilterReferenceLabel)));
    filterPattern_ = box("filterPattern");
    filterLayout->addWidget(filterPattern_);
    auto* filterRow = new QHBoxLayout;
    filterRow->addStretch(1);
    auto* filterButton = new QPushButton(text(s::kFilterButton));
    filterButton->setObjectName(QStringLiteral("filter"));
    connect(filterButton, &QPushButton::clicked, this, &ReactionReferencesDialog::filter);
    filterRow->addWidget(filterButton);
    filterLayout->addLayout(filterRow);
    layout->addWidget(filterFrame);

    matchCase_ = new QCheckBox(text(s::kMatchCase));
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    layout->addWidget(matchCase_);
}

void ReactionReferencesDialog::findNext() {
    const FindDirection direction = up_->isChecked()    ? FindDirection::Up
                                    : all_->isChecked() ? FindDirection::All
                                                        : FindDirection::Down;
    bool found = false;
    guarded(dialogs_, place::kReferences, [&] {
        found = table_.findReference(findPattern_->text().toStdString(), direction,
                                     matchCase_->isChecked());
    });
    if (found)
        emit changed();
}

void ReactionReferencesDialog::filter() {
    guarded(dialogs_, place::kReferences, [this] {
        table_.filterByReference(filterPattern_->text().toStdString(), matchCase_->isChecked());
    });
    emit changed();
}

// ---- Elements ---------------------------------------------------------------------------------

ReactionElementsFilterDialog::ReactionElementsFilterDialog(ReactionTable& table,
                                                           const std::array<bool, 11>& ticks,
                                                           Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("elementsFilterDialog"));
    setWindowTitle(text(s::kElementsCaption));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(text(s::kElementsText));
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    auto* grid = new QGridLayout;
    for (int slot = 1; slot <= 10; ++slot) {
        ticks_[slot] = new QCheckBox(text(table_.elementTickCaption(slot)));
        ticks_[slot]->setObjectName(QStringLiteral("element%1").arg(slot));
        ticks_[slot]->setChecked(ticks[slot]);
        grid->addWidget(ticks_[slot], (slot - 1) / 5, (slot - 1) % 5);
    }
    layout->addLayout(grid);
    auto buttons = kinetra::ui::addOkCancel(this, layout, [this] { filter(); });
    buttons.ok->setText(text(s::kFilterButton));
}

void ReactionElementsFilterDialog::filter() {
    std::array<bool, 11> ticks{};
    for (int slot = 1; slot <= 10; ++slot)
        ticks[slot] = ticks_[slot]->isChecked();
    if (guarded(dialogs_, place::kElementsFilter, [&] { table_.filterByElements(ticks); }))
        accept();
}

} // namespace kinetra::reactions::ui
