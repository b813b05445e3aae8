#include "shell/ui/TextDocumentWindow.h"

#include "common/PlaceError.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "common/ui/StandardShortcuts.h"
#include "shell/ui/ChildWindow.h"
#include "shell/ui/FindWindow.h"
#include "shell/ui/PageSetupWindow.h"
#include "textdoc/ui/TextPrinting.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>

namespace kinetra::ui {

namespace {

constexpr ToolbarOperation kOperations[] = {ToolbarOperation::Save,  ToolbarOperation::Print,
                                            ToolbarOperation::Cut,   ToolbarOperation::Copy,
                                            ToolbarOperation::Paste, ToolbarOperation::Undo,
                                            ToolbarOperation::Redo,  ToolbarOperation::FindReplace};

// The editing commands a solver file does without (SolMenu).
// (Save is the main window's File menu and toolbar button, which ask the document.)
constexpr const char* kEditingCommands[] = {"TXT_Cut", "TXT_Paste", "TXT_Delete", "DATATIME"};

constexpr int kUndoDelayMs = 250;

bool isKey(QKeyEvent* event, Qt::Key key) {
    return event->key() == key && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

class TextDocumentWindow::QtPauseTimer final : public textdoc::PauseTimer {
public:
    explicit QtPauseTimer(QTimer& timer) : timer_(timer) {}
    void restart() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool running() const override { return timer_.isActive(); }

private:
    QTimer& timer_;
};

TextDocumentWindow::TextDocumentWindow(textdoc::TextDocumentState state, const QString& text,
                                       Ui& ui, textdoc::TextDocumentFolders folders,
                                       QWidget* parent)
    : QPlainTextEdit(parent), state_(std::move(state)), ui_(ui), folders_(std::move(folders)) {
    setObjectName(QStringLiteral("textDocument"));
    setFont(documentFont(static_cast<int>(TextFontSize::Medium)));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    setPlainText(text);
    document()->setModified(false);
    state_.modified = false;
    connect(document(), &QTextDocument::modificationChanged, this,
            [this](bool changed) { state_.modified = changed; });

    pauseTimer_.setSingleShot(true);
    pauseTimer_.setInterval(kUndoDelayMs);
    timerAdapter_ = std::make_unique<QtPauseTimer>(pauseTimer_);
    undo_ = std::make_unique<textdoc::UndoManager>(*timerAdapter_);
    undo_->stateChanged = [this] { updateUndoCommands(); };
    connect(&pauseTimer_, &QTimer::timeout, this, &TextDocumentWindow::takeSnapshotNow);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { undo_->textChanged(); });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const QTextCursor c = textCursor();
        undo_->selectionChanged(c.selectionStart(), c.selectionEnd() - c.selectionStart());
    });
    buildMenus();
    enableEditing(!state_.solverFile);
    undo_->reset();
    // The loaded text is the first state at once: typing within the first pause must not make
    // it unreachable.
    takeSnapshotNow();
}

TextDocumentWindow::~TextDocumentWindow() {
    // The menus are shown by the main window's menu bar, not owned by this widget.
    delete edit_;
    delete format_;
}

TextDocumentWindow* TextDocumentWindow::open(const std::string& path, Ui& ui,
                                             const textdoc::TextDocumentFolders& folders) {
    QString text;
    if (!path.empty() && path.front() != '$') {
        // The file's bytes go as soon as the text is made: a solver output can be hundreds of
        // megabytes.
        auto bytes = readTextFile(path);
        if (!bytes)
            return nullptr;
        if (lowerAscii(std::filesystem::path(path).extension().string()) == ".rtf")
            text = QString::fromStdString(textdoc::plainTextOfRichText(*bytes));
        else
            text = displayText(*bytes);
    }
    // What kind of document it is shows in its first line.
    qsizetype lineEnd = 0;
    while (lineEnd < text.size() && text[lineEnd] != u'\n' && text[lineEnd] != u'\r')
        ++lineEnd;
    auto state = textdoc::openedDocument(path, text.first(lineEnd).toStdString(), folders);
    return new TextDocumentWindow(std::move(state), text, ui, folders);
}

QString TextDocumentWindow::statusText() const {
    return QString::fromStdString(textdoc::statusLine(state_));
}

QAction* TextDocumentWindow::action(const char* name) const {
    for (QMenu* menu : {edit_, format_})
        if (auto* found = menu->findChild<QAction*>(QString::fromLatin1(name)))
            return found;
    return nullptr;
}

void TextDocumentWindow::buildMenus() {
    edit_ = new QMenu(tr("Edit"));
    const auto add = [this](QMenu* menu, const char* name, const QString& caption, auto slot) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, slot);
        return item;
    };
    QAction* undoItem = add(edit_, "TXT_Undo", tr("Undo"), &TextDocumentWindow::undoSnapshot);
    undoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redoItem = add(edit_, "TXT_Redo", tr("Redo"), &TextDocumentWindow::redoSnapshot);
    redoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    edit_->addSeparator();
    giveShortcut(add(edit_, "TXT_Cut", tr("Cut"), &QPlainTextEdit::cut), StandardCommand::Cut);
    giveShortcut(add(edit_, "TXT_Copy", tr("Copy"), &QPlainTextEdit::copy), StandardCommand::Copy);
    giveShortcut(add(edit_, "TXT_Paste", tr("Paste"), &QPlainTextEdit::paste),
                 StandardCommand::Paste);
    giveShortcut(
        add(edit_, "TXT_Delete", tr("Delete"), [this] { textCursor().removeSelectedText(); }),
        StandardCommand::Delete);
    edit_->addSeparator();
    giveShortcut(add(edit_, "TXT_SelectAll", tr("Select All"), &QPlainTextEdit::selectAll),
                 StandardCommand::SelectAll);
    add(edit_, "DATATIME", tr("Date/Time"), &TextDocumentWindow::insertDateTime);
    edit_->addSeparator();
    giveShortcut(add(edit_, "TXT_Find", tr("Find/Replace..."), [this] { showFindWindow(); }),
                 StandardCommand::Find);
    add(edit_, "TXT_PageSetup", tr("Page Setup..."), &TextDocumentWindow::showPageSetup);
    add(edit_, "TXT_Preview", tr("Print Preview..."), &TextDocumentWindow::showPrintPreview);

    format_ = new QMenu(tr("Format"));
    QMenu* sizes = format_->addMenu(tr("Font Size"));
    auto* group = new QActionGroup(sizes);
    const std::pair<const char*, TextFontSize> sizeItems[] = {{"Large", TextFontSize::Large},
                                                              {"Medium", TextFontSize::Medium},
                                                              {"Small", TextFontSize::Small}};
    for (const auto& [caption, size] : sizeItems) {
        QAction* item =
            add(sizes, caption, tr(caption), [this, size = size] { setFontSize(size); });
        item->setObjectName(QStringLiteral("FntSize") + QString::fromLatin1(caption));
        item->setCheckable(true);
        item->setChecked(size == TextFontSize::Medium);
        group->addAction(item);
    }
    QAction* wrap = add(format_, "WordWrap", tr("Word Wrap"), [this](bool on) { setWordWrap(on); });
    wrap->setCheckable(true);
}

void TextDocumentWindow::enableEditing(bool on) {
    for (const char* name : kEditingCommands)
        if (QAction* item = action(name))
            item->setEnabled(on);
    setReadOnly(!on);
    if (find_)
        find_->allowReplacing(on);
}

void TextDocumentWindow::updateUndoCommands() {
    const bool editable = !state_.solverFile;
    action("TXT_Undo")->setEnabled(editable && undo_->canUndo());
    action("TXT_Redo")->setEnabled(editable && undo_->canRedo());
    emit undoStateChanged();
}

QList<QMenu*> TextDocumentWindow::documentMenus() {
    return {edit_, format_};
}

bool TextDocumentWindow::offers(ToolbarOperation operation) {
    for (ToolbarOperation known : kOperations)
        if (operation == known)
            return true;
    return false;
}

bool TextDocumentWindow::runToolbarOperation(ToolbarOperation operation) {
    const bool editable = !state_.solverFile;
    switch (operation) {
    case ToolbarOperation::Save:
        return editable && !state_.solverInput && saveDocument(false);
    case ToolbarOperation::Print:
        showPrintPreview();
        return true;
    case ToolbarOperation::Cut:
        if (editable)
            cut();
        return editable;
    case ToolbarOperation::Copy:
        copy();
        return true;
    case ToolbarOperation::Paste:
        if (editable)
            paste();
        return editable;
    case ToolbarOperation::Undo:
        undoSnapshot();
        return true;
    case ToolbarOperation::Redo:
        redoSnapshot();
        return true;
    case ToolbarOperation::FindReplace:
        showFindWindow();
        return true;
    default:
        return false;
    }
}

bool TextDocumentWindow::saveDocument(bool asNew) {
    // A solver file is kept as the solver wrote it; a copy under another name is allowed.
    if (state_.solverFile && !asNew)
        return false;
    bool saved = false;
    guarded(ui_.dialogs, "RES#010. ", [&] {
        saved = textdoc::saveTextDocument(state_, toPlainText().toStdString(), ui_.files,
                                          ui_.dialogs, folders_.appDir, asNew);
    });
    if (saved) {
        document()->setModified(false);
        emit captionChanged(QString::fromStdString(state_.caption));
        emit statusTextChanged(statusText());
    }
    return saved;
}

bool TextDocumentWindow::queryClose() {
    return textdoc::mayClose(state_, ui_.dialogs, [this] { return saveDocument(false); });
}

void TextDocumentWindow::closeEvent(QCloseEvent* event) {
    if (find_)
        find_->close();
    QPlainTextEdit::closeEvent(event);
}

// Search

bool TextDocumentWindow::findNext(const QString& sought, textdoc::SearchOptions options) {
    const std::u16string text = toPlainText().toStdU16String();
    auto match = search_.findNext(text, sought.toStdU16String(), options);
    if (!match) {
        ui_.dialogs.message("End of search.", "KINETRA", Icon::None);
        return false;
    }
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(match->start));
    cursor.setPosition(static_cast<int>(match->start + match->length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    return true;
}

bool TextDocumentWindow::replaceNext(const QString& sought, const QString& replacement,
                                     textdoc::SearchOptions options) {
    if (state_.solverFile)
        return false;
    // The match on show is the one replaced; a search for another one first would change text
    // the user has not seen selected.
    const auto& shown = search_.lastMatch();
    const QTextCursor selected = textCursor();
    const bool onShow = shown && selected.selectionStart() == static_cast<int>(shown->start) &&
                        selected.selectionEnd() == static_cast<int>(shown->start + shown->length);
    if (!onShow && !findNext(sought, options))
        return false;
    std::u16string text = toPlainText().toStdU16String();
    auto replaced = search_.replaceLast(text, replacement.toStdU16String());
    if (!replaced)
        return false;
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(replaced->start));
    cursor.setPosition(static_cast<int>(replaced->start + replaced->length),
                       QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
    setTextCursor(cursor);
    return true;
}

std::size_t TextDocumentWindow::replaceAll(const QString& sought, const QString& replacement,
                                           textdoc::SearchOptions options) {
    if (state_.solverFile)
        return 0;
    std::u16string text = toPlainText().toStdU16String();
    const std::size_t count =
        textdoc::replaceAll(text, sought.toStdU16String(), replacement.toStdU16String(), options);
    if (count > 0) {
        const int line = verticalScrollBar()->value();
        QTextCursor cursor(document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(QString::fromStdU16String(text));
        verticalScrollBar()->setValue(line);
    }
    search_.restart();
    ui_.dialogs.message(textdoc::replacementMessage(count), "KINETRA", Icon::None);
    return count;
}

FindWindow* TextDocumentWindow::findWindow() const {
    return find_;
}

FindWindow* TextDocumentWindow::showFindWindow() {
    if (!find_) {
        find_ = new FindWindow(*this, this);
        find_->allowReplacing(!state_.solverFile);
    }
    find_->show();
    find_->raise();
    return find_;
}

// Undo and redo

void TextDocumentWindow::takeSnapshotNow() {
    // A solver file is never edited and has no undo: no copy of its text is kept (for a large
    // output it would double the memory the window takes).
    if (state_.solverFile)
        return;
    const QTextCursor c = textCursor();
    undo_->pauseElapsed({toPlainText().toStdU16String(), c.selectionStart(),
                         c.selectionEnd() - c.selectionStart()});
}

void TextDocumentWindow::undoSnapshot() {
    if (state_.solverFile)
        return;
    // Typing not yet recorded belongs to the state being left.
    if (pauseTimer_.isActive())
        takeSnapshotNow();
    const int firstLine = verticalScrollBar()->value();
    undo_->undo([this, firstLine](const textdoc::TextSnapshot& s) {
        QTextCursor all(document());
        all.select(QTextCursor::Document);
        all.insertText(QString::fromStdU16String(s.text));
        verticalScrollBar()->setValue(firstLine);
        QTextCursor cursor(document());
        const int end = document()->characterCount() - 1;
        cursor.setPosition(std::min(s.selectionStart, end));
        cursor.setPosition(std::min(s.selectionStart + s.selectionLength, end),
                           QTextCursor::KeepAnchor);
        setTextCursor(cursor);
        verticalScrollBar()->setValue(firstLine);
    });
}

void TextDocumentWindow::redoSnapshot() {
    if (state_.solverFile)
        return;
    undo_->redo([this](const textdoc::TextSnapshot& s) {
        QTextCursor all(document());
        all.select(QTextCursor::Document);
        all.insertText(QString::fromStdU16String(s.text));
        QTextCursor cursor(document());
        const int end = document()->characterCount() - 1;
        cursor.setPosition(std::min(s.selectionStart, end));
        cursor.setPosition(std::min(s.selectionStart + s.selectionLength, end),
                           QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    });
}

void TextDocumentWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The pop-up menu is the Edit menu: the same commands, enabled alike, and the snapshot undo
    // instead of the editor's own.
    edit_->exec(event->globalPos());
}

void TextDocumentWindow::keyPressEvent(QKeyEvent* event) {
    if (isKey(event, Qt::Key_Z)) {
        undoSnapshot();
        return;
    }
    if (isKey(event, Qt::Key_Y)) {
        redoSnapshot();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TextDocumentWindow::event(QEvent* event) {
    // Ctrl+Z and Ctrl+Y belong to the editor while it has the focus, not to a menu shortcut.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isKey(key, Qt::Key_Z) || isKey(key, Qt::Key_Y)) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

// Editing commands

void TextDocumentWindow::insertDateTime() {
    if (!state_.solverFile)
        insertPlainText(QString::fromStdString(textdoc::dateTimeText(ui_.clock.now())));
}

void TextDocumentWindow::setFontSize(TextFontSize size) {
    setFont(documentFont(static_cast<int>(size)));
}

void TextDocumentWindow::setWordWrap(bool on) {
    setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (QAction* item = action("WordWrap"))
        item->setChecked(on);
}

// Printing

QString TextDocumentWindow::printedText() const {
    const QTextCursor c = textCursor();
    // The selection as text: paragraph separators of the editor become line ends.
    return c.hasSelection() ? c.selection().toPlainText() : toPlainText();
}

bool TextDocumentWindow::printToPdf(const QString& pdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return printText(printer, printedText(), font(), *page_) > 0;
}

void TextDocumentWindow::showPrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    applyPageSettings(printer, *page_);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printText(*target, printedText(), font(), *page_); });
    preview.exec();
}

} // namespace kinetra::ui

namespace kinetra::ui {

bool TextDocumentWindow::showPageSetup() {
    PageSetupWindow setup(*page_, textCursor().hasSelection(), ui_.dialogs, this);
    if (setup.exec() != QDialog::Accepted)
        return false;
    *page_ = setup.settings();
    return true;
}

} // namespace kinetra::ui
