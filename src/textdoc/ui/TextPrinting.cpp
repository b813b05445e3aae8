#include "textdoc/ui/TextPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

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
    document.pageCount(); // lays the whole document out: the lines get their places
    painter.setFont(font);
    // Each line is drawn on the page the layout put it on, and only there: a line clipped at
    // the foot of a page would still be text of that page for a reader of the file.
    const auto drawHeader = [&](int page) {
        const QString number =
            QString::number(textdoc::printedPageNumber(page + 1, settings.firstPageNumber));
        const QRectF numberLine(0, 0, area.width(), header / 2);
        if (settings.numberSide == textdoc::PageNumberSide::Left)
            painter.drawText(numberLine, Qt::AlignLeft, number + QStringLiteral("   "));
        else
            painter.drawText(numberLine, Qt::AlignRight, QStringLiteral("   ") + number);
    };
    int page = 0;
    drawHeader(page);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QPointF at = layout->position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int onPage = static_cast<int>((at.y() + line.y()) / body.height());
            while (page < onPage) {
                printer.newPage();
                drawHeader(++page);
            }
            line.draw(&painter, QPointF(at.x(), at.y() - page * body.height() + header));
        }
    }
    const int pages = page + 1;
    painter.end();
    return pages;
}

} // namespace kinetra::ui
