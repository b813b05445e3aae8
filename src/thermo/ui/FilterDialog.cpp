#include "thermo/ui/FilterDialog.h"

#include "common/PlaceError.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinetra::thermo::ui {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

FilterDialog::FilterDialog(ThermoTable& table, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("filterDialog"));
    setWindowTitle(text(kFilterDialogTitle));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text(kFilterSpeciesLabel));
    pattern_ = new QLineEdit;
    pattern_->setObjectName(QStringLiteral("pattern"));
    label->setBuddy(pattern_);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    row->addWidget(pattern_, 1);
    auto* button = new QPushButton(text(kFilterSpeciesButton));
    button->setObjectName(QStringLiteral("filter"));
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &FilterDialog::filter);
    row->addWidget(button);
    layout->addLayout(row);
}

void FilterDialog::filter() {
    bool shown = false;
    guarded(dialogs_, kPlaceCode,
            [&] { shown = table_.filter(FilterField::Species, pattern_->text().toStdString()); });
    if (!shown)
        return; // the message named the database; the pattern stays for another try
    accept();   // an exec()'d window reports Accepted
    emit filtered();
}

} // namespace kinetra::thermo::ui
