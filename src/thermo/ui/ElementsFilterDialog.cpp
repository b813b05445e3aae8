#include "thermo/ui/ElementsFilterDialog.h"

#include "common/PlaceError.h"
#include "common/ui/DialogButtons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinetra::thermo::ui {

ElementsFilterDialog::ElementsFilterDialog(ThermoTable& table, const ElementTable& elements,
                                           Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
    setObjectName(QStringLiteral("elementsFilterDialog"));
    setWindowTitle(
        QString::fromUtf8(kFilterDialogTitle.data(), qsizetype(kFilterDialogTitle.size())));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(
        QString::fromUtf8(kFilterElementsLabel.data(), qsizetype(kFilterElementsLabel.size())));
    label->setWordWrap(true);
    layout->addWidget(label);

    auto* grid = new QGridLayout;
    for (int slot = 1; slot < kSlotCount; ++slot) {
        auto* box = new QCheckBox(QString::fromStdString(elementCheckCaption(elements, slot)));
        box->setObjectName(QStringLiteral("element%1").arg(slot));
        box->setEnabled(elements.inUse(slot));
        boxes_[std::size_t(slot)] = box;
        grid->addWidget(box, (slot - 1) / 5, (slot - 1) % 5);
    }
    layout->addLayout(grid);

    kinetra::ui::addOkCancel(this, layout, [this] { accept(); });
}

void ElementsFilterDialog::accept() {
    std::array<bool, kSlotCount> checked{};
    for (int slot = 1; slot < kSlotCount; ++slot)
        checked[std::size_t(slot)] = boxes_[std::size_t(slot)]->isChecked();
    bool shown = false;
    guarded(dialogs_, kPlaceCode, [&] { shown = table_.filterByElements(checked); });
    if (!shown)
        return;
    QDialog::accept();
    emit filtered();
}

} // namespace kinetra::thermo::ui
