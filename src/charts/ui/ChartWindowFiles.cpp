// The chart window's documents: chart files (OPENPLOT, SaveTT, SaveGraphTT, MenuEnab, the close
// question), pictures for files and the clipboard within the export limits, and printing.
#include "charts/ChartExport.h"
#include "charts/ChartFile.h"
#include "charts/ui/ChartCanvas.h"
#include "charts/ui/ChartPicture.h"
#include "charts/ui/ChartWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cmath>

namespace kinetra::ui {

namespace {

constexpr const char* kTitle = "KINETRA";

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

// ---- Chart files ----------------------------------------------------------------------------

bool ChartWindow::openPlot(const std::filesystem::path& path) {
    auto read = readChartFile(path);
    if (!std::holds_alternative<ChartContent>(read))
        return false;
    fileName_ = path.string();
    model_.restore(std::get<ChartContent>(std::move(read)));
    model_.markSaved();
    zoomX_.reset();
    zoomY_.reset();
    selectionUpdated();
    redraw();
    return true;
}

bool ChartWindow::saveTo(const std::filesystem::path& path) {
    // The file always holds the colour style: monochrome is how the window draws, not data.
    ChartContent content = model_.content();
    content.monochrome = false;
    try {
        writeChartFile(path, content);
    } catch (const std::exception& e) {
        context_.ui.dialogs.message(e.what(), kTitle, Icon::Exclamation);
        return false;
    }
    return true;
}

bool ChartWindow::saveTT() {
    if (!fileName_.empty() && saveTo(fileName_)) {
        model_.markSaved();
        return true;
    }
    return saveGraphTT();
}

bool ChartWindow::saveGraphTT() {
    std::string path;
    for (;;) {
        path = context_.ui.files.saveFile(FilterKind::Charts, "Save as", "");
        if (path.empty())
            return false;
        if (hasChartExtension(path))
            break;
        if (context_.ui.dialogs.ask(wrongChartExtensionMessage(path), kTitle, Buttons::OkCancel,
                                    Answer::Ok, Icon::Exclamation) != Answer::Ok)
            return false;
    }
    model_.cancelSelection();
    selectionUpdated();
    redraw();
    if (!saveTo(path))
        return false;
    model_.markSaved();
    // The scratch chart stays the scratch chart: its file name is always empty.
    if (!isScratch()) {
        fileName_ = path;
        setCaption(path);
    }
    return true;
}

void ChartWindow::menuEnab(bool enabled) {
    saveEnabled_ = enabled;
    if (QAction* save = action("SAVEGRAPH"))
        save->setEnabled(enabled);
    emit saveEnabledChanged(enabled);
}

bool ChartWindow::saveDocument(bool asNew) {
    return asNew ? saveGraphTT() : (saveEnabled_ ? saveTT() : false);
}

bool ChartWindow::queryClose() {
    if (!closeAsksToSave(caption_, model_.isModified()))
        return true;
    const std::string name = fileName_.empty() ? caption_ : fileName_;
    switch (context_.ui.dialogs.ask("Do you want to save changes to " + name + "?", kTitle,
                                    Buttons::YesNoCancel, Answer::Yes, Icon::Question)) {
    case Answer::Yes:
        return saveTT();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

// ---- Pictures -------------------------------------------------------------------------------

namespace {

// The canvas's size in twips, as the export limit and the size read-out count it.
std::pair<long, long> twipsOf(const QWidget& canvas) {
    const double dpiX = canvas.logicalDpiX() > 0 ? canvas.logicalDpiX() : 96;
    const double dpiY = canvas.logicalDpiY() > 0 ? canvas.logicalDpiY() : 96;
    return {std::lround(canvas.width() * kTwipsPerInch / dpiX),
            std::lround(canvas.height() * kTwipsPerInch / dpiY)};
}

} // namespace

void ChartWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const auto [width, height] = twipsOf(*canvas_);
    emit sizeTextChanged(qs(chartSizeText(width, height)));
}

bool ChartWindow::exportPicture(bool vector, bool toClipboard) {
    const QSize pixels = canvas_->size();
    const auto [widthTwips, heightTwips] = twipsOf(*canvas_);
    if (const auto problem = exportProblem(model_.subsetCount(), widthTwips, heightTwips)) {
        context_.ui.dialogs.message(*problem, kTitle, Icon::Exclamation);
        return false;
    }
    const ChartDrawOptions options{std::nullopt, context_.selection, zoomX_, zoomY_};
    if (toClipboard) {
        auto* data = new QMimeData;
        if (vector)
            data->setData(QStringLiteral("image/svg+xml"),
                          chartSvg(model_.content(), pixels, options));
        else
            data->setImageData(chartImage(model_.content(), pixels, options));
        QApplication::clipboard()->setMimeData(data);
        return true;
    }
    const std::string path = context_.ui.files.saveFile(FilterKind::Pictures, "Export", "");
    if (path.empty())
        return false;
    if (!pictureFormatOf(path) ||
        !writeChartPicture(model_.content(), path, pixels.width(), pixels.height(), options)) {
        context_.ui.dialogs.message("Chart is oversized.", kTitle, Icon::None);
        return false;
    }
    return true;
}

void ChartWindow::printChart(const ChartContent& chart, QPrinter& printer) {
    QPainter painter(&printer);
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    drawChart(painter, page, chart, {});
}

void ChartWindow::printPreview() {
    // At screen resolution the lines, symbols and texts keep the sizes they have on screen.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, this);
    const ChartContent chart = model_.content();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [chart](QPrinter* target) { printChart(chart, *target); });
    preview.exec();
}

} // namespace kinetra::ui
