// The text document window: new documents, files opened by the user and the reports other
// windows write (numeric data, error listings, exported text). The text is shown in a
// fixed-pitch font without wrapping, because NASA text and numeric tables are columns. Its Edit
// menu joins the main window's menus; File > Save and Save as... of the main window save it; a
// modified document asks before it closes (Save, No or Cancel; Cancel also stops the exit).
#pragma once

#include "common/Seams.h"
#include "common/ui/DocumentView.h"
#include "textdoc/TextDocument.h"

#include <QPlainTextEdit>

class QMenu;

namespace kinetra::ui {

class TextDocumentWindow final : public QPlainTextEdit, public DocumentView {
    Q_OBJECT
public:
    // A viewer (readOnly) shows a file as it is and never asks to be saved.
    TextDocumentWindow(textdoc::TextDocumentState state, const QString& text, bool readOnly, Ui& ui,
                       QWidget* parent = nullptr);
    ~TextDocumentWindow() override;

    const textdoc::TextDocumentState& state() const { return state_; }

    // DocumentView
    QList<QMenu*> documentMenus() override;
    bool runToolbarOperation(ToolbarOperation operation) override;
    bool queryClose() override;
    bool saveDocument(bool asNew) override;

    // The toolbar operations a text document carries out (the others wait for their feature).
    static bool offers(ToolbarOperation operation);

signals:
    // A save under a new name changed the caption.
    void captionChanged(const QString& caption);

private:
    void buildEditMenu();

    textdoc::TextDocumentState state_;
    Ui& ui_;
    QMenu* edit_ = nullptr;
};

} // namespace kinetra::ui
