// Laying out a text document on printed pages: the margins, the paper and the page numbers of
// the text page settings, a line of the page number at the top of every page. Used by the print
// preview and by printing into a PDF file.
#pragma once

#include "textdoc/PageSetup.h"

#include <QFont>
#include <QString>

class QPrinter;

namespace kinetra::ui {

// The font of text documents: "Courier New" where the machine has it, otherwise the system's
// fixed-pitch font (columns of numbers and NASA text line up only in a fixed-pitch font).
QFont documentFont(int points);

// The paper of the default printer when it is Letter or A4, otherwise Letter.
textdoc::Paper defaultPrinterPaper();

// Sets the printer's paper and margins from the settings.
void applyPageSettings(QPrinter& printer, const textdoc::TextPageSettings& settings);

// Paints the text onto the printer's pages; returns the number of pages.
int printText(QPrinter& printer, const QString& text, const QFont& font,
              const textdoc::TextPageSettings& settings);

} // namespace kinetra::ui
