#include "reactions/ui/ReactionFindDialog.h"

#include "common/PlaceError.h"
#include "reactions/ui/ReactionPlaceCodes.h"

#include <QCheckBox>
#include <QComboBox>
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

QString text(const char* s) {
    return QString::fromUtf8(s);
}

QRadioButton* radio(const char* caption, const char* name, QLayout* layout) {
    auto* button = new QRadioButton(text(caption));
    button->setObjectName(text(name));
    layout->addWidget(button);
    return button;
}

} // namespace

ReactionFindDialog::ReactionFindDialog(ReactionTable& table, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("reactionFindDialog"));
    setWindowTitle(text(s::kFindCaption));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    auto* searchRow = new QHBoxLayout;
    field_ = new QComboBox;
    field_->setObjectName(QStringLiteral("field"));
    // In ReactionFindField order.
    field_->addItems({text(s::kSpeciesField), text(s::kThirdBodyField), text(s::kRowNumberField)});
    like_ = new QLabel(QStringLiteral("Like"));
    pattern_ = new QLineEdit(QStringLiteral("*"));
    pattern_->setObjectName(QStringLiteral("pattern"));
    like_->setBuddy(pattern_);
    searchRow->addWidget(field_);
    searchRow->addWidget(like_);
    searchRow->addWidget(pattern_, 1);
    layout->addLayout(searchRow);

    auto* sides = new QHBoxLayout;
    reactants_ = new QCheckBox(text(s::kReactantsBox));
    reactants_->setObjectName(QStringLiteral("reactants"));
    reactants_->setChecked(true);
    products_ = new QCheckBox(text(s::kProductsBox));
    products_->setObjectName(QStringLiteral("products"));
    products_->setChecked(true);
    sides->addWidget(reactants_);
    sides->addWidget(products_);
    sides->addStretch(1);
    layout->addLayout(sides);

    auto* row = new QHBoxLayout;
    auto* directions = new QGroupBox;
    auto* radios = new QHBoxLayout(directions);
    down_ = radio("Down", "down", radios);
    up_ = radio("Up", "up", radios);
    all_ = radio("All", "all", radios);
    down_->setChecked(true);
    row->addWidget(directions, 1);
    auto* buttons = new QVBoxLayout;
    auto* next = new QPushButton(text(s::kFindNext));
    next->setObjectName(QStringLiteral("findNext"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &ReactionFindDialog::findNext);
    auto* cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    row->addLayout(buttons);
    layout->addLayout(row);

    connect(field_, &QComboBox::currentIndexChanged, this, [this] { fieldChosen(); });
}

void ReactionFindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    pattern_->setFocus(Qt::ActiveWindowFocusReason);
    pattern_->selectAll();
}

void ReactionFindDialog::fieldChosen() {
    const auto field = static_cast<ReactionFindField>(field_->currentIndex());
    like_->setText(field == ReactionFindField::RowNumber ? text(s::kRowNumberIs)
                                                         : QStringLiteral("Like"));
    // The sides only narrow a species search.
    reactants_->setEnabled(field == ReactionFindField::Species);
    products_->setEnabled(field == ReactionFindField::Species);
}

ReactionFindRequest ReactionFindDialog::request() const {
    ReactionFindRequest r;
    r.field = static_cast<ReactionFindField>(field_->currentIndex());
    r.pattern = pattern_->text().toStdString();
    r.reactants = reactants_->isChecked();
    r.products = products_->isChecked();
    r.direction = up_->isChecked()    ? FindDirection::Up
                  : all_->isChecked() ? FindDirection::All
                                      : FindDirection::Down;
    return r;
}

void ReactionFindDialog::findNext() {
    std::size_t count = 0;
    guarded(dialogs_, place::kFind, [&] { count = table_.find(request()); });
    if (count > 0)
        emit found();
}

} // namespace kinetra::reactions::ui
