#include "charts/ui/ChartSetupWindow.h"

#include "charts/ChartFile.h"
#include "charts/ui/ChartPainter.h"
#include "charts/ui/ChartWindow.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kinetra::ui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

const QStringList kSizes{QStringLiteral("Large"), QStringLiteral("Medium"),
                         QStringLiteral("Small")};
const QStringList kScales{QStringLiteral("Auto"), QStringLiteral("Linear"), QStringLiteral("Log")};
const QStringList kSymbols{QStringLiteral("None"),     QStringLiteral("Default"),
                           QStringLiteral("Circle"),   QStringLiteral("Square"),
                           QStringLiteral("Triangle"), QStringLiteral("Diamond"),
                           QStringLiteral("Cross")};
const QStringList kLines{QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                         QStringLiteral("Dash-Dot"), QStringLiteral("Dash-Dot-Dot")};

enum Column { Show, Series, Point, Line, Colour };

QComboBox* choice(const QStringList& items, int current, const QString& name) {
    auto* box = new QComboBox;
    box->addItems(items);
    box->setCurrentIndex(current);
    box->setObjectName(name);
    return box;
}

} // namespace

ChartSetupWindow::ChartSetupWindow(ChartWindow& chart, Ui& ui, std::filesystem::path supportDir,
                                   QWidget* parent)
    : QDialog(parent), chart_(chart), ui_(ui), supportDir_(std::move(supportDir)),
      fields_(setupFieldsOf(chart.model())) {
    setWindowTitle(QStringLiteral("Plot  Castomization Dialog"));
    setObjectName(QStringLiteral("PLOT_Setup"));
    wasMonochrome_ = chart.model().content().monochrome;
    wasModified_ = chart.model().isModified();
    // What Cancel gives back, whatever Apply changes in between.
    writeChartFile(scratchFile(), chart.model().content());

    auto* tabs = new QTabWidget;
    tabs->addTab(axesTab(), QStringLiteral("Axes"));
    tabs->addTab(fontTab(), QStringLiteral("Font"));
    tabs->addTab(colourTab(), QStringLiteral("Color"));
    tabs->addTab(styleTab(), QStringLiteral("Style"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* okButton = buttons->addButton(QDialogButtonBox::Ok);
    QPushButton* applyButton =
        buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::ApplyRole);
    QPushButton* cancelButton = buttons->addButton(QDialogButtonBox::Cancel);
    okButton->setObjectName(QStringLiteral("ok"));
    applyButton->setObjectName(QStringLiteral("apply"));
    cancelButton->setObjectName(QStringLiteral("cancel"));
    connect(okButton, &QPushButton::clicked, this, &ChartSetupWindow::ok);
    connect(applyButton, &QPushButton::clicked, this, &ChartSetupWindow::apply);
    connect(cancelButton, &QPushButton::clicked, this, &ChartSetupWindow::cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

ChartSetupWindow::~ChartSetupWindow() = default;

std::filesystem::path ChartSetupWindow::scratchFile() const {
    return supportDir_ / kSetupScratchFile;
}

QWidget* ChartSetupWindow::axesTab() {
    auto* tab = new QWidget;
    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(axisFrame(QStringLiteral("X-Axis"), QStringLiteral("x"), x_, fields_.x));
    layout->addWidget(axisFrame(QStringLiteral("Y-Axis"), QStringLiteral("y"), y_, fields_.y));
    return tab;
}

QWidget* ChartSetupWindow::axisFrame(const QString& title, const QString& prefix, AxisWidgets& w,
                                     const AxisFields& f) {
    auto* frame = new QGroupBox(title);
    auto* form = new QFormLayout(frame);
    const auto line = [&](const std::string& text, const QString& name) {
        auto* edit = new QLineEdit(qs(text));
        edit->setObjectName(prefix + name);
        return edit;
    };
    w.maximum = line(f.maximum, QStringLiteral("Maximum"));
    w.minimum = line(f.minimum, QStringLiteral("Minimum"));
    w.major = line(f.majorTicks, QStringLiteral("MajorTicks"));
    w.minor = line(f.minorTicks, QStringLiteral("MinorTicks"));
    w.digits = new QSpinBox;
    w.digits->setRange(1, 15);
    w.digits->setValue(f.digits);
    w.digits->setObjectName(prefix + QStringLiteral("Digits"));
    w.scale = choice(kScales, static_cast<int>(f.scale), prefix + QStringLiteral("Scale"));
    form->addRow(QStringLiteral("Maximum"), w.maximum);
    form->addRow(QStringLiteral("Minimum"), w.minimum);
    form->addRow(QStringLiteral("Major Tick Marks"), w.major);
    form->addRow(QStringLiteral("Minor Tick Marks"), w.minor);
    form->addRow(QStringLiteral("Significant Digits"), w.digits);
    form->addRow(QStringLiteral("Scale"), w.scale);
    connect(w.scale, &QComboBox::currentIndexChanged, this, [this, &w] { enableAxis(w); });
    enableAxis(w);
    return frame;
}

void ChartSetupWindow::enableAxis(AxisWidgets& w) {
    const AxisFieldsEnabled on = enabledFields(static_cast<AxisScale>(w.scale->currentIndex()));
    w.maximum->setEnabled(on.range);
    w.minimum->setEnabled(on.range);
    w.major->setEnabled(on.ticks);
    w.minor->setEnabled(on.ticks);
    w.digits->setEnabled(on.digits);
}

QWidget* ChartSetupWindow::fontTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    textSize_ = choice(kSizes, static_cast<int>(fields_.look.textSize), QStringLiteral("textSize"));
    auto* size = new QFormLayout;
    size->addRow(QStringLiteral("Text Size"), textSize_);
    layout->addLayout(size);
    const std::pair<QString, ChartFont ChartLook::*> fonts[] = {
        {QStringLiteral("Main Title"), &ChartLook::mainTitleFont},
        {QStringLiteral("Sub Title"), &ChartLook::subTitleFont},
        {QStringLiteral(" Axis, Legend,  Annotations"), &ChartLook::textFont}};
    for (const auto& [caption, member] : fonts) {
        auto* button = new QPushButton(caption);
        connect(button, &QPushButton::clicked, this, [this, member] {
            ChartFont& f = fields_.look.*member;
            QFont current(qs(f.family));
            current.setBold(f.bold);
            current.setItalic(f.italic);
            bool chosen = false;
            const QFont font = QFontDialog::getFont(&chosen, current, this);
            if (chosen)
                f = ChartFont{font.family().toStdString(), font.bold(), font.italic()};
        });
        layout->addWidget(button);
    }
    layout->addWidget(new QLabel(QStringLiteral("The function 'Size' on the Font Dialog Window\n"
                                                "is disabled. Use the options on the top of this "
                                                "page.")));
    layout->addStretch();
    return tab;
}

QWidget* ChartSetupWindow::colourTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    if (wasMonochrome_) {
        layout->addWidget(new QLabel(QStringLiteral("Monochrome style, the color functions are "
                                                    "disabled.")));
    }
    const QStringList captions{
        QStringLiteral("Plot Annotation"),  QStringLiteral("Plot Foreground"),
        QStringLiteral("Plot Background"),  QStringLiteral("Shadow"),
        QStringLiteral("Chart Foreground"), QStringLiteral("Chart Background")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QPushButton(captions[i]);
        button->setEnabled(!wasMonochrome_);
        connect(button, &QPushButton::clicked, this, [this, i] {
            unsigned& value = fields_.look.colours[static_cast<std::size_t>(i)];
            const QColor chosen = QColorDialog::getColor(
                QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF), this);
            if (chosen.isValid())
                value = (static_cast<unsigned>(chosen.red()) << 16) |
                        (static_cast<unsigned>(chosen.green()) << 8) |
                        static_cast<unsigned>(chosen.blue());
        });
        layout->addWidget(button);
    }
    layout->addStretch();
    return tab;
}

QWidget* ChartSetupWindow::styleTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    pointSize_ =
        choice(kSizes, static_cast<int>(fields_.look.pointSize), QStringLiteral("pointSize"));
    auto* size = new QFormLayout;
    size->addRow(QStringLiteral("Points"), pointSize_);
    layout->addLayout(size);
    subsets_ = new QTableWidget(static_cast<int>(fields_.subsets.size()), 5);
    subsets_->setObjectName(QStringLiteral("subsets"));
    subsets_->setHorizontalHeaderLabels({QStringLiteral("Show"), QStringLiteral("Series"),
                                         QStringLiteral("Point"), QStringLiteral("Line"),
                                         QStringLiteral("Color")});
    QStringList colours;
    for (int c = 0; c < 16; ++c)
        colours << QString::number(c);
    for (int r = 0; r < subsets_->rowCount(); ++r) {
        const SubsetDisplay& d = fields_.subsets[static_cast<std::size_t>(r)];
        auto* show = new QCheckBox;
        show->setChecked(d.shown);
        subsets_->setCellWidget(r, Show, show);
        auto* label = new QTableWidgetItem(qs(d.label));
        label->setFlags(label->flags() & ~Qt::ItemIsEditable);
        subsets_->setItem(r, Series, label);
        subsets_->setCellWidget(r, Point, choice(kSymbols, d.symbol + 1, {}));
        subsets_->setCellWidget(r, Line, choice(kLines, d.lineStyle, {}));
        auto* colour = choice(colours, d.colour, {});
        for (int c = 0; c < 16; ++c)
            colour->setItemData(c, tableColour(c), Qt::DecorationRole);
        subsets_->setCellWidget(r, Colour, colour);
    }
    subsets_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(subsets_);
    return tab;
}

SetupFields ChartSetupWindow::fields() const {
    SetupFields f = fields_;
    const auto axis = [](const AxisWidgets& w) {
        return AxisFields{w.maximum->text().toStdString(),
                          w.minimum->text().toStdString(),
                          w.major->text().toStdString(),
                          w.minor->text().toStdString(),
                          w.digits->value(),
                          static_cast<AxisScale>(w.scale->currentIndex())};
    };
    f.x = axis(x_);
    f.y = axis(y_);
    f.look.textSize = static_cast<SizeChoice>(textSize_->currentIndex());
    f.look.pointSize = static_cast<SizeChoice>(pointSize_->currentIndex());
    for (int r = 0; r < subsets_->rowCount(); ++r) {
        SubsetDisplay& d = f.subsets[static_cast<std::size_t>(r)];
        d.shown = qobject_cast<QCheckBox*>(subsets_->cellWidget(r, Show))->isChecked();
        d.symbol = qobject_cast<QComboBox*>(subsets_->cellWidget(r, Point))->currentIndex() - 1;
        d.lineStyle = qobject_cast<QComboBox*>(subsets_->cellWidget(r, Line))->currentIndex();
        d.colour = qobject_cast<QComboBox*>(subsets_->cellWidget(r, Colour))->currentIndex();
    }
    return f;
}

bool ChartSetupWindow::chartHasPoint() const {
    return chart_.model().hasDrawablePoint();
}

bool ChartSetupWindow::apply() {
    if (!chartHasPoint())
        return false;
    const bool applied = toPlotOk(chart_.model(), fields(), ui_.dialogs);
    chart_.redraw();
    return applied;
}

void ChartSetupWindow::ok() {
    if (chartHasPoint() && !apply())
        return;
    std::error_code ignored;
    std::filesystem::remove(scratchFile(), ignored);
    accept();
}

void ChartSetupWindow::cancel() {
    auto saved = readChartFile(scratchFile());
    if (auto* content = std::get_if<ChartContent>(&saved)) {
        // The file holds the colour style; the window's style and flag are put back as they were.
        content->monochrome = wasMonochrome_;
        chart_.model().restore(std::move(*content));
        if (wasModified_)
            chart_.model().mustSave();
        else
            chart_.model().markSaved();
    }
    std::error_code ignored;
    std::filesystem::remove(scratchFile(), ignored);
    chart_.redraw();
    QDialog::reject();
}

} // namespace kinetra::ui
