#include "solver/ui/SolverWindows.h"

#include "common/FileNames.h"
#include "common/PlaceError.h"
#include "shell/WindowRegistry.h"
#include "solver/RunSettingsFiles.h"
#include "solver/ShowResults.h"
#include "solver/SolverRun.h"
#include "solver/ui/PostProcessorWindow.h"
#include "solver/ui/RunSettingsWindow.h"
#include "solver/ui/SolverConsoleWindow.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTimer>

namespace kinetra::solver::ui {

namespace {

constexpr const char* kTitle = "KINETRA";
constexpr const char* kOpenPlaceCode = "Sol#305. ";

} // namespace

SolverWindows::SolverWindows(SolverWindowsContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    if (context_.program.empty())
        context_.program = context_.appDir / kSolverProgram;
}

SolverWindows::~SolverWindows() = default;

RunSettingsWindow* SolverWindows::runSettings() const {
    return runSettings_;
}

SolverConsoleWindow* SolverWindows::console() const {
    return console_;
}

PostProcessorWindow* SolverWindows::postProcessor() const {
    return postProcessor_;
}

void SolverWindows::closeWindowOf(QWidget* content) {
    if (!content)
        return;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(content->parentWidget()))
        frame->close();
    else
        content->close();
}

void SolverWindows::openRunSettings(const std::filesystem::path& inputPath) {
    guarded(context_.ui.dialogs, kOpenPlaceCode, [&] {
        auto lines = readInputLines(inputPath);
        auto summary = lines ? summariseInputFile(*lines) : std::nullopt;
        if (!summary) {
            context_.ui.dialogs.message("The file " + inputPath.string() +
                                            " is not a solver input file.",
                                        kTitle, Icon::Exclamation);
            return;
        }
        // One run settings window: the one open goes, with the input it was opened on.
        closeWindowOf(runSettings_);
        RunSettingsContext context(context_.ui.dialogs);
        context.inputPath = inputPath;
        context.appDir = context_.appDir;
        context.settingsFile = context_.supportDir / "SolverData.txt";
        context.startRun = [this](const ValidRunSettings& values, bool keepConsole) {
            startRun(values, keepConsole);
        };
        context.closeWindow = [this] {
            QTimer::singleShot(0, this, [this] { closeWindowOf(runSettings_); });
        };
        runSettings_ =
            new RunSettingsWindow(std::move(context), std::move(*lines), std::move(*summary));
        context_.addWindow(runSettings_, windows::kSolverSettings,
                           runSettings_->windowTitle().toStdString(), inputPath);
        // Its first box takes the typing at once, replacing the value shown.
        QLineEdit* first = runSettings_->box(RunField::InitialTemperature);
        first->setFocus();
        first->selectAll();
    });
}

void SolverWindows::startRun(const ValidRunSettings& values, bool keepConsole) {
    if (console_ && console_->running())
        return;
    if (console_)
        console_->deleteLater();
    SolverConsoleContext context(context_.ui.dialogs);
    context.appDir = context_.appDir;
    context.program = context_.program;
    context.initialTime = values.parameters.initialTime;
    context.finalTime = values.parameters.finalTime;
    context.keepConsole = keepConsole;
    context.showResults = [this](const std::filesystem::path& output) {
        // The run settings window is unloaded before the results are shown.
        closeWindowOf(runSettings_);
        showResults(output, true);
    };
    console_ = new SolverConsoleWindow(std::move(context), context_.consoleParent);
    connect(console_, &SolverConsoleWindow::runFinished, this, [console = console_] {
        // A console kept open goes when the user closes it; a hidden one at once.
        if (!console)
            return;
        if (console->isVisible())
            console->setAttribute(Qt::WA_DeleteOnClose);
        else
            console->deleteLater();
    });
    console_->start();
}

void SolverWindows::showResults(const std::filesystem::path& outputPath, bool openAsText) {
    Progress& progress = context_.ui.progress;
    progress.busy(true);
    guarded(context_.ui.dialogs, kRunPlaceCode, [&] {
        ShownResults shown = solver::showResults(outputPath);
        if (!shown.checkPassed) {
            context_.ui.dialogs.message(shown.reading.message, kTitle, Icon::Exclamation);
            return;
        }
        if (openAsText && context_.openTextDocument)
            context_.openTextDocument(outputPath);
        if (!shown.reading.output) {
            context_.ui.dialogs.message(shown.reading.message, kTitle, Icon::Exclamation);
            return;
        }
        // One post-processor at a time.
        closeWindowOf(postProcessor_);
        PostProcessorContext context(context_.ui);
        if (context_.constants)
            context.constants = context_.constants();
        context.supportDir = context_.supportDir;
        context.showChart = context_.showChart;
        context.openTextFile = context_.openTextFile;
        postProcessor_ = new PostProcessorWindow(std::move(context),
                                                 std::move(*shown.reading.output), outputPath);
        context_.addWindow(postProcessor_, windows::kPostProcessor,
                           PostProcessorWindow::caption(outputPath), outputPath);
    });
    progress.busy(false);
}

} // namespace kinetra::solver::ui
