#include "shell/ui/TextDocumentWindow.h"

#include "common/PlaceError.h"
#include "common/ui/StandardShortcuts.h"

#include <QFontDatabase>
#include <QKeySequence>
#include <QMenu>

namespace kinetra::ui {

namespace {

// Toolbar operations of the text toolbar this window carries out.
constexpr ToolbarOperation kOperations[] = {ToolbarOperation::Save, ToolbarOperation::Cut,
                                            ToolbarOperation::Copy, ToolbarOperation::Paste,
                                            ToolbarOperation::Undo, ToolbarOperation::Redo};

} // namespace

TextDocumentWindow::TextDocumentWindow(textdoc::TextDocumentState state, const QString& text,
                                       bool readOnly, Ui& ui, QWidget* parent)
    : QPlainTextEdit(parent), state_(std::move(state)), ui_(ui) {
    setObjectName(QStringLiteral("textDocument"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setPlainText(text);
    setReadOnly(readOnly);
    document()->setModified(false);
    connect(document(), &QTextDocument::modificationChanged, this,
            [this](bool changed) { state_.modified = changed; });
    buildEditMenu();
}

TextDocumentWindow::~TextDocumentWindow() {
    // The menu is shown by the main window's menu bar, not owned by this widget.
    delete edit_;
}

void TextDocumentWindow::buildEditMenu() {
    edit_ = new QMenu(tr("Edit"));
    const auto add = [this](const char* name, const QString& caption, auto slot) {
        QAction* item = edit_->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, slot);
        return item;
    };
    QAction* undoItem = add("TXT_Undo", tr("Undo"), &QPlainTextEdit::undo);
    undoItem->setShortcut(QKeySequence::Undo);
    QAction* redoItem = add("TXT_Redo", tr("Redo"), &QPlainTextEdit::redo);
    redoItem->setShortcut(QKeySequence::Redo);
    edit_->addSeparator();
    giveShortcut(add("TXT_Cut", tr("Cut"), &QPlainTextEdit::cut), StandardCommand::Cut);
    giveShortcut(add("TXT_Copy", tr("Copy"), &QPlainTextEdit::copy), StandardCommand::Copy);
    giveShortcut(add("TXT_Paste", tr("Paste"), &QPlainTextEdit::paste), StandardCommand::Paste);
    giveShortcut(add("TXT_Delete", tr("Delete"), [this] { textCursor().removeSelectedText(); }),
                 StandardCommand::Delete);
    edit_->addSeparator();
    giveShortcut(add("TXT_SelectAll", tr("Select All"), &QPlainTextEdit::selectAll),
                 StandardCommand::SelectAll);
    if (isReadOnly())
        for (const char* name : {"TXT_Undo", "TXT_Redo", "TXT_Cut", "TXT_Paste", "TXT_Delete"})
            edit_->findChild<QAction*>(QString::fromLatin1(name))->setEnabled(false);
}

QList<QMenu*> TextDocumentWindow::documentMenus() {
    return {edit_};
}

bool TextDocumentWindow::offers(ToolbarOperation operation) {
    for (ToolbarOperation known : kOperations)
        if (operation == known)
            return true;
    return false;
}

bool TextDocumentWindow::runToolbarOperation(ToolbarOperation operation) {
    switch (operation) {
    case ToolbarOperation::Save:
        return saveDocument(false);
    case ToolbarOperation::Cut:
        cut();
        return true;
    case ToolbarOperation::Copy:
        copy();
        return true;
    case ToolbarOperation::Paste:
        paste();
        return true;
    case ToolbarOperation::Undo:
        undo();
        return true;
    case ToolbarOperation::Redo:
        redo();
        return true;
    default:
        return false;
    }
}

bool TextDocumentWindow::saveDocument(bool asNew) {
    if (isReadOnly() && !asNew)
        return false;
    bool saved = false;
    guarded(ui_.dialogs, "RES#010. ", [&] {
        saved = textdoc::saveTextDocument(state_, toPlainText().toStdString(), ui_.files, asNew);
    });
    if (saved) {
        document()->setModified(false);
        emit captionChanged(QString::fromStdString(state_.caption));
    }
    return saved;
}

bool TextDocumentWindow::queryClose() {
    if (isReadOnly())
        return true;
    return textdoc::mayClose(state_, ui_.dialogs, [this] { return saveDocument(false); });
}

} // namespace kinetra::ui
