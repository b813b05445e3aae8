// The post-processor ("Solver Output  " + file name): one solver output with its mean
// parameters and species as functions of time, the units switches, the plot settings, and the
// profiles handed to the scratch chart or written as numeric data. Above the tables the run's
// ignition delay and peak temperature; a page "Species at a glance" ranks the species by the
// largest mole fraction they reach. The commands and their refusals are the core's
// (ResultActions); this window draws and forwards.
#pragma once

#include "charts/ChartHandOver.h"
#include "common/Seams.h"
#include "results/ResultActions.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace kinetra::solver::ui {

class ResultTableModel;

struct PostProcessorContext {
    explicit PostProcessorContext(Ui& ui) : ui(ui) {}
    Ui& ui;
    results::UnitConstants constants;
    std::filesystem::path supportDir; // TmpPlot.txt
    // Every profile goes to the scratch chart through this one hand-over.
    std::function<void(ChartHandOver)> showChart;
    // Numeric data: a text file shown as a document with that caption.
    std::function<void(const std::filesystem::path&, const std::string& caption)> openTextFile;
};

class PostProcessorWindow final : public QWidget {
    Q_OBJECT
public:
    PostProcessorWindow(PostProcessorContext context, results::SolverOutput output,
                        std::filesystem::path path, QWidget* parent = nullptr);
    ~PostProcessorWindow() override;

    // "Solver Output  " + the file name.
    static std::string caption(const std::filesystem::path& path);

    QTableView* meanTable() const { return meanTable_; }
    QTableView* speciesTable() const { return speciesTable_; }
    QTableWidget* glanceTable() const { return glance_; }
    QTabWidget* pages() const { return pages_; }
    QLabel* highlights() const { return highlights_; }
    ResultTableModel* meanModel() const { return meanModel_; }
    ResultTableModel* speciesModel() const { return speciesModel_; }
    const results::PlotSettings& plotSettings() const { return settings_; }
    // The box of a plot setting by its object name ("timeFrom", "xScale", ...).
    QLineEdit* settingBox(const char* name) const;

    // Double click on a row header of a table; with Ctrl held the profile is added.
    void plotRow(const results::ResultRow& row, bool addToExisting);
    void viewCheckedRows(bool addToExisting);
    void numericData();

private:
    QWidget* buildTablePage(QTableView*& view, ResultTableModel*& model, int kind);
    QWidget* buildUnitsBar();
    QWidget* buildPlotPage();
    QWidget* buildGlancePage();
    void takeSettings();
    void recomputeMeans();
    std::vector<results::ResultRow> checkedRows() const;
    results::ResultView view() const { return {output_, means_, settings_}; }

    PostProcessorContext context_;
    results::SolverOutput output_;
    std::filesystem::path path_;
    results::PlotSettings settings_;
    std::vector<results::MeanParameters> means_;
    QTabWidget* pages_ = nullptr;
    QTableView* meanTable_ = nullptr;
    QTableView* speciesTable_ = nullptr;
    ResultTableModel* meanModel_ = nullptr;
    ResultTableModel* speciesModel_ = nullptr;
    QTableWidget* glance_ = nullptr;
    QLabel* highlights_ = nullptr;
    QRadioButton* perCm3_ = nullptr;
    QRadioButton* calories_ = nullptr;
    QRadioButton* concentrations_ = nullptr;
    QCheckBox* logX_ = nullptr;
    QCheckBox* logY_ = nullptr;
    std::vector<std::pair<QLineEdit*, std::string*>> boxes_;
};

} // namespace kinetra::solver::ui
