// The window in front of "Reaction Mechanism in CHEMKIN Format": which sections and notes the
// document carries, how the equations are written and where the coefficients stand. It shows
// the choices of the run and keeps them when Create is pressed.
#pragma once

#include "reactions/ReactionTextWriter.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace kinetra::reactions::ui {

class MechanismOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    MechanismOptionsDialog(const MechanismOptions& options, QWidget* parent = nullptr);

    // The boxes as options (what Create keeps for the run).
    MechanismOptions options() const;

private:
    QCheckBox* thermoSection_ = nullptr;
    QCheckBox* thermoComments_ = nullptr;
    QCheckBox* reference_ = nullptr;
    QCheckBox* comments_ = nullptr;
    QCheckBox* withoutBrackets_ = nullptr;
    QCheckBox* withoutBlanks_ = nullptr;
    QRadioButton* afterFormula_ = nullptr;
    QRadioButton* fixedDistance_ = nullptr;
};

} // namespace kinetra::reactions::ui
