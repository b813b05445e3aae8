// The run settings window ("Solver Start Window"): the initial state, the solver parameters
// and the initial mole fractions of one run over the solver input file that "Run Solver" wrote.
// The texts, their checks, SolverData.txt and the rewrite of the input file are the core's
// (RunSettings, RunSettingsFiles, FractionList); the window draws them, puts the focus on the
// box a refusal names and hands a valid run to its context.
#pragma once

#include "common/Seams.h"
#include "solver/FractionList.h"
#include "solver/RunSettings.h"
#include "solver/RunSettingsFiles.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace kinetra::solver::ui {

class FractionTableModel;

struct RunSettingsContext {
    explicit RunSettingsContext(Dialogs& dialogs) : dialogs(dialogs) {}
    Dialogs& dialogs;
    std::filesystem::path inputPath;    // the solver input file the run completes
    std::filesystem::path appDir;       // the solver's folder: it reads SolverFilePath.txt there
    std::filesystem::path settingsFile; // SolverData.txt in the support folder
    // The input file and the hand-over file are written: the run starts.
    std::function<void(const ValidRunSettings& values, bool keepConsole)> startRun;
    std::function<void()> closeWindow; // Cancel
};

class RunSettingsWindow final : public QWidget {
    Q_OBJECT
public:
    // `lines` and `summary` are the input file's, read by the caller.
    RunSettingsWindow(RunSettingsContext context, std::vector<std::string> lines,
                      InputFileSummary summary, QWidget* parent = nullptr);
    ~RunSettingsWindow() override;

    // The box of a field (Fractions: nullptr; the grid stands for it).
    QLineEdit* box(RunField field) const;
    QTableView* fractionGrid() const { return grid_; }
    QTabWidget* pages() const { return pages_; }
    QLabel* sumLabel() const { return sum_; }
    QLabel* warningLabel() const { return warning_; }
    const RunSettings& settings() const { return settings_; }

    // The buttons' commands.
    void runSolver();
    void saveSettings();
    void enterSettings();
    void defaultSettings();
    void clearFractions();
    void normalise();
    void setFilter(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildParametersPage();
    QWidget* buildFractionsPage();
    QLineEdit* addBox(RunField field, std::string& text);
    // The boxes into the settings, and back.
    void takeTexts();
    void showSettings();
    void showSum();
    void focusField(RunField field);

    RunSettingsContext context_;
    std::vector<std::string> lines_;
    InputFileSummary summary_;
    RunSettings settings_;
    std::unique_ptr<FractionList> fractions_;
    std::map<RunField, std::pair<QLineEdit*, std::string*>> boxes_;
    QTabWidget* pages_ = nullptr;
    QRadioButton* constantTemperature_ = nullptr;
    QRadioButton* adiabatic_ = nullptr;
    QRadioButton* constantVolume_ = nullptr;
    QRadioButton* constantPressure_ = nullptr;
    QCheckBox* keepConsole_ = nullptr;
    QTableView* grid_ = nullptr;
    FractionTableModel* model_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* sum_ = nullptr;
    QLabel* warning_ = nullptr;
};

} // namespace kinetra::solver::ui
