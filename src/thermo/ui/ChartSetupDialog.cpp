#include "thermo/ui/ChartSetupDialog.h"

#include "common/ui/DialogButtons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kinetra::thermo::ui {

namespace {

using Units = ThermoChartSettings::Units;

QString latin(const char* s) {
    return QString::fromLatin1(s);
}

} // namespace

ChartSetupDialog::ChartSetupDialog(ThermoChartSettings& settings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("chartSetupDialog"));
    setWindowTitle(latin(kTitle));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* frame = new QGroupBox(latin(kChartFrameCaption));
    auto* inFrame = new QVBoxLayout(frame);
    auto* hint = new QLabel(latin(kChartHint));
    hint->setWordWrap(true);
    inFrame->addWidget(hint);

    auto* temperatures = new QGroupBox(latin(kTemperatureFrameCaption));
    auto* grid = new QGridLayout(temperatures);
    min_ = new QLineEdit;
    min_->setObjectName(QStringLiteral("min"));
    max_ = new QLineEdit;
    max_->setObjectName(QStringLiteral("max"));
    step_ = new QLineEdit;
    step_->setObjectName(QStringLiteral("step"));
    const std::array<std::pair<const char*, QLineEdit*>, 3> boxes{
        {{kMinCaption, min_}, {kMaxCaption, max_}, {kStepCaption, step_}}};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(latin(boxes[std::size_t(i)].first));
        label->setBuddy(boxes[std::size_t(i)].second);
        grid->addWidget(label, 0, i);
        grid->addWidget(boxes[std::size_t(i)].second, 1, i);
    }
    inFrame->addWidget(temperatures);

    auto* unitsRow = new QHBoxLayout;
    unitsRow->addWidget(new QLabel(latin(kUnitsCaption)));
    joule_ = new QRadioButton(latin(kJouleUnitsCaption));
    joule_->setObjectName(QStringLiteral("joule"));
    calorie_ = new QRadioButton(latin(kCalorieUnitsCaption));
    calorie_->setObjectName(QStringLiteral("calorie"));
    unitsRow->addWidget(joule_);
    unitsRow->addWidget(calorie_);
    unitsRow->addStretch(1);
    inFrame->addLayout(unitsRow);

    const std::array<const char*, 3> names{"enthalpy", "heatCapacity", "entropy"};
    for (std::size_t i = 0; i < 3; ++i) {
        functions_[i] = new QCheckBox;
        functions_[i]->setObjectName(latin(names[i]));
        inFrame->addWidget(functions_[i]);
    }
    layout->addWidget(frame);

    const ChartSetupTexts shown = ChartSetupTexts::from(settings_);
    min_->setText(QString::fromStdString(shown.min));
    max_->setText(QString::fromStdString(shown.max));
    step_->setText(QString::fromStdString(shown.step));
    (shown.units == Units::Calorie ? calorie_ : joule_)->setChecked(true);
    functions_[0]->setChecked(shown.enthalpy);
    functions_[1]->setChecked(shown.heatCapacity);
    functions_[2]->setChecked(shown.entropy);
    showCaptions();
    connect(joule_, &QRadioButton::toggled, this, &ChartSetupDialog::showCaptions);

    kinetra::ui::addOkCancel(this, layout, [this] { accept(); });
}

Units ChartSetupDialog::units() const {
    return calorie_->isChecked() ? Units::Calorie : Units::Joule;
}

void ChartSetupDialog::showCaptions() {
    const std::array<std::string, 3> captions = checkBoxCaptions(units());
    for (std::size_t i = 0; i < 3; ++i)
        functions_[i]->setText(QString::fromStdString(captions[i]));
}

ChartSetupTexts ChartSetupDialog::texts() const {
    ChartSetupTexts t;
    t.min = min_->text().toStdString();
    t.max = max_->text().toStdString();
    t.step = step_->text().toStdString();
    t.enthalpy = functions_[0]->isChecked();
    t.heatCapacity = functions_[1]->isChecked();
    t.entropy = functions_[2]->isChecked();
    t.units = units();
    return t;
}

void ChartSetupDialog::accept() {
    const SetupValidation checked = validateChartSetup(texts(), dialogs_);
    if (checked.ok()) {
        settings_ = *checked.settings;
        QDialog::accept();
        return;
    }
    QWidget* focus = nullptr;
    switch (checked.focus) {
    case SetupField::Functions:
        focus = functions_[0];
        break;
    case SetupField::Min:
        focus = min_;
        break;
    case SetupField::Max:
        focus = max_;
        break;
    case SetupField::Step:
        focus = step_;
        break;
    case SetupField::None:
        break;
    }
    kinetra::ui::focusRefusedField(focus);
}

} // namespace kinetra::thermo::ui
