// The setup of the thermo chart and the numeric data: temperature range, functions and units.
// The checks are validateChartSetup's; the window writes the settings only when they pass.
#pragma once

#include "thermo/ThermoTabulation.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kinetra::thermo::ui {

class ChartSetupDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Chart and Numeric Data Dialog";

    ChartSetupDialog(ThermoChartSettings& settings, Dialogs& dialogs, QWidget* parent = nullptr);

    ChartSetupTexts texts() const;

public slots:
    void accept() override;

private:
    ThermoChartSettings::Units units() const;
    void showCaptions();

    ThermoChartSettings& settings_;
    Dialogs& dialogs_;
    QLineEdit* min_ = nullptr;
    QLineEdit* max_ = nullptr;
    QLineEdit* step_ = nullptr;
    QRadioButton* joule_ = nullptr;
    QRadioButton* calorie_ = nullptr;
    std::array<QCheckBox*, 3> functions_{}; // enthalpy, heat capacity, entropy
};

} // namespace kinetra::thermo::ui
