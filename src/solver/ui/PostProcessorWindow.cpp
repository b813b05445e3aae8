#include "solver/ui/PostProcessorWindow.h"

#include "common/FileNames.h"
#include "common/NumberFormat.h"
#include "common/PlaceError.h"
#include "common/ui/TableCopy.h"
#include "results/RunHighlights.h"
#include "solver/ui/ResultTableModel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kinetra::solver::ui {

using kinetra::ui::copySelectionOnCtrlC;

namespace {

using results::ResultRow;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

bool ctrlHeld() {
    return QApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
}

std::string runSummary(const results::SolverOutput& output) {
    return std::string(output.header.constantVolume() ? "Constant Volume" : "Constant Pressure") +
           ". The number of output records is " + std::to_string(output.records.size()) +
           "; one out of every " + std::to_string(output.header.deltaN) + " steps was written.";
}

QRadioButton* radio(const char* caption, const char* name, QWidget* parent) {
    auto* r = new QRadioButton(QString::fromLatin1(caption), parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

} // namespace

std::string PostProcessorWindow::caption(const std::filesystem::path& path) {
    return "Solver Output  " + path.filename().string();
}

PostProcessorWindow::PostProcessorWindow(PostProcessorContext context, results::SolverOutput output,
                                         std::filesystem::path path, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), output_(std::move(output)),
      path_(std::move(path)) {
    setObjectName(QStringLiteral("RES_Results"));
    setWindowTitle(qs(caption(path_)));
    recomputeMeans();

    auto* summary = new QLabel(qs(runSummary(output_)), this);
    summary->setObjectName(QStringLiteral("runSummary"));
    highlights_ = new QLabel(qs(results::highlightsText(output_)), this);
    highlights_->setObjectName(QStringLiteral("highlights"));
    QFont bold = highlights_->font();
    bold.setBold(true);
    highlights_->setFont(bold);
    highlights_->setWordWrap(true);

    pages_ = new QTabWidget(this);
    pages_->addTab(buildTablePage(meanTable_, meanModel_, 0), QStringLiteral("Mean Parameters"));
    pages_->addTab(buildTablePage(speciesTable_, speciesModel_, 1), QStringLiteral("Species"));
    pages_->addTab(buildGlancePage(), QStringLiteral("Species at a glance"));
    pages_->addTab(buildPlotPage(), QStringLiteral("Plotting Functions"));

    auto* view = new QPushButton(QStringLiteral("View Checked Rows"), this);
    view->setObjectName(QStringLiteral("viewChecked"));
    connect(view, &QPushButton::clicked, this, [this] { viewCheckedRows(ctrlHeld()); });
    auto* data = new QPushButton(QStringLiteral("Numeric Data"), this);
    data->setObjectName(QStringLiteral("numericData"));
    connect(data, &QPushButton::clicked, this, &PostProcessorWindow::numericData);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(buildUnitsBar(), 1);
    buttons->addWidget(view);
    buttons->addWidget(data);

    summary->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(highlights_);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
}

PostProcessorWindow::~PostProcessorWindow() = default;

QWidget* PostProcessorWindow::buildTablePage(QTableView*& view, ResultTableModel*& model,
                                             int kind) {
    auto* page = new QWidget;
    model = new ResultTableModel(kind == 0 ? ResultTableModel::Kind::Means
                                           : ResultTableModel::Kind::Species,
                                 output_, means_, settings_, this);
    view = new QTableView(page);
    view->setObjectName(kind == 0 ? QStringLiteral("meanTable") : QStringLiteral("speciesTable"));
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    // Every record column holds numbers of one pattern under a time: wide enough for both, and
    // never wrapped ("0." above "00000000E+00" read as two numbers). Measured, not resized to
    // contents: a long run has thousands of columns.
    QFont bold = view->horizontalHeader()->font();
    bold.setBold(true); // the current column's header is drawn bold
    const int margin = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    const int widest =
        std::max(QFontMetrics(view->font())
                     .horizontalAdvance(kind == 0 ? QStringLiteral("-0.00E+00")
                                                  : QStringLiteral("-0.00000000E+00")),
                 QFontMetrics(bold).horizontalAdvance(QStringLiteral("0.000E+00 s")));
    view->setWordWrap(false);
    view->horizontalHeader()->setDefaultSectionSize(widest + margin);
    for (int column = 0; column < ResultTableModel::kOwnColumns; ++column)
        view->resizeColumnToContents(column);
    copySelectionOnCtrlC(view,
                         [this](const std::string& text) { context_.ui.clipboard.setText(text); });
    ResultTableModel* m = model;
    connect(view->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this, m](int row) { plotRow(m->resultRow(row), ctrlHeld()); });
    // From the keyboard: Enter on a row plots it, Ctrl+Enter adds it to the chart shown.
    connect(view, &QAbstractItemView::activated, this, [this, m](const QModelIndex& index) {
        plotRow(m->resultRow(index.row()), ctrlHeld());
    });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(view);
    return page;
}

QWidget* PostProcessorWindow::buildUnitsBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto addGroup = [&](const char* title, QRadioButton* first, QRadioButton* second) {
        auto* box = new QGroupBox(QString::fromLatin1(title), bar);
        auto* l = new QHBoxLayout(box);
        auto* group = new QButtonGroup(box);
        first->setChecked(true);
        for (QRadioButton* r : {first, second}) {
            r->setParent(box);
            group->addButton(r);
            l->addWidget(r);
            connect(r, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    recomputeMeans();
            });
        }
        layout->addWidget(box);
    };
    auto* molPerCm3 = radio("mol/cm^3", "molPerCm3", bar);
    perCm3_ = radio("1/cm^3", "perCm3", bar);
    addGroup("Concentration, mol/cm^3", molPerCm3, perCm3_);
    connect(perCm3_, &QRadioButton::toggled, this, [molPerCm3](bool on) {
        molPerCm3->parentWidget()->setProperty("title",
                                               on ? QStringLiteral("Concentration, 1/cm^3")
                                                  : QStringLiteral("Concentration, mol/cm^3"));
    });
    auto* joules = radio("kJ/mol, J/K mol", "joules", bar);
    calories_ = radio("kcal/mol, cal/K mol", "calories", bar);
    addGroup("Energy", joules, calories_);
    auto* fractions = radio("Mole Fractions", "moleFractions", bar);
    concentrations_ = radio("Concentrations", "concentrations", bar);
    addGroup("Species", fractions, concentrations_);
    return bar;
}

QWidget* PostProcessorWindow::buildPlotPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    auto addBox = [&](const char* caption, const char* name, std::string& text) {
        auto* box = new QLineEdit(qs(text), page);
        box->setObjectName(QString::fromLatin1(name));
        boxes_.push_back({box, &text});
        form->addRow(QString::fromLatin1(caption), box);
    };
    addBox("Time interval from, s (empty: the first record)", "timeFrom", settings_.timeFrom);
    addBox("to, s (empty: the last record)", "timeTo", settings_.timeTo);
    addBox("Interval of points (every n-th record)", "pointInterval", settings_.pointInterval);
    addBox("Scaling factor for X-axis", "xScale", settings_.xScale);
    addBox("Scaling factor for Y-axis", "yScale", settings_.yScale);
    logX_ = new QCheckBox(QStringLiteral("Logarithmic X-axis"), page);
    logX_->setObjectName(QStringLiteral("logX"));
    logY_ = new QCheckBox(QStringLiteral("Logarithmic Y-axis"), page);
    logY_->setObjectName(QStringLiteral("logY"));
    form->addRow(logX_);
    form->addRow(logY_);
    auto* help = new QLabel(
        QStringLiteral("Mean parameters and species concentrations can be plotted as functions "
                       "of time. Double-click the row header of a parameter or a species to plot "
                       "it in the scratch chart (or press Enter on its row). Hold the Ctrl key "
                       "down to add the profile to "
                       "the chart shown. Check rows and click View Checked Rows to plot up to 20 "
                       "profiles at once. Numeric Data writes the checked rows as a text "
                       "document."),
        page);
    help->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(help);
    layout->addStretch();
    return page;
}

QWidget* PostProcessorWindow::buildGlancePage() {
    auto* page = new QWidget;
    const std::vector<results::SpeciesPeak> peaks = results::speciesAtAGlance(means_);
    glance_ = new QTableWidget(static_cast<int>(peaks.size()), 4, page);
    glance_->setObjectName(QStringLiteral("glanceTable"));
    glance_->setHorizontalHeaderLabels({QStringLiteral("Species"), QStringLiteral("MolFormula"),
                                        QStringLiteral("Largest mole fraction"),
                                        QStringLiteral("At time, s")});
    glance_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    glance_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < static_cast<int>(peaks.size()); ++r) {
        const results::SpeciesPeak& p = peaks[static_cast<std::size_t>(r)];
        const results::OutputSpecies& s = output_.species[p.species];
        const QString cells[] = {qs(s.name), qs(s.formula),
                                 qs(formatNumber(p.moleFraction, "0.000E+00")),
                                 qs(formatNumber(p.time, "0.000E+00"))};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(Qt::UserRole, static_cast<qulonglong>(p.species));
            glance_->setItem(r, c, item);
        }
    }
    glance_->resizeColumnsToContents();
    glance_->setTabKeyNavigation(false);
    copySelectionOnCtrlC(glance_,
                         [this](const std::string& text) { context_.ui.clipboard.setText(text); });
    connect(glance_, &QTableWidget::cellActivated, this, [this](int row, int) {
        const auto species = glance_->item(row, 0)->data(Qt::UserRole).toULongLong();
        plotRow({std::nullopt, static_cast<std::size_t>(species)}, ctrlHeld());
    });
    auto* note =
        new QLabel(QStringLiteral("The species by the largest mole fraction they reach "
                                  "during the run. Double-click one (or press Enter) to plot it."),
                   page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(note);
    layout->addWidget(glance_);
    return page;
}

QLineEdit* PostProcessorWindow::settingBox(const char* name) const {
    for (const auto& [box, text] : boxes_)
        if (box->objectName() == QLatin1String(name))
            return box;
    return nullptr;
}

void PostProcessorWindow::takeSettings() {
    for (const auto& [box, text] : boxes_)
        *text = box->text().toStdString();
    settings_.logX = logX_->isChecked();
    settings_.logY = logY_->isChecked();
}

void PostProcessorWindow::recomputeMeans() {
    if (perCm3_) {
        settings_.concentrationUnit = perCm3_->isChecked() ? results::ConcentrationUnit::PerCm3
                                                           : results::ConcentrationUnit::MolPerCm3;
        settings_.energyUnit =
            calories_->isChecked() ? results::EnergyUnit::Calorie : results::EnergyUnit::Joule;
        settings_.concentrations = concentrations_->isChecked();
    }
    means_ = results::meanParameters(output_, settings_.concentrationUnit, settings_.energyUnit,
                                     context_.constants);
    if (meanModel_)
        meanModel_->refresh();
    if (speciesModel_)
        speciesModel_->refresh();
}

std::vector<ResultRow> PostProcessorWindow::checkedRows() const {
    std::vector<ResultRow> rows = meanModel_->checkedRows();
    for (const ResultRow& r : speciesModel_->checkedRows())
        rows.push_back(r);
    return rows;
}

void PostProcessorWindow::plotRow(const ResultRow& row, bool addToExisting) {
    takeSettings();
    if (auto chart = results::plotRow(view(), row, addToExisting, context_.ui.dialogs))
        if (context_.showChart)
            context_.showChart(std::move(*chart));
}

void PostProcessorWindow::viewCheckedRows(bool addToExisting) {
    takeSettings();
    if (auto chart =
            results::viewCheckedRows(view(), checkedRows(), addToExisting, context_.ui.dialogs))
        if (context_.showChart)
            context_.showChart(std::move(*chart));
}

void PostProcessorWindow::numericData() {
    takeSettings();
    const auto text = results::writeCheckedRowsData(view(), checkedRows(), path_.string(),
                                                    context_.ui.clock.now(), context_.supportDir,
                                                    context_.ui.dialogs);
    if (text && context_.openTextFile)
        context_.openTextFile(context_.supportDir / files::kTmpPlot, results::kNumericDataTitle);
}

} // namespace kinetra::solver::ui
