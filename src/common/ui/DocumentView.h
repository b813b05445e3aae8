// What a document window's content offers the main window: its own menus, which join the main
// window's while the document is active, the operations its toolbar buttons call, and
// the question before it closes.
#pragma once

#include "common/ToolbarOperation.h"

#include <QList>
#include <string>

class QMenu;

namespace kinetra::ui {

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The menus of the document, in order. A document menu titled like one of the main window's
    // (File) stands in its place; the main window's other menus follow the document's.
    virtual QList<QMenu*> documentMenus() = 0;
    // A toolbar button's operation; false when this document has no such operation.
    virtual bool runToolbarOperation(ToolbarOperation operation) = 0;
    // Asked before the window closes (the save prompt); false keeps it open.
    virtual bool queryClose() = 0;
    // The main window's File > Save and Save as... for a document without a File menu of its
    // own; false when nothing was saved.
    virtual bool saveDocument(bool asNew) {
        (void)asNew;
        return false;
    }
};

} // namespace kinetra::ui
