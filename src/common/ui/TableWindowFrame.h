// What every table window is made of, built once for all of them: the grid over the window's
// model with the record count and the status line beneath it, the named items of its menus and
// pop-up menu (each runs its command through the window, which reports unexpected errors and
// redraws), the keys of the standard commands and the text size of the grid. The windows keep
// only what differs: their commands and how they draw their core table.
#pragma once

#include "common/ui/RowGridView.h"
#include "common/ui/StandardShortcuts.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class QAbstractItemModel;
class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace kinetra::ui {

class ColumnFitter;

class TableWindowFrame final : public QObject {
    Q_OBJECT
public:
    // Runs one command of a menu item: the window reports what it throws and redraws after it.
    using CommandRunner = std::function<void(const std::function<void()>& command)>;

    // Lays the grid and the status line out in `window`, which becomes the frame's owner.
    TableWindowFrame(QWidget* window, QAbstractItemModel* model, CommandRunner run);
    ~TableWindowFrame() override;

    RowGridView* grid() const { return grid_; }
    ColumnFitter* fitter() const { return fitter_; }
    QString countText() const;
    QString messageText() const;
    void showStatus(const std::string& count, const std::string& message);
    void showMessage(const std::string& message);

    // A menu item named `name` (its object name too) that runs `command`.
    QAction* addItem(QMenu* menu, const std::string& name, const QString& caption,
                     std::function<void()> command);
    // The item of that name, or nullptr.
    QAction* action(const std::string& name) const;
    // Ctrl+O, Ctrl+S, Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+A, Del, Ctrl+F and F3 for the items named
    // prefix + "Open", "Save", "Cut", "Copy", "Paste", "SelectAll", "Delete", "Find", "FindNext".
    void giveStandardShortcuts(const std::string& prefix);

    // The window's menus, which the main window shows while it is active; the frame owns them.
    void setMenus(QList<QMenu*> menus) { menus_ = std::move(menus); }
    const QList<QMenu*>& menus() const { return menus_; }
    // The pop-up menu of the grid: menu items under their own captions ({name, caption}).
    void setPopupItems(const std::vector<std::pair<const char*, const char*>>& items);
    QMenu* popup() const { return popup_; }

    // The grid's font, header and row height for a text size; the window fits its columns
    // afterwards (it knows whether they changed since their last fit).
    void setPointSize(int points);

private:
    RowGridView* grid_ = nullptr;
    ColumnFitter* fitter_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* message_ = nullptr;
    CommandRunner run_;
    std::map<std::string, QAction*> actions_;
    QList<QMenu*> menus_;
    QMenu* popup_ = nullptr;
};

} // namespace kinetra::ui
