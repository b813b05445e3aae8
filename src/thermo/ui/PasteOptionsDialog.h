// Paste Special: the letter case, the name rule and the default common temperature of a
// paste. OK hands the choices to ThermoTable::pasteSpecial, which checks them and pastes.
#pragma once

#include "thermo/ThermoTable.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kinetra::thermo::ui {

class PasteOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlaceCode = "TDB#097. ";

    PasteOptionsDialog(ThermoTable& table, ThermoRunSettings& settings, Dialogs& dialogs,
                       QWidget* parent = nullptr);

    QLineEdit* tcomBox() const { return tcom_; }

public slots:
    void accept() override;

signals:
    // The paste ran (it may still have inserted nothing, e.g. when the user cancelled it).
    void pasted(const kinetra::thermo::PasteResult& result);

private:
    void takeWidgets();

    ThermoTable& table_;
    Dialogs& dialogs_;
    PasteSpecialModel model_;
    QRadioButton* caseNo_ = nullptr;
    QRadioButton* caseUpper_ = nullptr;
    QRadioButton* caseLower_ = nullptr;
    QRadioButton* nameFirst16_ = nullptr;
    QRadioButton* nameFirstBlank_ = nullptr;
    QCheckBox* insetTcom_ = nullptr;
    QLineEdit* tcom_ = nullptr;
};

} // namespace kinetra::thermo::ui
