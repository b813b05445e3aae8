// The find and replace window of a text document: "Find What:", "Replace With:", the options
// "Find Whole Word Only" and "Match Case", and the buttons Find Next, Replace, Replace All and
// Cancel. It belongs to one document and closes with it; for a solver file replacing is disabled.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kinetra::ui {

class TextDocumentWindow;

class FindWindow final : public QDialog {
    Q_OBJECT
public:
    FindWindow(TextDocumentWindow& document, QWidget* parent);

    QLineEdit* findWhat() const { return findWhat_; }
    QLineEdit* replaceWith() const { return replaceWith_; }
    QCheckBox* wholeWord() const { return wholeWord_; }
    QCheckBox* matchCase() const { return matchCase_; }
    QPushButton* findNextButton() const { return findNext_; }
    QPushButton* replaceButton() const { return replace_; }
    QPushButton* replaceAllButton() const { return replaceAll_; }

    // Replacing is offered unless the document is a solver file.
    void allowReplacing(bool on);

private:
    int flags() const;

    TextDocumentWindow& document_;
    QLineEdit* findWhat_;
    QLineEdit* replaceWith_;
    QLabel* replaceLabel_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QPushButton* findNext_;
    QPushButton* replace_;
    QPushButton* replaceAll_;
};

} // namespace kinetra::ui
