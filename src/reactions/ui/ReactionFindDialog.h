// The find window of a reaction window: a species, third-body or row-number search that moves
// the table's cursor through ReactionTable::find; "All" highlights every match.
#pragma once

#include "reactions/ReactionTable.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kinetra::reactions::ui {

class ReactionFindDialog final : public QDialog {
    Q_OBJECT
public:
    ReactionFindDialog(ReactionTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

    ReactionFindRequest request() const;

public slots:
    void findNext();

signals:
    // The table's cursor moved to a match (or the matches were highlighted).
    void found();

protected:
    // The pattern takes the keys whenever the window comes up, ready to be typed over.
    void showEvent(QShowEvent* event) override;

private:
    void fieldChosen();

    ReactionTable& table_;
    Dialogs& dialogs_;
    QComboBox* field_ = nullptr;
    QLabel* like_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QCheckBox* reactants_ = nullptr;
    QCheckBox* products_ = nullptr;
    QRadioButton* down_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* all_ = nullptr;
};

} // namespace kinetra::reactions::ui
