#include "thermo/ui/FindDialog.h"

#include "common/PlaceError.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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

FindDialog::FindDialog(ThermoTable& table, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(text(kFindDialogTitle));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text(kFindSpeciesLabel));
    pattern_ = new QLineEdit(text(kFindInitialPattern));
    pattern_->setObjectName(QStringLiteral("pattern"));
    label->setBuddy(pattern_);
    layout->addWidget(label);
    layout->addWidget(pattern_);

    auto* row = new QHBoxLayout;
    auto* directions = new QGroupBox;
    auto* radios = new QHBoxLayout(directions);
    down_ = new QRadioButton(text(kFindDirectionDown));
    down_->setObjectName(QStringLiteral("down"));
    up_ = new QRadioButton(text(kFindDirectionUp));
    up_->setObjectName(QStringLiteral("up"));
    all_ = new QRadioButton(text(kFindDirectionAll));
    all_->setObjectName(QStringLiteral("all"));
    down_->setChecked(true);
    radios->addWidget(down_);
    radios->addWidget(up_);
    radios->addWidget(all_);
    row->addWidget(directions, 1);
    auto* findNextButton = new QPushButton(text(kFindNextButton));
    findNextButton->setObjectName(QStringLiteral("findNext"));
    findNextButton->setDefault(true);
    connect(findNextButton, &QPushButton::clicked, this, &FindDialog::findNext);
    row->addWidget(findNextButton);
    layout->addLayout(row);
}

FindDirection FindDialog::direction() const {
    if (up_->isChecked())
        return FindDirection::Up;
    if (all_->isChecked())
        return FindDirection::All;
    return FindDirection::Down;
}

void FindDialog::findNext() {
    bool moved = false;
    guarded(dialogs_, kPlaceCode, [&] {
        moved = table_.find(pattern_->text().toStdString(), direction(), FilterField::Species);
    });
    if (moved)
        emit found();
}

} // namespace kinetra::thermo::ui
