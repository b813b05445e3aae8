#include "shell/ui/OptionsWindow.h"

#include "common/ui/DialogButtons.h"
#include "shell/ui/QtColour.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

namespace kinetra::ui {

namespace {

constexpr int kColoursPage = 0;
constexpr int kConstantsPage = 1;

int pageOf(OptionsTab tab) {
    return tab == OptionsTab::Colours ? kColoursPage : kConstantsPage;
}

QLabel* wrapped(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QLabel* bold(const QString& text) {
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

ColourSample::ColourSample(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setMinimumSize(sizeHint());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColourSample::setColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void ColourSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (kind_ == Kind::Fill) {
        p.fillRect(r, colour_);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r);
        return;
    }
    // A chart cell: a white plot area with a selected curve and a selected filled region.
    p.fillRect(r, Qt::white);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r);
    QPainterPath area;
    area.moveTo(r.left() + 0.55 * r.width(), r.bottom() - 4);
    area.lineTo(r.left() + 0.70 * r.width(), r.top() + 0.35 * r.height());
    area.lineTo(r.left() + 0.88 * r.width(), r.top() + 0.55 * r.height());
    area.lineTo(r.left() + 0.88 * r.width(), r.bottom() - 4);
    area.closeSubpath();
    QColor fill = colour_;
    fill.setAlpha(110);
    p.fillPath(area, fill);
    p.setPen(QPen(colour_, 2));
    const QPointF curve[] = {{r.left() + 6, r.bottom() - 8},
                             {r.left() + 0.25 * r.width(), r.top() + 0.45 * r.height()},
                             {r.left() + 0.42 * r.width(), r.top() + 0.25 * r.height()},
                             {r.left() + 0.60 * r.width(), r.top() + 0.60 * r.height()},
                             {r.right() - 6, r.top() + 8}};
    p.drawPolyline(curve, int(std::size(curve)));
}

OptionsWindow::OptionsWindow(OptionsWindowModel& model, Ui& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
    setObjectName(QStringLiteral("optionsWindow"));
    setWindowTitle(model.tab == OptionsTab::Colours ? QStringLiteral("Colors")
                                                    : QStringLiteral("Physical constants"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget;
    tabs_->addTab(newColoursPage(), QStringLiteral("Colors"));
    tabs_->addTab(newConstantsPage(), QStringLiteral("Physical constants"));
    tabs_->setCurrentIndex(pageOf(model.tab));
    layout->addWidget(tabs_, 1);

    addOkCancel(
        this, layout, [this] { accept(); }, QStringLiteral("okButton"),
        QStringLiteral("cancelButton"));

    showBoxes();
    showColours();
    resize(sizeHint().expandedTo(QSize(620, 330)));
}

QWidget* OptionsWindow::newColoursPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(16);
    grid->setColumnStretch(2, 1);

    auto addRow = [&](int row, const QString& title, QWidget* sample, const QString& caption,
                      ColourRole role, const QString& buttonName) {
        grid->addWidget(bold(title), row, 0);
        grid->addWidget(sample, row, 1);
        grid->addWidget(wrapped(caption), row, 2);
        auto* button = new QPushButton(QStringLiteral("Change..."));
        button->setObjectName(buttonName);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, role] { chooseColour(role); });
        grid->addWidget(button, row, 3);
    };

    highlightSample_ = new QLabel(QStringLiteral("AaBbCcDd"));
    highlightSample_->setObjectName(QStringLiteral("highlightSample"));
    highlightSample_->setAlignment(Qt::AlignCenter);
    highlightSample_->setMinimumSize(120, 44);
    QFont f = highlightSample_->font();
    f.setPointSize(f.pointSize() + 2);
    highlightSample_->setFont(f);
    addRow(0, QStringLiteral("Data tables"), highlightSample_,
           QStringLiteral("This font color is used to highlight invalid species and reactions."),
           ColourRole::Highlight, QStringLiteral("highlightButton"));

    selectionSample_ = new ColourSample(ColourSample::Kind::Chart);
    selectionSample_->setObjectName(QStringLiteral("selectionSample"));
    addRow(1, QStringLiteral("Chart"), selectionSample_,
           QStringLiteral("This color is used to select subsets in charts."), ColourRole::Selection,
           QStringLiteral("selectionButton"));

    backgroundSample_ = new ColourSample(ColourSample::Kind::Fill);
    backgroundSample_->setObjectName(QStringLiteral("backgroundSample"));
    addRow(2, QStringLiteral("Main window"), backgroundSample_,
           QStringLiteral("Background color of the Main window"), ColourRole::Background,
           QStringLiteral("backgroundButton"));
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* OptionsWindow::newConstantsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(wrapped(QStringLiteral(
        "The constants of every calculation. Each is a positive number written with a point, "
        "such as 8.314 or 1.38E-23.")));
    layout->addSpacing(6);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    const std::array<std::pair<const char*, const char*>, 5> rows{{
        {"Gas constant", "J/(K mol)"},
        {"Gas constant", "cal/(K mol)"},
        {"Avogadro", "1/mol"},
        {"Boltzmann", "J/K"},
        {"Pressure", "kPa/atm"},
    }};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(QString::fromLatin1(rows[i].first));
        auto* box = new QLineEdit;
        box->setMinimumWidth(240);
        box->setObjectName(QStringLiteral("constant%1").arg(i));
        label->setBuddy(box);
        boxes_[i] = box;
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(rows[i].second)), i, 2);
    }
    return page;
}

void OptionsWindow::showBoxes() {
    for (int i = 0; i < 5; ++i)
        boxes_[i]->setText(QString::fromStdString(model_.boxes[i]));
}

void OptionsWindow::showColours() {
    const QColor highlight = toQColor(model_.colour(ColourRole::Highlight));
    highlightSample_->setStyleSheet(
        QStringLiteral("QLabel { color: %1; background: white; border: 1px solid palette(mid); }")
            .arg(highlight.name()));
    selectionSample_->setColour(toQColor(model_.colour(ColourRole::Selection)));
    backgroundSample_->setColour(toQColor(model_.colour(ColourRole::Background)));
}

void OptionsWindow::takeBoxes() {
    for (int i = 0; i < 5; ++i)
        model_.boxes[i] = boxes_[i]->text().toStdString();
}

void OptionsWindow::showRefusal() {
    tabs_->setCurrentIndex(pageOf(model_.tab));
    if (model_.focusBox) {
        focusRefusedField(boxes_.at(std::size_t(*model_.focusBox)));
    }
}

void OptionsWindow::chooseColour(ColourRole role) {
    const QColor chosen =
        QColorDialog::getColor(toQColor(model_.colour(role)), this, QStringLiteral("Color"));
    if (!chosen.isValid())
        return;
    model_.setColour(role, fromQColor(chosen));
    showColours();
}

void OptionsWindow::accept() {
    takeBoxes();
    bool mayClose = false;
    try {
        mayClose = model_.ok();
    } catch (const std::exception& e) {
        // Writing OPTIONS.txt failed; the window stays open so that nothing typed is lost.
        ui_.progress.busy(false);
        ui_.dialogs.message(std::string("The options cannot be saved. ") + e.what(), "KINETRA",
                            Icon::Critical);
        return;
    }
    if (mayClose)
        QDialog::accept();
    else
        showRefusal();
}

void OptionsWindow::reject() {
    takeBoxes();
    const bool mayClose = model_.cancel();
    showBoxes();
    if (mayClose)
        QDialog::reject();
    else
        showRefusal();
}

} // namespace kinetra::ui
