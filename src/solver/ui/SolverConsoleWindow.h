// The console of a solver run: the solver program runs as its own process (QProcess) while the
// workbench keeps drawing. Its output appears line by line as it comes, a bar shows the share
// of the simulated time reached, and Stop (or the close box) asks the solver to end after its
// current step, which leaves the records written so far as a readable output. When the process
// has ended the run's report is shown, with "Show the output data?" when results were written.
//
// The window is application-modal while the solver runs: the rest of the program waits for
// the run, as a blocking wait would make it, but every window keeps redrawing and Stop answers
// at once.
#pragma once

#include "common/Seams.h"
#include "solver/SolverConsole.h"
#include "solver/SolverRun.h"

#include <QDialog>
#include <QProcess>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;

namespace kinetra::solver::ui {

struct SolverConsoleContext {
    explicit SolverConsoleContext(Dialogs& dialogs) : dialogs(dialogs) {}
    Dialogs& dialogs;
    std::filesystem::path appDir;  // the solver's working folder with SolverFilePath.txt
    std::filesystem::path program; // KINETRA_SOLVER_5 of the application folder
    double initialTime = 0, finalTime = 1;
    bool keepConsole = false; // "Do not close the console window"
    // The answer Yes to "Show the output data?".
    std::function<void(const std::filesystem::path& output)> showResults;
};

class SolverConsoleWindow final : public QDialog {
    Q_OBJECT
public:
    explicit SolverConsoleWindow(SolverConsoleContext context, QWidget* parent = nullptr);
    ~SolverConsoleWindow() override;

    // Starts the solver; the window shows itself.
    void start();
    // Asks the running solver to stop after its current step; it is ended outright when it
    // has not stopped after kStopGrace.
    void stop();
    // The solver runs, or its output is being scanned.
    bool running() const;

    QPlainTextEdit* output() const { return output_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* stopButton() const { return stopButton_; }
    const std::optional<SolverRunResult>& result() const { return result_; }

    static constexpr int kStopGraceMilliseconds = 5000;

signals:
    // The solver process has ended (or could not start); its output is scanned next.
    void solverEnded();
    // The process has ended and its report was shown (and answered).
    void runFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void readOutput();
    void appendLines(const std::vector<std::string>& lines);
    void processEnded(ProcessOutcome outcome);
    void showEnd();
    void report();

    SolverConsoleContext context_;
    SolverConsole console_;
    RunHandOver handOver_;
    QProcess process_;
    QTimer killTimer_;
    QThread* scan_ = nullptr; // the scan of the output after the process ended
    QPlainTextEdit* output_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    bool stopRequested_ = false;
    bool closeAfterRun_ = false;
    std::optional<SolverRunResult> result_;
};

} // namespace kinetra::solver::ui
