#include "thermo/ui/SpeciesInputWindow.h"

#include "common/PlaceError.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/LengthLimitedBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kinetra::thermo::ui {

namespace {

using Model = SpeciesInputModel;

constexpr const char* kMessageTitle = "KINETRA";

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QLabel* caption(const QString& s, QWidget* buddy) {
    auto* label = new QLabel(s);
    label->setBuddy(buddy);
    return label;
}

} // namespace

SpeciesInputWindow::SpeciesInputWindow(ThermoTable& table, ThermoDatabase& database,
                                       Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), database_(database), dialogs_(dialogs) {
    setObjectName(QStringLiteral("speciesInputWindow"));
    setWindowTitle(QString::fromLatin1(Model::kTitle));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    // Added in InputTab order, so a fault's tab is its index.
    tabs_->addTab(newGeneralPage(), QString::fromLatin1(Model::kTabCaptions[0]));
    tabs_->addTab(newElementsPage(), QString::fromLatin1(Model::kTabCaptions[1]));
    tabs_->addTab(newPolynomialsPage(), QString::fromLatin1(Model::kTabCaptions[2]));
    tabs_->addTab(newReferencePage(), QString::fromLatin1(Model::kTabCaptions[3]));
    tabs_->addTab(newTipsPage(), QString::fromLatin1(Model::kTabCaptions[4]));
    layout->addWidget(tabs_, 1);

    ok_ = kinetra::ui::addOkCancel(this, layout, [this] { ok(); }).ok;
    ok_->setEnabled(false); // until a row is loaded: there is nothing to write to

    showModel();
    resize(sizeHint().expandedTo(QSize(520, 360)));
}

QLineEdit* SpeciesInputWindow::newBox(const QString& objectName, std::string& field) {
    auto* box = new QLineEdit;
    box->setObjectName(objectName);
    connect(box, &QLineEdit::textChanged, this, [this, &field](const QString& typed) {
        if (showing_)
            return;
        field = typed.toStdString();
        showLiveValues();
    });
    return box;
}

// Reference and Comment refuse an edit that would pass the length limit and keep the text they
// had. Checking the edit rather than capping the box lets the user shorten an overlong text.
QLineEdit* SpeciesInputWindow::newLimitedBox(const QString& objectName, std::string& field) {
    return kinetra::ui::newLengthLimitedBox(
        objectName, field,
        {Model::kMaxTextLength,
         [this] { dialogs_.message(Model::kMaxLengthMessage, kMessageTitle, Icon::Exclamation); },
         &showing_});
}

QWidget* SpeciesInputWindow::newGeneralPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    name_ = newBox(QStringLiteral("name"), model_.name);
    formula_ = new QLineEdit;
    formula_->setObjectName(QStringLiteral("formula"));
    formula_->setReadOnly(true);
    charge_ = newBox(QStringLiteral("charge"), model_.charge);
    phase_ = newBox(QStringLiteral("phase"), model_.phase);
    weight_ = new QLineEdit;
    weight_->setObjectName(QStringLiteral("weight"));
    weight_->setReadOnly(true);
    tmin_ = newBox(QStringLiteral("tmin"), model_.tmin);
    tmax_ = newBox(QStringLiteral("tmax"), model_.tmax);
    tcom_ = newBox(QStringLiteral("tcom"), model_.tcom);
    const std::array<QLineEdit*, 8> boxes{name_,   formula_, charge_, phase_,
                                          weight_, tmin_,    tmax_,   tcom_};
    for (int i = 0; i < 8; ++i) {
        grid->addWidget(caption(QString::fromLatin1(Model::kGeneralCaptions[std::size_t(i)]),
                                boxes[std::size_t(i)]),
                        i, 0);
        grid->addWidget(boxes[std::size_t(i)], i, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(8, 1);
    return page;
}

QWidget* SpeciesInputWindow::newElementsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* frame = new QGroupBox(QString::fromLatin1(Model::kElementsFrame));
    auto* grid = new QGridLayout(frame);
    // Every slot has its box; those of free slots stay hidden until a database uses them.
    for (int slot = 1; slot < kSlotCount; ++slot) {
        elementBoxes_[slot] =
            newBox(QStringLiteral("element%1").arg(slot), model_.elementContent[slot]);
        elementLabels_[slot] = new QLabel;
        elementLabels_[slot]->setBuddy(elementBoxes_[slot]);
        grid->addWidget(elementLabels_[slot], slot - 1, 0);
        grid->addWidget(elementBoxes_[slot], slot - 1, 1);
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(frame);
    layout->addStretch(1);
    return page;
}

QWidget* SpeciesInputWindow::newPolynomialsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* intervals = new QHBoxLayout;
    lowerInterval_ = new QRadioButton;
    lowerInterval_->setObjectName(QStringLiteral("lowerInterval"));
    upperInterval_ = new QRadioButton;
    upperInterval_->setObjectName(QStringLiteral("upperInterval"));
    connect(lowerInterval_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseInterval(PolynomialInterval::Lower);
    });
    connect(upperInterval_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseInterval(PolynomialInterval::Upper);
    });
    intervals->addWidget(lowerInterval_);
    intervals->addWidget(upperInterval_);
    intervals->addStretch(1);
    layout->addLayout(intervals);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("coefficient%1").arg(i + 1));
        // The box edits the coefficient of whichever interval is shown at the time.
        connect(box, &QLineEdit::textChanged, this, [this, i](const QString& typed) {
            if (!showing_)
                model_.coefficientBox(model_.shownInterval, i) = typed.toStdString();
        });
        coefficients_[std::size_t(i)] = box;
        grid->addWidget(caption(QStringLiteral("a%1").arg(i + 1), box), i, 0);
        grid->addWidget(box, i, 1);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

QWidget* SpeciesInputWindow::newReferencePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    reference_ = newLimitedBox(QStringLiteral("reference"), model_.reference);
    comment_ = newLimitedBox(QStringLiteral("comment"), model_.comment);
    grid->addWidget(caption(QString::fromLatin1(Model::kReferenceCaption), reference_), 0, 0);
    grid->addWidget(reference_, 0, 1);
    grid->addWidget(caption(QString::fromLatin1(Model::kCommentCaption), comment_), 1, 0);
    grid->addWidget(comment_, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* SpeciesInputWindow::newTipsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* tips = new QLabel(text(Model::kTips));
    tips->setObjectName(QStringLiteral("tips"));
    tips->setWordWrap(true);
    layout->addWidget(tips);
    layout->addStretch(1);
    return page;
}

void SpeciesInputWindow::loadRow(std::size_t row) {
    const store::RowSet& rows = table_.rows();
    if (row >= rows.rows.size() || row >= rows.keys.size())
        return;
    model_.load(rows.rows[row].values(), rows.keys[row], database_.elements());
    loaded_ = true;
    ok_->setEnabled(true);
    showModel();
}

void SpeciesInputWindow::showModel() {
    showing_ = true;
    name_->setText(text(model_.name));
    charge_->setText(text(model_.charge));
    phase_->setText(text(model_.phase));
    tmin_->setText(text(model_.tmin));
    tmax_->setText(text(model_.tmax));
    tcom_->setText(text(model_.tcom));
    const std::vector<int> used = model_.elementSlots();
    for (int slot = 1; slot < kSlotCount; ++slot) {
        const bool inUse = std::find(used.begin(), used.end(), slot) != used.end();
        elementLabels_[slot]->setText(inUse ? text(model_.elementCaption(slot)) : QString());
        elementBoxes_[slot]->setText(text(model_.elementContent[slot]));
        elementLabels_[slot]->setVisible(inUse);
        elementBoxes_[slot]->setVisible(inUse);
    }
    reference_->setText(text(model_.reference));
    comment_->setText(text(model_.comment));
    (model_.shownInterval == PolynomialInterval::Lower ? lowerInterval_ : upperInterval_)
        ->setChecked(true);
    showing_ = false;
    showCoefficients();
    showLiveValues();
}

void SpeciesInputWindow::showCoefficients() {
    showing_ = true;
    for (int i = 0; i < 7; ++i)
        coefficients_[std::size_t(i)]->setText(
            text(model_.coefficientBox(model_.shownInterval, i)));
    showing_ = false;
}

void SpeciesInputWindow::showLiveValues() {
    formula_->setText(text(model_.formulaText()));
    weight_->setText(text(model_.weightText()));
    lowerInterval_->setText(text(model_.intervalCaption(PolynomialInterval::Lower)));
    upperInterval_->setText(text(model_.intervalCaption(PolynomialInterval::Upper)));
}

void SpeciesInputWindow::chooseInterval(PolynomialInterval interval) {
    if (showing_ || model_.shownInterval == interval)
        return;
    model_.shownInterval = interval;
    showCoefficients();
}

void SpeciesInputWindow::takeBoxes() {
    model_.name = name_->text().toStdString();
    model_.charge = charge_->text().toStdString();
    model_.phase = phase_->text().toStdString();
    model_.tmin = tmin_->text().toStdString();
    model_.tmax = tmax_->text().toStdString();
    model_.tcom = tcom_->text().toStdString();
    for (int slot = 1; slot < kSlotCount; ++slot)
        model_.elementContent[slot] = elementBoxes_[slot]->text().toStdString();
    for (int i = 0; i < 7; ++i)
        model_.coefficientBox(model_.shownInterval, i) =
            coefficients_[std::size_t(i)]->text().toStdString();
    // Reference and Comment hold what their length check let through.
}

void SpeciesInputWindow::ok() {
    if (!loaded_)
        return;
    takeBoxes();
    const InputOkResult result = model_.ok(database_, dialogs_);
    if (!result.saved) {
        tabs_->setCurrentIndex(static_cast<int>(result.faultTab));
        return;
    }
    if (guarded(dialogs_, kPlaceCode, [this] { table_.refresh(); }))
        emit saved();
}

} // namespace kinetra::thermo::ui
