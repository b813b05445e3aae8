// The reaction input window: the current row of the reaction grid as boxes on five tabs. The
// texts, the unit of A by reaction order, the checks of OK and the write all come from
// ReactionInputModel; this class moves text between the boxes and the model and brings a
// refused box to the front.
#pragma once

#include "reactions/ReactionInputModel.h"
#include "reactions/ReactionTable.h"

#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace kinetra::reactions::ui {

class ReactionInputWindow final : public QDialog {
    Q_OBJECT
public:
    using SpeciesSource = std::function<std::vector<std::pair<std::int64_t, std::string>>()>;

    ReactionInputWindow(ReactionTable& table, ReactionDatabase& database,
                        const ThermoSpeciesList& species, Dialogs& dialogs,
                        SpeciesSource thermoSpecies, QWidget* parent = nullptr);

    // Shows a row of the table's current view (unsaved typing is dropped).
    void loadRow(std::size_t row);
    // The store key of the record shown, 0 before the first row.
    std::int64_t shownKey() const { return shownKey_; }
    // Brings the page and box of a fault or of a double-clicked column to the front.
    void showFocus(const ReactionInputFocus& focus);

    const ReactionInputModel& model() const { return model_; }
    QTabWidget* tabs() const { return tabs_; }
    // The box of a model field, for tests and focus.
    QLineEdit* box(ReactionInputBox which, int index = -1) const;

signals:
    // OK wrote the row and the table re-read its rows.
    void saved();

private:
    QWidget* newGeneralPage();
    QWidget* newThirdBodiesPage();
    QWidget* newPressurePage();
    QWidget* newReferencePage();
    QWidget* newTipsPage();
    QLineEdit* newBox(ReactionInputBox which, int index, std::string& field);
    QLineEdit* newLimitedBox(ReactionInputBox which, std::string& field);
    QCheckBox* newTick(const char* caption, const char* name, bool& field);
    void showModel();
    void showUnits();
    void toggleSpecies();
    void insertSpecies(int row);
    void ok();

    ReactionTable& table_;
    ReactionDatabase& database_;
    const ThermoSpeciesList& species_;
    Dialogs& dialogs_;
    SpeciesSource thermoSpecies_;
    ReactionInputModel model_;
    bool loaded_ = false;
    std::int64_t shownKey_ = 0;
    bool showing_ = false;

    QTabWidget* tabs_ = nullptr;
    std::map<std::pair<ReactionInputBox, int>, QLineEdit*> boxes_;
    std::vector<std::pair<QCheckBox*, bool*>> ticks_;
    QLabel* number_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* forwardUnits_ = nullptr;
    QLabel* lowUnits_ = nullptr;
    QComboBox* fFunction_ = nullptr;
    QPushButton* speciesButton_ = nullptr;
    QTableWidget* speciesList_ = nullptr;
    QLineEdit* lastSpeciesBox_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace kinetra::reactions::ui
