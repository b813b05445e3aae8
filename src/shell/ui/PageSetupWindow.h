// The page setup window of a text document: the four margins in inches, the first page number,
// where the number stands, the paper, and a line telling whether the whole document or the
// selection will be printed. OK checks the entries (src/textdoc/PageSetup) and keeps the window
// open with a message when they are refused.
#pragma once

#include "common/Seams.h"
#include "textdoc/PageSetup.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace kinetra::ui {

class PageSetupWindow final : public QDialog {
    Q_OBJECT
public:
    PageSetupWindow(const textdoc::TextPageSettings& settings, bool hasSelection, Dialogs& dialogs,
                    QWidget* parent);

    // The accepted settings (valid after OK).
    const textdoc::TextPageSettings& settings() const { return settings_; }

    QLineEdit* margin(int index) const { return margins_[index]; } // left, right, top, bottom
    QLineEdit* firstPageNumber() const { return firstPage_; }
    QComboBox* paper() const { return paper_; }
    QComboBox* justification() const { return side_; }
    QLabel* note() const { return note_; }

    void accept() override;

private:
    textdoc::TextPageSettings settings_;
    Dialogs& dialogs_;
    QLineEdit* margins_[4] = {};
    QLineEdit* firstPage_;
    QComboBox* paper_;
    QComboBox* side_;
    QLabel* note_;
};

} // namespace kinetra::ui
