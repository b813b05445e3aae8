// The filter windows of a reaction window: by species names, by references (find or filter) and
// by chemical elements. Each reads its boxes into a request and hands it to ReactionTable, which
// flags the records and shows the result or its "not found" message.
#pragma once

#include "reactions/ReactionTable.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kinetra::reactions::ui {

class SpeciesFilterDialog final : public QDialog {
    Q_OBJECT
public:
    SpeciesFilterDialog(ReactionTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

    SpeciesFilterRequest request() const;

private:
    void filter();

    ReactionTable& table_;
    Dialogs& dialogs_;
    std::array<QLineEdit*, 4> boxes_{}; // reactant 1, 2, product 1, 2
    QRadioButton* and_ = nullptr;
};

// "Reactions References": find the next reaction whose reference is like a pattern, or filter
// the whole database by it.
class ReactionReferencesDialog final : public QDialog {
    Q_OBJECT
public:
    ReactionReferencesDialog(ReactionTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

signals:
    // The cursor moved to a match, or the view became the filter result.
    void changed();

private:
    void findNext();
    void filter();

    ReactionTable& table_;
    Dialogs& dialogs_;
    QLineEdit* findPattern_ = nullptr;
    QRadioButton* down_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* all_ = nullptr;
    QLineEdit* filterPattern_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
};

// "KINETRA Filter by Elements": one tick per element slot of the thermo database, remembered
// for the run by the table's settings.
class ReactionElementsFilterDialog final : public QDialog {
    Q_OBJECT
public:
    ReactionElementsFilterDialog(ReactionTable& table, const std::array<bool, 11>& ticks,
                                 Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void filter();

    ReactionTable& table_;
    Dialogs& dialogs_;
    std::array<QCheckBox*, 11> ticks_{}; // slots 1..10
};

} // namespace kinetra::reactions::ui
