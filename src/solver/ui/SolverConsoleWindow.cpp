#include "solver/ui/SolverConsoleWindow.h"

#include "common/PlaceError.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <exception>
#include <memory>

namespace kinetra::solver::ui {

namespace {

constexpr const char* kTitle = "KINETRA";
// The console keeps the last lines of a long run; the output file holds everything.
constexpr int kKeptLines = 20000;

} // namespace

SolverConsoleWindow::SolverConsoleWindow(SolverConsoleContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)),
      console_(context_.initialTime, context_.finalTime) {
    setObjectName(QStringLiteral("solverConsole"));
    setWindowTitle(QStringLiteral("KINETRA_SOLVER_5"));
    setWindowModality(Qt::ApplicationModal);
    resize(720, 420);

    auto* banner = new QLabel(QStringLiteral("To end the task, click the button Stop or close "
                                             "this window; the output written so far is kept."),
                              this);
    banner->setWordWrap(true);
    output_ = new QPlainTextEdit(this);
    output_->setObjectName(QStringLiteral("consoleOutput"));
    output_->setReadOnly(true);
    output_->setMaximumBlockCount(kKeptLines);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("simulatedTime"));
    bar_->setRange(0, 100);
    bar_->setFormat(QStringLiteral("%p % of the simulated time"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("consoleStatus"));
    stopButton_ = new QPushButton(QStringLiteral("Stop"), this);
    stopButton_->setObjectName(QStringLiteral("stop"));
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("close"));
    closeButton_->setEnabled(false);
    connect(stopButton_, &QPushButton::clicked, this, &SolverConsoleWindow::stop);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(stopButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(output_, 1);
    layout->addWidget(bar_);
    layout->addLayout(buttons);

    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyRead, this, &SolverConsoleWindow::readOutput);
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        readOutput();
        ProcessOutcome outcome;
        outcome.started = true;
        // A signal ended it (the grace of Stop ran out): no exit status of its own.
        outcome.exitCode = status == QProcess::NormalExit ? code : -1;
        processEnded(std::move(outcome));
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        ProcessOutcome outcome;
        outcome.error = process_.errorString().toStdString();
        processEnded(std::move(outcome));
    });
    killTimer_.setSingleShot(true);
    killTimer_.setInterval(kStopGraceMilliseconds);
    connect(&killTimer_, &QTimer::timeout, this, [this] {
        if (process_.state() != QProcess::NotRunning) {
            output_->appendPlainText(
                QStringLiteral("The solver did not stop in time and was ended."));
            process_.kill();
        }
    });
}

SolverConsoleWindow::~SolverConsoleWindow() {
    // The workbench is closing under a run: the solver must not outlive it.
    if (running()) {
        process_.disconnect(this);
        process_.kill();
        process_.waitForFinished(2000);
    }
    if (scan_) {
        scan_->disconnect(this);
        scan_->wait();
        delete scan_;
    }
}

bool SolverConsoleWindow::running() const {
    return process_.state() != QProcess::NotRunning || scan_ != nullptr;
}

void SolverConsoleWindow::start() {
    handOver_ = handOverBeforeRun(context_.appDir);
    result_.reset();
    stopRequested_ = false;
    closeAfterRun_ = false;
    stopButton_->setEnabled(true);
    closeButton_->setEnabled(false);
    bar_->setValue(0);
    show();
    process_.setWorkingDirectory(QString::fromStdString(context_.appDir.string()));
    process_.start(QString::fromStdString(context_.program.string()), {});
}

void SolverConsoleWindow::stop() {
    if (process_.state() == QProcess::NotRunning || stopRequested_)
        return;
    stopRequested_ = true;
    stopButton_->setEnabled(false);
    status_->setText(QStringLiteral("Stopping the solver..."));
    // SIGTERM: the solver finishes its step, writes the state reached and its ERROR line.
    process_.terminate();
    killTimer_.start();
}

void SolverConsoleWindow::readOutput() {
    const QByteArray bytes = process_.readAll();
    if (!bytes.isEmpty())
        appendLines(console_.feed(std::string_view(bytes.constData(), bytes.size())));
}

void SolverConsoleWindow::appendLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        output_->appendPlainText(QString::fromStdString(line));
    bar_->setValue(console_.percent());
    if (!stopRequested_)
        status_->setText(QString::fromStdString(console_.statusText()));
}

void SolverConsoleWindow::processEnded(ProcessOutcome outcome) {
    killTimer_.stop();
    emit solverEnded();
    if (auto last = console_.flush())
        appendLines({*last});
    stopButton_->setEnabled(false);
    status_->setText(QStringLiteral("Reading the output..."));
    // The output of a large mechanism is a hundred megabytes: it is scanned beside the event
    // loop, which keeps drawing, and the report follows when the scan is done.
    struct Scan {
        std::optional<SolverRunResult> result;
        std::exception_ptr error;
    };
    auto scanned = std::make_shared<Scan>();
    scan_ = QThread::create([scanned, appDir = context_.appDir, handOver = handOver_,
                             program = context_.program, outcome = std::move(outcome)]() mutable {
        try {
            scanned->result = finishSolverRun(appDir, handOver, std::move(outcome), program);
        } catch (...) {
            scanned->error = std::current_exception();
        }
    });
    connect(scan_, &QThread::finished, this, [this, scanned] {
        scan_->deleteLater();
        scan_ = nullptr;
        if (scanned->error) {
            // Reported with the run's place code; the run is over without its report.
            guarded(context_.dialogs, kRunPlaceCode,
                    [&] { std::rethrow_exception(scanned->error); });
            closeButton_->setEnabled(true);
            status_->setText(QStringLiteral("The run has ended abnormally."));
            emit runFinished();
            return;
        }
        result_ = std::move(scanned->result);
        showEnd();
    });
    scan_->start();
}

void SolverConsoleWindow::showEnd() {
    if (result_->report.success)
        bar_->setValue(100);
    closeButton_->setEnabled(true);
    status_->setText(result_->report.success ? QStringLiteral("The run has ended.")
                                             : QStringLiteral("The run has ended abnormally."));
    report();
    emit runFinished();
}

void SolverConsoleWindow::report() {
    // The run is over: the console no longer holds the program. Kept open on request (or when
    // it could not say why the run failed), it steps aside for the results.
    const bool keep = context_.keepConsole && !closeAfterRun_;
    hide();
    setWindowModality(Qt::NonModal);
    if (keep)
        show();
    const RunReport& r = result_->report;
    if (!r.offerResults) {
        context_.dialogs.message(r.message, kTitle, r.icon);
        return;
    }
    const Answer answer =
        context_.dialogs.ask(r.message, kTitle, Buttons::YesNo, Answer::Yes, r.icon);
    if (answer == Answer::Yes && context_.showResults)
        context_.showResults(result_->outputPath);
}

void SolverConsoleWindow::closeEvent(QCloseEvent* event) {
    if (running()) {
        // The close box ends the task, as in a console window: the window goes with the run.
        closeAfterRun_ = true;
        stop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void SolverConsoleWindow::reject() {
    // Esc while the solver runs is a Stop, never a silent close over a running process.
    if (running()) {
        closeAfterRun_ = true;
        stop();
        return;
    }
    QDialog::reject();
}

} // namespace kinetra::solver::ui
