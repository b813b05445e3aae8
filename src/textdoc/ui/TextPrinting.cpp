#include "textdoc/ui/TextPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace kinetra::ui {

QFont documentFont(int points) {
    QFont font = QFontDatabase::families().contains(QStringLiteral("Courier New"))
                     ? QFont(QStringLiteral("Courier New"))
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(points);
    return font;
}

textdoc::Paper defaultPrinterPaper() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    return !printer.isNull() && printer.defaultPageSize().id() == QPageSize::A4
               ? textdoc::Paper::A4
               : textdoc::Paper::Letter;
}

void applyPageSettings(QPrinter& printer, const textdoc::TextPageSettings& settings) {
    const QPageSize paper(settings.paper == textdoc::Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
    const QMarginsF inches(settings.left, settings.top, settings.right, settings.bottom);
    printer.setPageLayout(
        QPageLayout(paper, QPageLayout::Portrait, inches * 72.0, QPageLayout::Point));
}

int printText(QPrinter& printer, const QString& text, const QFont& font,
              const textdoc::TextPageSettings& settings) {
    applyPageSettings(printer, settings);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setPlainText(text);
    // A line of the page number and a blank line above the text of every page.
    const double header = QFontMetricsF(font, &printer).lineSpacing() * 2;
    const QSizeF body(area.width(), area.height() - header);
    document.setPageSize(body);
    const int pages = document.pageCount();
    painter.setFont(font);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        const QString number =
            QString::number(textdoc::printedPageNumber(page + 1, settings.firstPageNumber));
        const QRectF numberLine(0, 0, area.width(), header / 2);
        if (settings.numberSide == textdoc::PageNumberSide::Left)
            painter.drawText(numberLine, Qt::AlignLeft, number + QStringLiteral("   "));
        else
            painter.drawText(numberLine, Qt::AlignRight, QStringLiteral("   ") + number);
        painter.save();
        painter.translate(0, header - page * body.height());
        document.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
    }
    painter.end();
    return pages;
}

} // namespace kinetra::ui
