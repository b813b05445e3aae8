// Paste Special of the reaction window: the reading options (units of A and E, letter case, the
// stoichiometric tick), then the paste with them. The choices live in ReadingOptionsDialogModel;
// the lists start from their first entries each time, the tick shows the flag of the run.
#pragma once

#include "reactions/ReactionTable.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QWidget;

namespace kinetra::reactions::ui {

class ReadingOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    ReadingOptionsDialog(ReactionTable& table, ReactionRunSettings& settings, Dialogs& dialogs,
                         QWidget* parent = nullptr);

    const ReadResult& result() const { return result_; }

private:
    void toggleOptions();
    void ok();

    ReactionTable& table_;
    ReactionRunSettings& settings_;
    Dialogs& dialogs_;
    ReadingOptionsDialogModel model_;
    ReadResult result_;
    QWidget* options_ = nullptr;
    QPushButton* more_ = nullptr;
    QComboBox* aUnits_ = nullptr;
    QComboBox* eUnits_ = nullptr;
    QComboBox* letterCase_ = nullptr;
    QCheckBox* stoichiometric_ = nullptr;
};

} // namespace kinetra::reactions::ui
