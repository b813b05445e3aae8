// The keys of the commands every desktop program has, given to the menu items of the main window
// and of each document window alike, so that Ctrl+C copies species, reactions and text the same
// way. Qt shows the key beside the caption in the menu.
#pragma once

class QAction;

namespace kinetra::ui {

enum class StandardCommand { New, Open, Save, Cut, Copy, Paste, Delete, SelectAll, Find, FindNext };

// Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+X, Ctrl+C, Ctrl+V, Del, Ctrl+A, Ctrl+F, F3.
void giveShortcut(QAction* action, StandardCommand command);

} // namespace kinetra::ui
