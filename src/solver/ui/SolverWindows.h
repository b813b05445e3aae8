// The solver's windows as one flow, from the reaction window's "Run Solver" to the results:
// the run settings window over the input file, the console of the run, and the post-processor
// of its output. Each window exists once at a time; a new one replaces the one open. The main
// window places them through its context and closes them at exit like any other window.
#pragma once

#include "charts/ChartHandOver.h"
#include "common/Seams.h"
#include "results/MeanParameters.h"
#include "solver/RunSettings.h"

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace kinetra::solver::ui {

class PostProcessorWindow;
class RunSettingsWindow;
class SolverConsoleWindow;

struct SolverWindowsContext {
    explicit SolverWindowsContext(Ui& ui) : ui(ui) {}
    Ui& ui;
    std::filesystem::path appDir, supportDir;
    std::filesystem::path program; // empty: KINETRA_SOLVER_5 of the application folder
    // Read when a post-processor opens: the options may change during the run of the program.
    std::function<results::UnitConstants()> constants;
    QWidget* consoleParent = nullptr;
    // Shows a window of the program in the main window's area, registered under `name`.
    std::function<void(QWidget* content, const std::string& name, const std::string& caption,
                       const std::filesystem::path& path)>
        addWindow;
    // Show results' "open as text": the output file as a text document.
    std::function<void(const std::filesystem::path&)> openTextDocument;
    std::function<void(const std::filesystem::path&, const std::string& caption)> openTextFile;
    std::function<void(ChartHandOver)> showChart;
};

class SolverWindows final : public QObject {
    Q_OBJECT
public:
    explicit SolverWindows(SolverWindowsContext context, QObject* parent = nullptr);
    ~SolverWindows() override;

    // "Run Solver" after the input file was written: the run settings window over it.
    void openRunSettings(const std::filesystem::path& inputPath);
    // Show results: the output check, the file as a text document when asked, then the
    // post-processor on it, shown only when its reading succeeds.
    void showResults(const std::filesystem::path& outputPath, bool openAsText);

    RunSettingsWindow* runSettings() const;
    SolverConsoleWindow* console() const;
    PostProcessorWindow* postProcessor() const;

private:
    void startRun(const ValidRunSettings& values, bool keepConsole);
    // Closes the window holding `content` in the main window's area (its registry follows).
    static void closeWindowOf(QWidget* content);

    SolverWindowsContext context_;
    QPointer<RunSettingsWindow> runSettings_;
    QPointer<SolverConsoleWindow> console_;
    QPointer<PostProcessorWindow> postProcessor_;
};

} // namespace kinetra::solver::ui
