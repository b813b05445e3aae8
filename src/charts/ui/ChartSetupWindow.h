// "Plot  Castomization Dialog": the chart setup window over the ChartSetup model. It works on
// the chart window's chart directly: Apply and OK run ToPlotOk, and Cancel gives back the chart
// that was saved to CHEA02.TMP when the window opened, whatever was applied in between.
#pragma once

#include "charts/ChartSetup.h"
#include "common/Seams.h"

#include <QDialog>
#include <filesystem>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace kinetra::ui {

class ChartWindow;

class ChartSetupWindow final : public QDialog {
    Q_OBJECT
public:
    ChartSetupWindow(ChartWindow& chart, Ui& ui, std::filesystem::path supportDir,
                     QWidget* parent = nullptr);
    ~ChartSetupWindow() override;

    // The three buttons.
    bool apply();
    void ok();
    void cancel();

    // The fields as the widgets hold them now.
    SetupFields fields() const;

protected:
    void reject() override { cancel(); }

private:
    struct AxisWidgets {
        QLineEdit *maximum = nullptr, *minimum = nullptr, *major = nullptr, *minor = nullptr;
        QSpinBox* digits = nullptr;
        QComboBox* scale = nullptr;
    };
    QWidget* axesTab();
    QWidget* axisFrame(const QString& title, const QString& prefix, AxisWidgets& w,
                       const AxisFields& f);
    QWidget* fontTab();
    QWidget* colourTab();
    QWidget* styleTab();
    void enableAxis(AxisWidgets& w);
    bool chartHasPoint() const;
    std::filesystem::path scratchFile() const;

    ChartWindow& chart_;
    Ui& ui_;
    std::filesystem::path supportDir_;
    SetupFields fields_; // fonts, colours and sizes as chosen; axes and subsets live in widgets
    bool wasMonochrome_ = false;
    bool wasModified_ = false;
    AxisWidgets x_, y_;
    QComboBox* textSize_ = nullptr;
    QComboBox* pointSize_ = nullptr;
    QTableWidget* subsets_ = nullptr;
};

} // namespace kinetra::ui
