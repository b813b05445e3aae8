#include "solver/ui/RunSettingsWindow.h"

#include "common/PlaceError.h"
#include "common/TextFile.h"
#include "common/ui/DialogButtons.h"
#include "solver/ui/FractionTableModel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace kinetra::solver::ui {

namespace {

constexpr const char* kTitle = "KINETRA";
constexpr const char* kRunPlaceCode = "Sol#302. ";
constexpr const char* kFilePlaceCode = "Sol#304. ";
constexpr const char* kSettingsPlaceCode = "Sol#304-1. Setting isn't saved or an error occures. ";

constexpr int kParametersPage = 0, kFractionsPage = 1;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QPushButton* button(const char* caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

RunSettingsWindow::RunSettingsWindow(RunSettingsContext context, std::vector<std::string> lines,
                                     InputFileSummary summary, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), lines_(std::move(lines)),
      summary_(std::move(summary)) {
    setObjectName(QStringLiteral("SOL_RUN"));
    setWindowTitle(QStringLiteral("Solver Start Window"));
    settings_.species = summary_.species;
    fractions_ = std::make_unique<FractionList>(settings_);

    pages_ = new QTabWidget(this);
    pages_->addTab(buildParametersPage(), QStringLiteral("Initial State and Solver"));
    pages_->addTab(buildFractionsPage(), QStringLiteral("Initial Mole Fractions"));

    auto* reactions = new QGroupBox(QStringLiteral("Reactions"), this);
    auto* reactionsLayout = new QVBoxLayout(reactions);
    auto* count = new QLabel(qs(reactionCountLabel(summary_.reactionCount)), reactions);
    count->setObjectName(QStringLiteral("reactionCount"));
    reactionsLayout->addWidget(count);
    warning_ = new QLabel(qs(missingThermoWarning(summary_.withoutThermo)), reactions);
    warning_->setObjectName(QStringLiteral("thermoWarning"));
    warning_->setWordWrap(true);
    warning_->setStyleSheet(QStringLiteral("color: #a00000;"));
    warning_->setVisible(!warning_->text().isEmpty());
    reactionsLayout->addWidget(warning_);

    auto* buttons = new QHBoxLayout;
    const std::pair<QPushButton*, void (RunSettingsWindow::*)()> commands[] = {
        {button("Run Solver", "runSolver", this), &RunSettingsWindow::runSolver},
        {button("Save", "save", this), &RunSettingsWindow::saveSettings},
        {button("Enter", "enter", this), &RunSettingsWindow::enterSettings},
        {button("Default Settings", "defaults", this), &RunSettingsWindow::defaultSettings},
        {button("Clear Fractions", "clearFractions", this), &RunSettingsWindow::clearFractions},
    };
    for (const auto& [b, command] : commands) {
        connect(b, &QPushButton::clicked, this, command);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    QPushButton* cancel = button("Cancel", "cancel", this);
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (context_.closeWindow)
            context_.closeWindow();
    });
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(reactions);
    layout->addLayout(buttons);
    showSettings();

    // The window is a form: it opens with the cursor in its first box, Enter runs the solver
    // and Esc cancels, as in the program's dialogs.
    findChild<QPushButton*>(QStringLiteral("runSolver"))->setDefault(true);
    setFocusProxy(box(RunField::InitialTemperature));
    // Tab goes down the left column, then down the right one: the boxes were made before their
    // pages, which left the pressure after the console switch.
    QWidget* const order[] = {box(RunField::InitialTemperature),
                              constantTemperature_,
                              adiabatic_,
                              constantVolume_,
                              constantPressure_,
                              box(RunField::Pressure),
                              box(RunField::MinimumTemperature),
                              box(RunField::MaximumTemperature),
                              keepConsole_,
                              box(RunField::InitialTime),
                              box(RunField::FinalTime),
                              box(RunField::InitialStep),
                              box(RunField::RelativeTolerance),
                              box(RunField::AbsoluteTolerance),
                              box(RunField::MaximumSteps),
                              box(RunField::OutputStride),
                              box(RunField::MaximumOutputLines),
                              commands[0].first};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

RunSettingsWindow::~RunSettingsWindow() = default;

void RunSettingsWindow::keyPressEvent(QKeyEvent* event) {
    // Only keys the focused box or grid left alone arrive here: an edit in the grid takes its
    // own Enter and Esc.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter after a filter goes on to the fraction of the species of that very name ("O2"
        // among C2H5O2, HO2, ...), or else of the first species found.
        if (focusWidget() == filter_) {
            if (model_->rowCount() > 0) {
                int row = 0;
                for (int r = 0; r < model_->rowCount(); ++r)
                    if (model_->index(r, static_cast<int>(FractionColumn::Species))
                            .data()
                            .toString()
                            .compare(filter_->text().trimmed(), Qt::CaseInsensitive) == 0)
                        row = r;
                grid_->setCurrentIndex(
                    model_->index(row, static_cast<int>(FractionColumn::Fraction)));
                grid_->setFocus();
            }
            return;
        }
        // On a button Enter presses that button; anywhere else it is Run Solver.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()))
            focused->click();
        else
            runSolver();
        return;
    case Qt::Key_Escape:
        if (context_.closeWindow)
            context_.closeWindow();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

QLineEdit* RunSettingsWindow::addBox(RunField field, std::string& text) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("field%1").arg(static_cast<int>(field)));
    boxes_[field] = {box, &text};
    return box;
}

QLineEdit* RunSettingsWindow::box(RunField field) const {
    auto it = boxes_.find(field);
    return it == boxes_.end() ? nullptr : it->second.first;
}

QWidget* RunSettingsWindow::buildParametersPage() {
    auto* page = new QWidget;
    RunSettings& s = settings_;

    auto* temperature = new QGroupBox(QStringLiteral("Temperature"), page);
    auto* tLayout = new QFormLayout(temperature);
    tLayout->addRow(QStringLiteral("Initial Value, K"),
                    addBox(RunField::InitialTemperature, s.initialTemperature));
    constantTemperature_ = new QRadioButton(QStringLiteral("Constant "), temperature);
    adiabatic_ = new QRadioButton(QStringLiteral("Adiabatic"), temperature);
    constantTemperature_->setObjectName(QStringLiteral("constantTemperature"));
    adiabatic_->setObjectName(QStringLiteral("adiabatic"));
    tLayout->addRow(constantTemperature_, adiabatic_);

    auto* volume = new QGroupBox(page);
    auto* vLayout = new QVBoxLayout(volume);
    constantVolume_ = new QRadioButton(QStringLiteral("Constant Volume "), volume);
    constantPressure_ = new QRadioButton(QStringLiteral("Constant Pressure"), volume);
    constantVolume_->setObjectName(QStringLiteral("constantVolume"));
    constantPressure_->setObjectName(QStringLiteral("constantPressure"));
    vLayout->addWidget(constantVolume_);
    vLayout->addWidget(constantPressure_);

    auto* pressure = new QFormLayout;
    pressure->addRow(QStringLiteral("Initial Pressure, atm"),
                     addBox(RunField::Pressure, s.pressure));

    auto* interval = new QGroupBox(QStringLiteral("Allowable temperature interval"), page);
    auto* iLayout = new QFormLayout(interval);
    iLayout->addRow(QStringLiteral("Minimum"),
                    addBox(RunField::MinimumTemperature, s.minimumTemperature));
    iLayout->addRow(QStringLiteral("Maximum"),
                    addBox(RunField::MaximumTemperature, s.maximumTemperature));

    auto* solver = new QGroupBox(QStringLiteral("Solver Parameters"), page);
    auto* sLayout = new QFormLayout(solver);
    sLayout->addRow(QStringLiteral("Initial Time, s"),
                    addBox(RunField::InitialTime, s.initialTime));
    sLayout->addRow(QStringLiteral("Final Time, s"), addBox(RunField::FinalTime, s.finalTime));
    sLayout->addRow(QStringLiteral("Initial Step Size, s"),
                    addBox(RunField::InitialStep, s.initialStep));
    sLayout->addRow(QStringLiteral("Relative Tolerance"),
                    addBox(RunField::RelativeTolerance, s.relativeTolerance));
    sLayout->addRow(QStringLiteral("Absolute Tolerance"),
                    addBox(RunField::AbsoluteTolerance, s.absoluteTolerance));
    sLayout->addRow(QStringLiteral("Maximum number of computed steps"),
                    addBox(RunField::MaximumSteps, s.maximumSteps));
    auto* stride = new QHBoxLayout;
    stride->addWidget(addBox(RunField::OutputStride, s.outputStride));
    stride->addWidget(new QLabel(QStringLiteral("accepted  step"), solver));
    sLayout->addRow(QStringLiteral("Write every"), stride);
    sLayout->addRow(QStringLiteral("Maximum number of lines in output"),
                    addBox(RunField::MaximumOutputLines, s.maximumOutputLines));

    auto* output = new QGroupBox(QStringLiteral("Output parameters"), page);
    auto* oLayout = new QVBoxLayout(output);
    keepConsole_ = new QCheckBox(QStringLiteral("Do not close the console window"), output);
    keepConsole_->setObjectName(QStringLiteral("keepConsole"));
    oLayout->addWidget(keepConsole_);

    auto* help = new QLabel(
        QStringLiteral("In the Solver Parameters frame, the tolerances bound the local error of "
                       "every value Y(k) of the solution: it is kept below RTOL * Y(k) + ATOL. "
                       "While the console window of a run is open the rest of the program waits "
                       "for it; its windows keep redrawing, and Stop ends the run with the "
                       "output written so far."),
        page);
    help->setWordWrap(true);

    auto* left = new QVBoxLayout;
    left->addWidget(temperature);
    left->addWidget(volume);
    left->addLayout(pressure);
    left->addWidget(interval);
    left->addWidget(output);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(solver);
    right->addWidget(help);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right);
    return page;
}

QWidget* RunSettingsWindow::buildFractionsPage() {
    auto* page = new QGroupBox(QStringLiteral("Initial Mole Fractions"));
    filter_ = new QLineEdit(page);
    filter_->setObjectName(QStringLiteral("fractionFilter"));
    filter_->setPlaceholderText(QStringLiteral("Filter by name"));
    filter_->setClearButtonEnabled(true);
    connect(filter_, &QLineEdit::textChanged, this, &RunSettingsWindow::setFilter);

    model_ = new FractionTableModel(*fractions_, this);
    connect(model_, &FractionTableModel::fractionEdited, this, &RunSettingsWindow::showSum);
    grid_ = new QTableView(page);
    grid_->setObjectName(QStringLiteral("fractionGrid"));
    grid_->setModel(model_);
    grid_->setSortingEnabled(true);
    grid_->horizontalHeader()->setSortIndicatorShown(true);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    // Tab leaves the grid for the next control; the arrow keys move within it.
    grid_->setTabKeyNavigation(false);
    // Long names ("C3H6OOH1-2O2") must show whole; the fraction column takes the rest.
    const auto fitNames = [this] {
        for (const FractionColumn c :
             {FractionColumn::No, FractionColumn::Species, FractionColumn::Formula})
            grid_->resizeColumnToContents(static_cast<int>(c));
    };
    connect(model_, &QAbstractItemModel::modelReset, this, fitNames);
    fitNames();
    // The list starts in the input file's order, not sorted by the header's first indicator.
    grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);

    sum_ = new QLabel(page);
    sum_->setObjectName(QStringLiteral("fractionSum"));
    QPushButton* normaliseButton = button("Normalise", "normalise", page);
    connect(normaliseButton, &QPushButton::clicked, this, &RunSettingsWindow::normalise);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(sum_, 1);
    bottom->addWidget(normaliseButton);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(filter_);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
    return page;
}

void RunSettingsWindow::takeTexts() {
    for (auto& [field, entry] : boxes_)
        *entry.second = entry.first->text().toStdString();
    settings_.energyEquation = adiabatic_->isChecked();
    settings_.constantVolume = constantVolume_->isChecked();
    settings_.keepConsole = keepConsole_->isChecked();
}

void RunSettingsWindow::showSettings() {
    for (auto& [field, entry] : boxes_)
        entry.first->setText(qs(*entry.second));
    adiabatic_->setChecked(settings_.energyEquation);
    constantTemperature_->setChecked(!settings_.energyEquation);
    constantVolume_->setChecked(settings_.constantVolume);
    constantPressure_->setChecked(!settings_.constantVolume);
    keepConsole_->setChecked(settings_.keepConsole);
    model_->reload();
    showSum();
}

void RunSettingsWindow::showSum() {
    sum_->setText(qs(fractions_->sumText()));
}

void RunSettingsWindow::focusField(RunField field) {
    if (field == RunField::Fractions) {
        pages_->setCurrentIndex(kFractionsPage);
        grid_->setFocus();
        return;
    }
    pages_->setCurrentIndex(kParametersPage);
    kinetra::ui::focusRefusedField(box(field));
}

void RunSettingsWindow::runSolver() {
    takeTexts();
    const RunSettingsCheck check = validateRunSettings(settings_);
    if (check.refusal) {
        focusField(check.refusal->field);
        context_.dialogs.message(check.refusal->message, kTitle, Icon::Exclamation);
        // The box keeps the focus the message box took.
        focusField(check.refusal->field);
        return;
    }
    const bool written = guarded(context_.dialogs, kRunPlaceCode, [&] {
        writeRunInput(context_.inputPath, lines_, *check.values, context_.appDir);
    });
    if (written && context_.startRun)
        context_.startRun(*check.values, settings_.keepConsole);
}

void RunSettingsWindow::saveSettings() {
    takeTexts();
    guarded(context_.dialogs, kSettingsPlaceCode, [&] {
        if (!saveRunSettings(context_.settingsFile, settings_))
            context_.dialogs.message(kSettingsNotSaved, kTitle, Icon::Exclamation);
    });
}

void RunSettingsWindow::enterSettings() {
    takeTexts();
    guarded(context_.dialogs, kFilePlaceCode, [&] {
        const std::optional<std::string> text = readTextFile(context_.settingsFile);
        if (!text || !enterSavedSettings(*text, settings_)) {
            context_.dialogs.message("The file " + context_.settingsFile.string() +
                                         " does not hold saved solver settings.",
                                     kTitle, Icon::Exclamation);
            return;
        }
        showSettings();
    });
}

void RunSettingsWindow::defaultSettings() {
    takeTexts();
    settings_.restoreDefaults();
    showSettings();
}

void RunSettingsWindow::clearFractions() {
    takeTexts();
    settings_.clearFractions();
    showSettings();
}

void RunSettingsWindow::normalise() {
    if (const auto refusal = fractions_->normalise()) {
        pages_->setCurrentIndex(kFractionsPage);
        context_.dialogs.message(*refusal, kTitle, Icon::Exclamation);
        return;
    }
    model_->reload();
    showSum();
}

void RunSettingsWindow::setFilter(const QString& text) {
    fractions_->setFilter(text.toStdString());
    model_->reload();
}

} // namespace kinetra::solver::ui
