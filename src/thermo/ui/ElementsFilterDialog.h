// The elements filter: a tick box per element slot; OK keeps the species made of the ticked
// elements only (ThermoTable::filterByElements).
#pragma once

#include "thermo/ThermoTable.h"

#include <QDialog>
#include <array>

class QCheckBox;

namespace kinetra::thermo::ui {

class ElementsFilterDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlaceCode = "TDB#096. ";

    // The captions are those of the slots at the time the window opens.
    ElementsFilterDialog(ThermoTable& table, const ElementTable& elements, Dialogs& dialogs,
                         QWidget* parent = nullptr);

    QCheckBox* slotBox(int slot) const { return boxes_.at(std::size_t(slot)); }

public slots:
    void accept() override;

signals:
    void filtered();

private:
    ThermoTable& table_;
    Dialogs& dialogs_;
    std::array<QCheckBox*, kSlotCount> boxes_{}; // slots 1..10; slot 0 unused
};

} // namespace kinetra::thermo::ui
