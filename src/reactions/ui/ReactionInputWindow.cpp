#include "reactions/ui/ReactionInputWindow.h"

#include "common/PlaceError.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/LengthLimitedBox.h"
#include "reactions/ui/ReactionPlaceCodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kinetra::reactions::ui {

namespace {

using Model = ReactionInputModel;
using Box = ReactionInputBox;

constexpr const char* kMessageTitle = "KINETRA";

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString latin(const char* s) {
    return QString::fromUtf8(s);
}

// A, n and E in one row under their captions.
void addArrhenius(QGridLayout* grid, int row, QLineEdit* a, QLineEdit* n, QLineEdit* e,
                  QLabel* aUnits, const char* eUnits) {
    grid->addWidget(new QLabel(QStringLiteral("A")), row, 0);
    grid->addWidget(a, row, 1);
    if (aUnits)
        grid->addWidget(aUnits, row, 2);
    grid->addWidget(new QLabel(QStringLiteral("n")), row, 3);
    grid->addWidget(n, row, 4);
    grid->addWidget(new QLabel(QStringLiteral("E")), row, 5);
    grid->addWidget(e, row, 6);
    if (eUnits)
        grid->addWidget(new QLabel(latin(eUnits)), row, 7);
}

// The valid species of the thermo database; a name dragged out of it is plain text, which every
// box takes where it is dropped.
class SpeciesList final : public QTableWidget {
public:
    SpeciesList() : QTableWidget(0, 2) {
        setDragEnabled(true);
        setDragDropMode(QAbstractItemView::DragOnly);
    }

protected:
    QMimeData* mimeData(const QList<QTableWidgetItem*>& items) const override {
        auto* data = new QMimeData;
        for (QTableWidgetItem* item : items)
            if (item->column() == 1) {
                data->setText(item->text());
                break;
            }
        return data;
    }
};

} // namespace

ReactionInputWindow::ReactionInputWindow(ReactionTable& table, ReactionDatabase& database,
                                         const ThermoSpeciesList& species, Dialogs& dialogs,
                                         SpeciesSource thermoSpecies, QWidget* parent)
    : QDialog(parent), table_(table), database_(database), species_(species), dialogs_(dialogs),
      thermoSpecies_(std::move(thermoSpecies)) {
    setObjectName(QStringLiteral("reactionInputWindow"));
    setWindowTitle(QStringLiteral("Reaction Input Window"));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* header = new QHBoxLayout;
    number_ = new QLabel;
    number_->setObjectName(QStringLiteral("number"));
    state_ = new QLabel;
    state_->setObjectName(QStringLiteral("state"));
    state_->setStyleSheet(QStringLiteral("color: red"));
    speciesButton_ = new QPushButton;
    speciesButton_->setObjectName(QStringLiteral("speciesButton"));
    speciesButton_->setAutoDefault(false);
    connect(speciesButton_, &QPushButton::clicked, this, &ReactionInputWindow::toggleSpecies);
    header->addWidget(number_);
    header->addSpacing(16);
    header->addWidget(state_);
    header->addStretch(1);
    header->addWidget(speciesButton_);
    layout->addLayout(header);

    auto* body = new QHBoxLayout;
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    // Added in ReactionInputTab order, so a fault's tab is its index.
    tabs_->addTab(newGeneralPage(), latin(Model::kTabCaptions[0]));
    tabs_->addTab(newThirdBodiesPage(), latin(Model::kTabCaptions[1]));
    tabs_->addTab(newPressurePage(), latin(Model::kTabCaptions[2]));
    tabs_->addTab(newReferencePage(), latin(Model::kTabCaptions[3]));
    tabs_->addTab(newTipsPage(), latin(Model::kTabCaptions[4]));
    body->addWidget(tabs_, 1);
    speciesList_ = new SpeciesList;
    speciesList_->setObjectName(QStringLiteral("speciesList"));
    speciesList_->setHorizontalHeaderLabels(
        {latin(Model::kSpeciesColumns[0]), latin(Model::kSpeciesColumns[1])});
    speciesList_->verticalHeader()->hide();
    speciesList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    speciesList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    speciesList_->setToolTip(tr("Drag a species into a box, or double click it to put it into the "
                                "last species box used."));
    speciesList_->hide();
    connect(speciesList_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { insertSpecies(row); });
    body->addWidget(speciesList_);
    layout->addLayout(body, 1);

    ok_ = kinetra::ui::addOkCancel(this, layout, [this] { ok(); }).ok;
    ok_->setEnabled(false); // until a row is loaded: there is nothing to write to
    showModel();
}

QLineEdit* ReactionInputWindow::newBox(Box which, int index, std::string& field) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("box%1_%2").arg(int(which)).arg(index));
    boxes_[{which, index}] = edit;
    connect(edit, &QLineEdit::textChanged, this, [this, &field](const QString& typed) {
        if (showing_)
            return;
        field = typed.toStdString();
        showUnits();
    });
    return edit;
}

QLineEdit* ReactionInputWindow::newLimitedBox(Box which, std::string& field) {
    QLineEdit* edit = kinetra::ui::newLengthLimitedBox(
        QStringLiteral("box%1_-1").arg(int(which)), field,
        {Model::kMaxTextLength,
         [this] { dialogs_.message(Model::kMaxLengthMessage, kMessageTitle, Icon::Exclamation); },
         &showing_});
    boxes_[{which, -1}] = edit;
    return edit;
}

QCheckBox* ReactionInputWindow::newTick(const char* caption, const char* name, bool& field) {
    auto* tick = new QCheckBox(latin(caption));
    tick->setObjectName(latin(name));
    ticks_.emplace_back(tick, &field);
    connect(tick, &QCheckBox::toggled, this, [this, &field](bool on) {
        if (!showing_)
            field = on;
    });
    return tick;
}

QWidget* ReactionInputWindow::newGeneralPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    // The equation: three reactants, "=", six products.
    auto* equation = new QGridLayout;
    for (int slot = 0; slot < int(rx::kSlotCount); ++slot) {
        QLineEdit* edit = newBox(Box::Species, slot, model_.species[std::size_t(slot)]);
        edit->setMinimumWidth(70);
        connect(edit, &QLineEdit::cursorPositionChanged, this,
                [this, edit] { lastSpeciesBox_ = edit; });
        const bool reactant = slot < int(rx::kReactantSlots);
        const int row = reactant ? 0 : 1 + (slot - 3) / 3;
        const int column = reactant ? slot : (slot - 3) % 3;
        equation->addWidget(edit, row, 2 * column + 1);
        if (column > 0)
            equation->addWidget(new QLabel(QStringLiteral("+")), row, 2 * column);
    }
    equation->addWidget(new QLabel(QStringLiteral("=")), 1, 0);
    layout->addLayout(equation);

    auto* forward = new QGroupBox(latin(Model::kForwardTitle));
    auto* forwardGrid = new QGridLayout(forward);
    forwardUnits_ = new QLabel;
    forwardUnits_->setObjectName(QStringLiteral("forwardUnits"));
    addArrhenius(forwardGrid, 0, newBox(Box::ForwardA, -1, model_.a),
                 newBox(Box::ForwardN, -1, model_.n), newBox(Box::ForwardE, -1, model_.e),
                 forwardUnits_, Model::kEUnits);
    forwardGrid->addWidget(newTick(Model::kReverseBox, "reverse", model_.reverse), 1, 0, 1, 3);
    addArrhenius(forwardGrid, 2, newBox(Box::ReverseA, -1, model_.reverseA),
                 newBox(Box::ReverseN, -1, model_.reverseN),
                 newBox(Box::ReverseE, -1, model_.reverseE), nullptr, Model::kEUnits);
    layout->addWidget(forward);

    auto* flags = new QHBoxLayout;
    flags->addWidget(newTick(Model::kIrreversibleBox, "irreversible", model_.irreversible));
    flags->addWidget(newTick(Model::kEnabledBox, "enabled", model_.enabled));
    flags->addStretch(1);
    layout->addLayout(flags);
    layout->addStretch(1);
    return page;
}

QWidget* ReactionInputWindow::newThirdBodiesPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* frame = new QGroupBox(latin(Model::kThirdBodyFrame));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(latin(Model::kThirdBodyTitle)), 0, 0, 1, 4);
    for (int column : {0, 2}) {
        grid->addWidget(new QLabel(tr("Name")), 1, column);
        grid->addWidget(new QLabel(tr("Efficiency")), 1, column + 1);
    }
    for (int i = 0; i < int(rx::kThirdBodyCount); ++i) {
        const int row = 2 + i % 5, column = 2 * (i / 5);
        grid->addWidget(newBox(Box::ThirdBodyName, i, model_.thirdBodies[std::size_t(i)]), row,
                        column);
        grid->addWidget(newBox(Box::ThirdBodyValue, i, model_.efficiencies[std::size_t(i)]), row,
                        column + 1);
    }
    layout->addWidget(frame);
    layout->addStretch(1);
    return page;
}

QWidget* ReactionInputWindow::newPressurePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* frame = new QGroupBox(latin(Model::kPressureFrame));
    auto* frameLayout = new QVBoxLayout(frame);
    auto* low = new QGroupBox(latin(Model::kLowFrame));
    auto* lowGrid = new QGridLayout(low);
    lowGrid->addWidget(new QLabel(latin(Model::kLowTitle)), 0, 0, 1, 8);
    lowUnits_ = new QLabel;
    lowUnits_->setObjectName(QStringLiteral("lowUnits"));
    addArrhenius(lowGrid, 1, newBox(Box::LowA, -1, model_.lowA), newBox(Box::LowN, -1, model_.lowN),
                 newBox(Box::LowE, -1, model_.lowE), lowUnits_, Model::kEUnits);
    frameLayout->addWidget(low);

    auto* falloff = new QGridLayout;
    fFunction_ = new QComboBox;
    fFunction_->setObjectName(QStringLiteral("fFunction"));
    // The first, empty entry: Lindemann form, no F-function.
    fFunction_->addItems(
        {QString(), latin(Model::kFFunctionItems[0]), latin(Model::kFFunctionItems[1])});
    connect(fFunction_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!showing_)
            model_.fFunction = index - 1;
    });
    falloff->addWidget(new QLabel(latin(Model::kFFunctionCaption)), 0, 0);
    falloff->addWidget(fFunction_, 0, 1);
    for (int i = 0; i < 5; ++i) {
        falloff->addWidget(new QLabel(QString(QChar('a' + i))), 1, 2 * i);
        falloff->addWidget(newBox(Box::Falloff, i, model_.falloff[std::size_t(i)]), 1, 2 * i + 1);
    }
    frameLayout->addLayout(falloff);
    layout->addWidget(frame);
    layout->addStretch(1);
    return page;
}

QWidget* ReactionInputWindow::newReferencePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(latin(Model::kReferenceCaption)), 0, 0);
    grid->addWidget(newLimitedBox(Box::Reference, model_.reference), 0, 1);
    grid->addWidget(new QLabel(latin(Model::kCommentCaption)), 1, 0);
    grid->addWidget(newLimitedBox(Box::Comment, model_.comment), 1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* ReactionInputWindow::newTipsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* tips = new QLabel(text(Model::kTips));
    tips->setWordWrap(true);
    layout->addWidget(tips);
    layout->addStretch(1);
    return page;
}

QLineEdit* ReactionInputWindow::box(Box which, int index) const {
    auto it = boxes_.find({which, index});
    return it == boxes_.end() ? nullptr : it->second;
}

void ReactionInputWindow::loadRow(std::size_t row) {
    if (row >= table_.rowCount())
        return;
    shownKey_ = table_.rows().keys[row];
    model_.load(reactionFromRow(table_.rows().rows[row]), shownKey_);
    loaded_ = true;
    ok_->setEnabled(true);
    showModel();
}

void ReactionInputWindow::showModel() {
    showing_ = true;
    auto set = [this](Box which, int index, const std::string& value) {
        if (QLineEdit* edit = box(which, index))
            edit->setText(text(value));
    };
    for (std::size_t s = 0; s < rx::kSlotCount; ++s)
        set(Box::Species, int(s), model_.species[s]);
    set(Box::ForwardA, -1, model_.a);
    set(Box::ForwardN, -1, model_.n);
    set(Box::ForwardE, -1, model_.e);
    set(Box::ReverseA, -1, model_.reverseA);
    set(Box::ReverseN, -1, model_.reverseN);
    set(Box::ReverseE, -1, model_.reverseE);
    set(Box::LowA, -1, model_.lowA);
    set(Box::LowN, -1, model_.lowN);
    set(Box::LowE, -1, model_.lowE);
    for (std::size_t i = 0; i < 5; ++i)
        set(Box::Falloff, int(i), model_.falloff[i]);
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i) {
        set(Box::ThirdBodyName, int(i), model_.thirdBodies[i]);
        set(Box::ThirdBodyValue, int(i), model_.efficiencies[i]);
    }
    set(Box::Reference, -1, model_.reference);
    set(Box::Comment, -1, model_.comment);
    for (auto& [tick, field] : ticks_)
        tick->setChecked(*field);
    fFunction_->setCurrentIndex(model_.fFunction + 1);
    number_->setText(loaded_ ? text(model_.numberText()) : QString());
    state_->setText(text(model_.stateText()));
    speciesButton_->setText(latin(model_.speciesButton()));
    showing_ = false;
    showUnits();
}

void ReactionInputWindow::showUnits() {
    forwardUnits_->setText(text(model_.forwardAUnits()));
    lowUnits_->setText(text(model_.lowAUnits()));
}

void ReactionInputWindow::toggleSpecies() {
    model_.speciesShown = !model_.speciesShown;
    if (model_.speciesShown && speciesList_->rowCount() == 0 && thermoSpecies_) {
        std::vector<std::pair<std::int64_t, std::string>> list;
        guarded(dialogs_, place::kInputWindow, [&] { list = thermoSpecies_(); });
        speciesList_->setRowCount(int(list.size()));
        for (int r = 0; r < int(list.size()); ++r) {
            speciesList_->setItem(r, 0, new QTableWidgetItem(QString::number(list[r].first)));
            speciesList_->setItem(r, 1, new QTableWidgetItem(text(list[r].second)));
        }
        speciesList_->resizeColumnsToContents();
    }
    speciesList_->setVisible(model_.speciesShown);
    speciesButton_->setText(latin(model_.speciesButton()));
}

void ReactionInputWindow::insertSpecies(int row) {
    QTableWidgetItem* name = speciesList_->item(row, 1);
    if (!name)
        return;
    QLineEdit* target = lastSpeciesBox_ ? lastSpeciesBox_ : box(Box::Species, 0);
    target->setText(name->text());
    target->setFocus(Qt::OtherFocusReason);
}

void ReactionInputWindow::showFocus(const ReactionInputFocus& focus) {
    tabs_->setCurrentIndex(static_cast<int>(focus.tab));
    QLineEdit* edit = box(focus.box, focus.index);
    if (!edit && focus.box != Box::None)
        edit = box(focus.box, -1);
    if (edit) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void ReactionInputWindow::ok() {
    if (!loaded_)
        return;
    ReactionInputResult result;
    if (!guarded(dialogs_, place::kInputWindow,
                 [&] { result = model_.ok(database_, species_, dialogs_); }))
        return;
    if (!result.saved) {
        showFocus(result.focus);
        return;
    }
    if (guarded(dialogs_, place::kInputWindowRedraw, [this] { table_.refresh(); }))
        emit saved();
}

} // namespace kinetra::reactions::ui
