// The text document window: new documents, files opened by the user and every report the other
// windows write (numeric data, error listings, exported text, solver files). The rules live in
// src/textdoc; this window draws the text and forwards the user's commands. A solver file is
// shown for reading only: its editing commands are disabled. Undo and redo use the snapshot undo
// manager (a step per pause in typing), not the editor's own keystroke undo.
#pragma once

#include "common/Seams.h"
#include "common/ui/DocumentView.h"
#include "textdoc/PageSetup.h"
#include "textdoc/TextDocument.h"
#include "textdoc/TextSearch.h"
#include "textdoc/UndoManager.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <memory>

class QMenu;
class QAction;

namespace kinetra::ui {

class FindWindow;

// The three sizes of the font menu, in points.
enum class TextFontSize { Large = 12, Medium = 10, Small = 8 };

class TextDocumentWindow final : public QPlainTextEdit, public DocumentView {
    Q_OBJECT
public:
    TextDocumentWindow(textdoc::TextDocumentState state, const QString& text, Ui& ui,
                       textdoc::TextDocumentFolders folders, QWidget* parent = nullptr);
    ~TextDocumentWindow() override;

    // Loads a file as the window's text: a ".rtf" file without its markup, any other as plain
    // text. A path beginning with "$" names a document without a file. Nothing when the file
    // cannot be read.
    static TextDocumentWindow* open(const std::string& path, Ui& ui,
                                    const textdoc::TextDocumentFolders& folders);

    const textdoc::TextDocumentState& state() const { return state_; }
    // A report's own title ("Numeric Data"), used by the save question of a document without
    // a file.
    void setCaption(const std::string& caption) { state_.caption = caption; }
    // "So: path", "Te: path" or "Text Document", for the main window's status line.
    QString statusText() const;

    // DocumentView
    QList<QMenu*> documentMenus() override;
    bool runToolbarOperation(ToolbarOperation operation) override;
    bool queryClose() override;
    bool saveDocument(bool asNew) override;

    static bool offers(ToolbarOperation operation);

    // The find window's operations. Find Next selects the next match or tells "End of search.";
    // Replace replaces the match Find Next selected (or finds one first and replaces it);
    // Replace All reports the number of replacements.
    bool findNext(const QString& sought, textdoc::SearchOptions options);
    bool replaceNext(const QString& sought, const QString& replacement,
                     textdoc::SearchOptions options);
    std::size_t replaceAll(const QString& sought, const QString& replacement,
                           textdoc::SearchOptions options);
    FindWindow* showFindWindow();
    FindWindow* findWindow() const;

    void undoSnapshot();
    void redoSnapshot();
    bool canUndo() const { return undo_->canUndo(); }
    bool canRedo() const { return undo_->canRedo(); }
    // Takes the snapshot now, as the pause timer would (tests and the pause timer).
    void takeSnapshotNow();
    void setUndoDelay(int milliseconds) { pauseTimer_.setInterval(milliseconds); }

    void insertDateTime();
    void setFontSize(TextFontSize size);
    void setWordWrap(bool on);

    // The page settings hold for every text window of the program: the main window hands each
    // the same ones. A window on its own keeps its own.
    const textdoc::TextPageSettings& pageSettings() const { return *page_; }
    void setPageSettings(const textdoc::TextPageSettings& settings) { *page_ = settings; }
    void sharePageSettings(std::shared_ptr<textdoc::TextPageSettings> settings) {
        page_ = std::move(settings);
    }
    // Prints the document (or the selection when there is one) into a PDF file; false when the
    // file could not be written.
    bool printToPdf(const QString& pdfPath);
    void showPrintPreview();
    // The page setup window; true when its settings were accepted.
    bool showPageSetup();

signals:
    // A save under a new name changed the caption.
    void captionChanged(const QString& caption);
    void statusTextChanged(const QString& text);
    // Undo or Redo became possible or impossible: the toolbar buttons follow.
    void undoStateChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class QtPauseTimer;

    void buildMenus();
    void enableEditing(bool on); // SolMenu
    void updateUndoCommands();
    QAction* action(const char* name) const;
    QString printedText() const;

    textdoc::TextDocumentState state_;
    Ui& ui_;
    textdoc::TextDocumentFolders folders_;
    textdoc::SearchSession search_;
    std::shared_ptr<textdoc::TextPageSettings> page_ =
        std::make_shared<textdoc::TextPageSettings>();
    QTimer pauseTimer_;
    std::unique_ptr<QtPauseTimer> timerAdapter_;
    std::unique_ptr<textdoc::UndoManager> undo_;
    QMenu* edit_ = nullptr;
    QMenu* format_ = nullptr;
    QPointer<FindWindow> find_;
};

} // namespace kinetra::ui
