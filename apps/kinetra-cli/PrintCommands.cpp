// kinetra-cli print: a text file (a report, a solver output, a mechanism) into a PDF file laid
// out as the text window prints it, so that scripts can make printable reports.
#include "CliCommand.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "textdoc/TextDocument.h"
#include "textdoc/ui/TextPrintJob.h"

#include <charconv>

namespace kinetra::cli {

namespace {

constexpr const char* kPrintUsage =
    "print FILE -o PDF [--first-page N] [--selection FROM:TO] [--paper Letter|A4] [--force]";

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

int print(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"-o", "--first-page", "--selection", "--paper"}, {"--force"}, a,
                   c.io.err) ||
        a.positional.size() != 1 || !a.has("-o")) {
        c.io.err << "usage: kinetra-cli " << kPrintUsage << '\n';
        return 2;
    }
    textdoc::TextPageSettings settings;
    if (const std::string* first = a.option("--first-page");
        first && !parseInt(*first, settings.firstPageNumber)) {
        c.io.err << "The first page number, please enter an integer.\n";
        return 2;
    }
    if (const std::string* paper = a.option("--paper")) {
        if (equalsIgnoreCase(*paper, "A4"))
            settings.paper = textdoc::Paper::A4;
        else if (!equalsIgnoreCase(*paper, "Letter")) {
            c.io.err << "The paper is Letter or A4.\n";
            return 2;
        }
    }
    std::optional<textdoc::LineRange> range;
    if (const std::string* selection = a.option("--selection")) {
        const std::size_t colon = selection->find(':');
        textdoc::LineRange r;
        if (colon == std::string::npos || !parseInt(selection->substr(0, colon), r.first) ||
            !parseInt(selection->substr(colon + 1), r.last)) {
            c.io.err << "The selection is FROM:TO, the first and last line to print.\n";
            return 2;
        }
        range = r;
    }
    const std::filesystem::path file = a.positional[0];
    auto bytes = readTextFile(file);
    if (!bytes) {
        c.io.err << "File " << file.string() << " cannot be opened.\n";
        return 1;
    }
    std::string text = readerText(*bytes);
    if (lowerAscii(file.extension().string()) == ".rtf")
        text = textdoc::plainTextOfRichText(text);
    auto printed = textdoc::linesOf(text, range);
    if (!printed) {
        c.io.err << "The selection lies outside the " << file.filename().string() << " lines.\n";
        return 1;
    }
    const std::filesystem::path pdf = *a.option("-o");
    if (!mayWrite(c, pdf, a.has("--force")))
        return 1;
    const int pages = textdoc::printTextToPdf(*printed, pdf, settings);
    if (pages == 0) {
        c.io.err << "File " << pdf.string() << " cannot be written.\n";
        return 1;
    }
    c.io.out << pdf.string() << ": " << pages << " page(s)\n";
    return 0;
}

} // namespace

void addPrintCommands(std::vector<Command>& commands) {
    commands.push_back({"print", std::string(kPrintUsage).substr(6),
                        "a text file into a PDF file, paged and numbered as the text window prints",
                        print});
}

} // namespace kinetra::cli
