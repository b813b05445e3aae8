// "Reactions  Chart and Numeric Data Menu": the functions, temperature grid and thermochemistry
// units of the rate and equilibrium constant tables. The captions and checks are the core's
// (equilibriumCaption, enthalpyEntropyCaptions, validateRateSetup); the units choice is stored
// the moment it is clicked, the rest only when OK passes.
#pragma once

#include "reactions/RatePlotSettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kinetra::reactions::ui {

class RateSetupDialog final : public QDialog {
    Q_OBJECT
public:
    RateSetupDialog(RatePlotSettings& settings, Dialogs& dialogs, QWidget* parent = nullptr);

    RateSetupTexts texts() const;

public slots:
    void accept() override;

private:
    void showEquilibriumCaption();
    void unitsClicked();

    RatePlotSettings& settings_;
    Dialogs& dialogs_;
    QLineEdit* min_ = nullptr;
    QLineEdit* max_ = nullptr;
    QLineEdit* step_ = nullptr;
    QCheckBox* kfor_ = nullptr;
    QCheckBox* krev_ = nullptr;
    QCheckBox* kforLow_ = nullptr;
    QCheckBox* krevLow_ = nullptr;
    QCheckBox* equilibrium_ = nullptr;
    QRadioButton* kp_ = nullptr;
    QRadioButton* kc_ = nullptr;
    QCheckBox* deltaH_ = nullptr;
    QCheckBox* deltaS_ = nullptr;
    QRadioButton* joule_ = nullptr;
    QRadioButton* calorie_ = nullptr;
};

} // namespace kinetra::reactions::ui
