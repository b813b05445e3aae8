// Menu mnemonics: the underlined letter that opens a menu with Alt and the letter, and picks an
// item of an open menu with the letter alone. The captions are the program's own texts without
// markers; the letters are chosen where the menus are shown, so that every caption keeps its
// text and the letters of one menu bar or one menu never clash.
#pragma once

#include <QList>
#include <QString>

class QAction;

namespace kinetra::ui {

// The caption as the user reads it: mnemonic markers removed, "&&" back to "&".
QString withoutMnemonic(const QString& caption);

// Gives every action of `siblings` that has a caption and no letter yet the first letter of its
// caption that no sibling uses (a word's first letter preferred), and does the same in each
// submenu. Letters already chosen are kept, so that a menu shown again keeps its letters.
void assignMnemonics(const QList<QAction*>& siblings);

// The same for the items of a menu bar, whose set changes with the active window: every letter
// is chosen again, so that the bar's menus of the moment never share one. Their submenus keep
// the letters they have.
void reassignMenuBarMnemonics(const QList<QAction*>& menuBarActions);

} // namespace kinetra::ui
