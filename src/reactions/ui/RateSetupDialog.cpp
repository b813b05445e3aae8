#include "reactions/ui/RateSetupDialog.h"

#include "common/ui/DialogButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kinetra::reactions::ui {

namespace {

QString latin(const char* s) {
    return QString::fromLatin1(s);
}

template <class Box> Box* named(Box* box, const char* name) {
    box->setObjectName(latin(name));
    return box;
}

} // namespace

RateSetupDialog::RateSetupDialog(RatePlotSettings& settings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("rateSetupDialog"));
    setWindowTitle(latin(kRateSetupCaption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* hint = new QLabel(latin(kRateSetupHint));
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* rates = new QGroupBox(QStringLiteral("Rate constants"));
    auto* rateGrid = new QGridLayout(rates);
    kfor_ = named(new QCheckBox(QStringLiteral("Kfor")), "kfor");
    krev_ = named(new QCheckBox(QStringLiteral("Krev")), "krev");
    kforLow_ = named(new QCheckBox(QStringLiteral("Kfor,low*")), "kforLow");
    krevLow_ = named(new QCheckBox(QStringLiteral("Krev,low *")), "krevLow");
    rateGrid->addWidget(kfor_, 0, 0);
    rateGrid->addWidget(krev_, 0, 1);
    rateGrid->addWidget(kforLow_, 1, 0);
    rateGrid->addWidget(krevLow_, 1, 1);
    layout->addWidget(rates);

    auto* equilibrium = new QGroupBox(QStringLiteral(" Equilibrium constant"));
    auto* equilibriumRow = new QHBoxLayout(equilibrium);
    equilibrium_ = named(new QCheckBox, "equilibrium");
    kp_ = named(new QRadioButton(QStringLiteral("Kp")), "kp");
    kc_ = named(new QRadioButton(QStringLiteral("Kc")), "kc");
    auto* kGroup = new QButtonGroup(this);
    kGroup->addButton(kp_);
    kGroup->addButton(kc_);
    equilibriumRow->addWidget(equilibrium_);
    equilibriumRow->addWidget(kp_);
    equilibriumRow->addWidget(kc_);
    equilibriumRow->addStretch(1);
    layout->addWidget(equilibrium);

    auto* changes = new QGroupBox(QStringLiteral("Changes of Enthalpy and Entropy"));
    auto* changesBox = new QVBoxLayout(changes);
    deltaH_ = named(new QCheckBox, "deltaH");
    deltaS_ = named(new QCheckBox, "deltaS");
    changesBox->addWidget(deltaH_);
    changesBox->addWidget(deltaS_);
    auto* unitsRow = new QHBoxLayout;
    joule_ = named(new QRadioButton(QStringLiteral("J - mol - K")), "joule");
    calorie_ = named(new QRadioButton(QStringLiteral("cal - mol - K")), "calorie");
    auto* unitsGroup = new QButtonGroup(this);
    unitsGroup->addButton(joule_);
    unitsGroup->addButton(calorie_);
    unitsRow->addWidget(joule_);
    unitsRow->addWidget(calorie_);
    unitsRow->addStretch(1);
    changesBox->addLayout(unitsRow);
    layout->addWidget(changes);

    auto* temperatures = new QGroupBox(QStringLiteral("Temperature, K"));
    auto* grid = new QGridLayout(temperatures);
    min_ = named(new QLineEdit, "min");
    max_ = named(new QLineEdit, "max");
    step_ = named(new QLineEdit, "step");
    const std::pair<const char*, QLineEdit*> boxes[] = {
        {"Min", min_}, {"Max", max_}, {"Step", step_}};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(latin(boxes[i].first));
        label->setBuddy(boxes[i].second);
        grid->addWidget(label, 0, i);
        grid->addWidget(boxes[i].second, 1, i);
    }
    layout->addWidget(temperatures);

    const RateSetupTexts shown = RateSetupTexts::from(settings_);
    min_->setText(QString::fromStdString(shown.min));
    max_->setText(QString::fromStdString(shown.max));
    step_->setText(QString::fromStdString(shown.step));
    kfor_->setChecked(shown.kfor);
    krev_->setChecked(shown.krev);
    kforLow_->setChecked(shown.kforLow);
    krevLow_->setChecked(shown.krevLow);
    equilibrium_->setChecked(shown.equilibrium);
    (shown.kp ? kp_ : kc_)->setChecked(true);
    deltaH_->setChecked(shown.deltaH);
    deltaS_->setChecked(shown.deltaS);
    (shown.joule ? joule_ : calorie_)->setChecked(true);
    showEquilibriumCaption();
    const auto captions = enthalpyEntropyCaptions(shown.joule);
    deltaH_->setText(QString::fromStdString(captions[0]));
    deltaS_->setText(QString::fromStdString(captions[1]));

    connect(equilibrium_, &QCheckBox::clicked, this, [this] { showEquilibriumCaption(); });
    connect(kp_, &QRadioButton::clicked, this, [this] { showEquilibriumCaption(); });
    connect(kc_, &QRadioButton::clicked, this, [this] { showEquilibriumCaption(); });
    connect(joule_, &QRadioButton::clicked, this, [this] { unitsClicked(); });
    connect(calorie_, &QRadioButton::clicked, this, [this] { unitsClicked(); });

    kinetra::ui::addOkCancel(this, layout, [this] { accept(); });
}

void RateSetupDialog::showEquilibriumCaption() {
    const EquilibriumCaption c = equilibriumCaption(equilibrium_->isChecked(), kp_->isChecked());
    equilibrium_->setText(QString::fromStdString(c.caption));
    kp_->setEnabled(c.optionsEnabled);
    kc_->setEnabled(c.optionsEnabled);
}

void RateSetupDialog::unitsClicked() {
    // Stored at once: the choice stays even if the window is then cancelled.
    settings_.joule = joule_->isChecked();
    const auto captions = enthalpyEntropyCaptions(settings_.joule);
    deltaH_->setText(QString::fromStdString(captions[0]));
    deltaS_->setText(QString::fromStdString(captions[1]));
}

RateSetupTexts RateSetupDialog::texts() const {
    RateSetupTexts t;
    t.min = min_->text().toStdString();
    t.max = max_->text().toStdString();
    t.step = step_->text().toStdString();
    t.kfor = kfor_->isChecked();
    t.krev = krev_->isChecked();
    t.kforLow = kforLow_->isChecked();
    t.krevLow = krevLow_->isChecked();
    t.equilibrium = equilibrium_->isChecked();
    t.kp = kp_->isChecked();
    t.deltaH = deltaH_->isChecked();
    t.deltaS = deltaS_->isChecked();
    t.joule = joule_->isChecked();
    return t;
}

void RateSetupDialog::accept() {
    const RateSetupValidation checked = validateRateSetup(texts(), dialogs_);
    if (checked.ok()) {
        settings_ = *checked.settings;
        QDialog::accept();
        return;
    }
    QWidget* focus = nullptr;
    switch (checked.focus) {
    case RateSetupField::Functions:
        focus = kfor_;
        break;
    case RateSetupField::Min:
        focus = min_;
        break;
    case RateSetupField::Max:
        focus = max_;
        break;
    case RateSetupField::Step:
        focus = step_;
        break;
    case RateSetupField::None:
        break;
    }
    kinetra::ui::focusRefusedField(focus);
}

} // namespace kinetra::reactions::ui
