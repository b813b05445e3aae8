#include "reactions/ui/MechanismOptionsDialog.h"

#include "common/ui/DialogButtons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kinetra::reactions::ui {

namespace {

namespace d = mechanism_dialog;

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

template <typename Button>
Button* button(std::string_view caption, const char* name, bool checked, QLayout* layout) {
    auto* b = new Button(text(caption));
    b->setObjectName(QString::fromLatin1(name));
    b->setChecked(checked);
    layout->addWidget(b);
    return b;
}

QLabel* example(std::string_view s) {
    auto* label = new QLabel(text(s));
    label->setStyleSheet(QStringLiteral("color: gray"));
    return label;
}

} // namespace

MechanismOptionsDialog::MechanismOptionsDialog(const MechanismOptions& options, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("mechanismOptionsDialog"));
    setWindowTitle(tr("Reaction Mechanism in CHEMKIN Format"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* sections = new QHBoxLayout;
    auto* thermo = new QGroupBox(text(d::kThermoFrame));
    auto* thermoLayout = new QVBoxLayout(thermo);
    thermoSection_ =
        button<QCheckBox>(d::kCreate, "thermoSection", options.thermoSection, thermoLayout);
    thermoComments_ =
        button<QCheckBox>(d::kComments, "thermoComments", options.thermoComments, thermoLayout);
    // Species comments only go where the species go.
    thermoComments_->setEnabled(options.thermoSection);
    connect(thermoSection_, &QCheckBox::toggled, thermoComments_, &QCheckBox::setEnabled);
    sections->addWidget(thermo);
    auto* reactions = new QGroupBox(text(d::kReactionsFrame));
    auto* reactionsLayout = new QVBoxLayout(reactions);
    reference_ = button<QCheckBox>(d::kReference, "reference", options.reference, reactionsLayout);
    comments_ = button<QCheckBox>(d::kComments, "comments", options.comments, reactionsLayout);
    sections->addWidget(reactions);
    layout->addLayout(sections);

    auto* format = new QGroupBox(text(d::kFormatFrame));
    auto* formatGrid = new QGridLayout(format);
    formatGrid->addWidget(new QLabel(text(d::kFullDescription)), 0, 0);
    formatGrid->addWidget(example(d::kFullDescriptionExample), 0, 1);
    auto* bracketsRow = new QVBoxLayout;
    withoutBrackets_ = button<QCheckBox>(d::kWithoutAngleBrackets, "withoutBrackets",
                                         options.withoutAngleBrackets, bracketsRow);
    formatGrid->addLayout(bracketsRow, 1, 0);
    formatGrid->addWidget(example(d::kWithoutAngleBracketsExample), 1, 1);
    auto* blanksRow = new QVBoxLayout;
    withoutBlanks_ =
        button<QCheckBox>(d::kWithoutBlanks, "withoutBlanks", options.withoutBlanks, blanksRow);
    formatGrid->addLayout(blanksRow, 2, 0);
    formatGrid->addWidget(example(d::kWithoutBlanksExample), 2, 1);
    layout->addWidget(format);

    auto* position = new QGroupBox(text(d::kPositionFrame));
    auto* positionLayout = new QVBoxLayout(position);
    afterFormula_ =
        button<QRadioButton>(d::kAfterFormula, "afterFormula",
                             options.position == CoefficientPosition::AfterFormula, positionLayout);
    fixedDistance_ = button<QRadioButton>(d::kFixedDistance, "fixedDistance",
                                          options.position == CoefficientPosition::FixedDistance,
                                          positionLayout);
    layout->addWidget(position);

    auto buttons = kinetra::ui::addOkCancel(this, layout, [this] { accept(); });
    buttons.ok->setText(text(d::kCreateButton));
    buttons.cancel->setText(text(d::kCancelButton));
}

MechanismOptions MechanismOptionsDialog::options() const {
    MechanismOptions o;
    o.thermoSection = thermoSection_->isChecked();
    o.thermoComments = thermoComments_->isChecked();
    o.reference = reference_->isChecked();
    o.comments = comments_->isChecked();
    o.withoutAngleBrackets = withoutBrackets_->isChecked();
    o.withoutBlanks = withoutBlanks_->isChecked();
    o.position = afterFormula_->isChecked() ? CoefficientPosition::AfterFormula
                                            : CoefficientPosition::FixedDistance;
    return o;
}

} // namespace kinetra::reactions::ui
