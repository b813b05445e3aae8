#include "textdoc/ui/TextPrintJob.h"

#include "textdoc/ui/TextPrinting.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPrinter>
#include <memory>

namespace kinetra::textdoc {

std::optional<std::string> linesOf(const std::string& text, std::optional<LineRange> range) {
    if (!range)
        return text;
    if (range->first < 1 || range->last < range->first)
        return std::nullopt;
    std::string out;
    int line = 1;
    std::size_t start = 0;
    while (start < text.size() && line <= range->last) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        if (line >= range->first)
            out.append(text, start, end - start);
        start = end;
        ++line;
    }
    if (line <= range->first)
        return std::nullopt; // the text ends before the first line asked for
    return out;
}

int printTextToPdf(const std::string& text, const std::filesystem::path& pdf,
                   const TextPageSettings& settings) {
    std::unique_ptr<QGuiApplication> ownApplication;
    if (!QCoreApplication::instance()) {
        // Batch work draws into a file only: no display is needed or wanted.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kinetra-cli";
        static char* argv[] = {name, nullptr};
        ownApplication = std::make_unique<QGuiApplication>(argc, argv);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return ui::printText(printer, QString::fromStdString(text), ui::documentFont(10), settings);
}

} // namespace kinetra::textdoc
