// The species input window: the current row of the grid as boxes on five tabs. Every text,
// the live formula and weight and the checks of OK come from SpeciesInputModel; this class only
// moves text between the boxes and the model.
#pragma once

#include "thermo/SpeciesInputModel.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoTable.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace kinetra::thermo::ui {

class SpeciesInputWindow final : public QDialog {
    Q_OBJECT
public:
    // Place code of unexpected errors while re-reading the grid after a save.
    static constexpr const char* kPlaceCode = "TDB#091. ";

    SpeciesInputWindow(ThermoTable& table, ThermoDatabase& database, Dialogs& dialogs,
                       QWidget* parent = nullptr);

    // Shows a row of the table's current view; a row outside the view is ignored.
    void loadRow(std::size_t row);

    const SpeciesInputModel& model() const { return model_; }
    QTabWidget* tabs() const { return tabs_; }

signals:
    // OK wrote the row and the table re-read its rows.
    void saved();

private:
    QWidget* newGeneralPage();
    QWidget* newElementsPage();
    QWidget* newPolynomialsPage();
    QWidget* newReferencePage();
    QWidget* newTipsPage();
    QLineEdit* newBox(const QString& objectName, std::string& field);
    QLineEdit* newLimitedBox(const QString& objectName, std::string& field);

    void showModel();
    void showCoefficients();
    void showLiveValues();
    void takeBoxes();
    void chooseInterval(PolynomialInterval interval);
    void ok();

    ThermoTable& table_;
    ThermoDatabase& database_;
    Dialogs& dialogs_;
    SpeciesInputModel model_;
    bool loaded_ = false;
    // Set while boxes are filled from the model, so the fill is not taken as typing.
    bool showing_ = false;

    QTabWidget* tabs_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QLineEdit* charge_ = nullptr;
    QLineEdit* phase_ = nullptr;
    QLineEdit* weight_ = nullptr;
    QLineEdit* tmin_ = nullptr;
    QLineEdit* tmax_ = nullptr;
    QLineEdit* tcom_ = nullptr;
    std::array<QLabel*, kSlotCount> elementLabels_{};
    std::array<QLineEdit*, kSlotCount> elementBoxes_{};
    QRadioButton* lowerInterval_ = nullptr;
    QRadioButton* upperInterval_ = nullptr;
    std::array<QLineEdit*, 7> coefficients_{};
    QLineEdit* reference_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace kinetra::thermo::ui
