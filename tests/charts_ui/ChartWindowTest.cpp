// The chart window on its own: pictures drawn by its drawing (PNG, BMP, SVG), gaps at empty
// slots, chart files saved and opened again, the monochrome style, Save as with a wrong
// extension, the export limits, the setup window's checks with Apply and Cancel, and clicks.
#include "charts/ui/ChartWindow.h"

#include "charts/ChartFile.h"
#include "charts/ChartTestSupport.h"
#include "charts/ui/ChartCanvas.h"
#include "charts/ui/ChartPicture.h"
#include "charts/ui/ChartSetupWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <memory>
#include <set>

using namespace kinetra;
using namespace kinetra::ui;
using kinetra::testing::FakeUi;
using kinetra::testing::TempDir;

namespace {

ChartHandOver thermoLikeHandOver(int subsets = 3, int points = 38) {
    static const char* labels[] = {"H (kJ/mol)", "Cp (J/K mol)", "S (J/K mol)"};
    ChartHandOver h;
    h.title = "H2O";
    for (int p = 0; p < points; ++p)
        h.x.push_back(300 + 100 * p);
    for (int s = 0; s < subsets; ++s) {
        ChartHandOver::Subset subset{s < 3 ? labels[s] : "F" + std::to_string(s), {}};
        for (int p = 0; p < points; ++p)
            subset.y.push_back(10.0 * s + p * (s + 1));
        h.subsets.push_back(subset);
    }
    return h;
}

// Pixels that are neither grey nor white: what colour the drawing used.
int colouredPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += !(c.red() == c.green() && c.green() == c.blue());
        }
    return n;
}

} // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeUi> fake;
    std::unique_ptr<TempDir> dir;
    std::vector<std::unique_ptr<ChartWindow>> windows;

    ChartWindow* newWindow(const std::string& caption = "Chart1", int subsets = 3) {
        ChartWindowContext context(fake->ui);
        context.supportDir = dir->path();
        context.draw = test::scriptedDraws({1, 2, 4, 3, 5, 6, 9, 0, 1, 2, 4, 3});
        windows.push_back(std::make_unique<ChartWindow>(std::move(context), caption));
        ChartWindow* w = windows.back().get();
        if (subsets > 0)
            w->showHandOver(thermoLikeHandOver(subsets), false);
        w->resize(600, 420);
        w->show();
        return w;
    }

private slots:
    void init() {
        fake = std::make_unique<FakeUi>();
        dir = std::make_unique<TempDir>();
    }
    void cleanup() { windows.clear(); }

    void picturesAreDrawnAndNameTheSubsets() {
        ChartWindow* w = newWindow();
        const ChartContent& chart = w->model().content();
        for (const char* name : {"c.png", "c.bmp", "c.svg"})
            QVERIFY2(writeChartPicture(chart, *dir / name, 640, 480), name);
        QVERIFY(!writeChartPicture(chart, *dir / "c.wmf", 640, 480));
        const QImage png(QString::fromStdString((*dir / "c.png").string()));
        QCOMPARE(png.size(), QSize(640, 480));
        QVERIFY(colouredPixels(png) > 500); // three coloured curves, not a blank page
        QCOMPARE(QImage(QString::fromStdString((*dir / "c.bmp").string())).size(), QSize(640, 480));
        const std::string svg = testing::readFile(*dir / "c.svg");
        for (const char* label : {"H (kJ/mol)", "Cp (J/K mol)", "S (J/K mol)", "H2O"})
            QVERIFY2(svg.find(label) != std::string::npos, label);
    }

    void anEmptySlotIsAGapNotADrop() {
        ChartModel model(test::scriptedDraws({1}));
        ChartHandOver h;
        h.x = {1, 2, 3, 4, 5};
        h.subsets = {{"gap", {1, 2, kEmptySlot, 4, 5}}};
        applyHandOver(model, h, false);
        QImage image(500, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        const ChartFrame frame = drawChart(painter, QRectF(0, 0, 500, 400), model.content(), {});
        painter.end();
        // The Y axis spans the points, not the empty-slot value.
        QVERIFY(frame.y.minimum >= 0 && frame.y.maximum <= 10);
        // The curve is navy (colour 1), drawn smoothed: bluish pixels, where nothing else is.
        const auto columnHasCurve = [&](double x) {
            const int px = qRound(frame.toPixel(x, 0).x());
            for (int y = qCeil(frame.plot.top()) + 1; y < qFloor(frame.plot.bottom()) - 1; ++y)
                if (const QColor c = image.pixelColor(px, y); c.blue() - c.red() > 30)
                    return true;
            return false;
        };
        QVERIFY(columnHasCurve(1.5));
        QVERIFY(columnHasCurve(4.5));
        QVERIFY(!columnHasCurve(3.0));
    }

    void aSavedChartOpensAndDrawsTheSameAndMonochromeKeepsItsColours() {
        ChartWindow* first = newWindow();
        first->toggleGrid();
        first->model().setAnnotation(0, Annotation{1000, 50, "peak", 0, 0});
        fake->files.paths = {(*dir / "h2o.pg").string()};
        QVERIFY(first->saveGraphTT());
        QVERIFY(!first->model().isModified());
        QCOMPARE(first->caption(), (*dir / "h2o.pg").string());

        ChartWindow* second = newWindow("second", 0);
        QVERIFY(second->openPlot(*dir / "h2o.pg"));
        QVERIFY(second->model().content() == first->model().content());
        QCOMPARE(second->canvas()->grab().toImage(), first->canvas()->grab().toImage());

        // Monochrome is a way of drawing: the file keeps the colours, the window stays grey.
        first->toggleMonochrome();
        first->model().mustSave();
        QVERIFY(first->saveTT());
        QVERIFY(first->model().content().monochrome);
        QCOMPARE(colouredPixels(first->canvas()->grab().toImage()), 0);
        const auto saved = readChartFile(*dir / "h2o.pg");
        QVERIFY(std::holds_alternative<ChartContent>(saved));
        QVERIFY(std::get<ChartContent>(saved) == second->model().content());
        QVERIFY(colouredPixels(second->canvas()->grab().toImage()) > 0);

        QVERIFY(!second->openPlot(dir->write("text.pg", "not a chart")));
        QVERIFY(second->model().content() == std::get<ChartContent>(saved));
    }

    void saveAsRefusesAWrongExtensionAndTheScratchChartOnlySavesAs() {
        ChartWindow* w = newWindow();
        const std::string txt = (*dir / "chart.txt").string();
        fake->files.paths = {txt, txt};
        fake->dialogs.answers = {Answer::Ok, Answer::Cancel};
        QVERIFY(!w->saveGraphTT());
        QCOMPARE(fake->dialogs.shown.size(), 2u);
        QCOMPARE(fake->dialogs.last().text,
                 "You are attempting to save the chart to file with a wrong file extension. \n\n" +
                     txt + "\n\nThe correct extension is 'pg'.");
        QVERIFY(!std::filesystem::exists(txt));
        // Save of a chart never saved is Save as (cancelled here).
        fake->files.asked.clear();
        QVERIFY(!w->saveTT());
        QCOMPARE(fake->files.asked, std::vector<FilterKind>{FilterKind::Charts});

        ChartWindow* scratch = newWindow("Temporary Chart");
        QVERIFY(!scratch->saveEnabled());
        QVERIFY(!scratch->saveDocument(false));
        fake->files.paths = {(*dir / "kept.pg").string()};
        QVERIFY(scratch->saveDocument(true));
        QVERIFY(std::filesystem::exists(*dir / "kept.pg"));
        QCOMPARE(scratch->caption(), std::string("Temporary Chart"));
        QVERIFY(scratch->fileName().empty());

        // Closing: the scratch chart never asks, another chart asks about its changes.
        fake->dialogs.shown.clear();
        scratch->model().mustSave();
        QVERIFY(scratch->queryClose());
        QVERIFY(fake->dialogs.shown.empty());
        w->model().mustSave();
        fake->dialogs.answers = {Answer::Cancel, Answer::No};
        QVERIFY(!w->queryClose());
        QVERIFY(w->queryClose());
        QCOMPARE(fake->dialogs.last().text, std::string("Do you want to save changes to Chart1?"));
    }

    void picturesKeepToTheLimitsAndPrintsShowTheSameDrawing() {
        ChartWindow* eleven = newWindow("eleven", 11);
        QVERIFY(!eleven->exportPicture(false, true));
        QCOMPARE(fake->dialogs.last().text,
                 std::string("The maximum number of subsets that can be processed is 10; you are "
                             "attempting to process 11."));
        ChartWindow* ten = newWindow("ten", 10);
        const int dpi = ten->canvas()->logicalDpiX();
        ten->resize(qRound(7.0 * dpi), 300);
        QCOMPARE(ten->canvas()->width(), qRound(7.0 * dpi));
        QVERIFY(ten->exportPicture(false, true));
        QVERIFY(ten->exportPicture(true, true));
        ten->resize(qRound(7.1 * dpi), 300);
        QVERIFY(!ten->exportPicture(false, true));
        QCOMPARE(fake->dialogs.last().text,
                 std::string("Chart is oversized, the maximum chart size is 7 x 7 inches (178 x "
                             "178 mmm)."));
        // Printed: the same drawing on a landscape page.
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Landscape);
        const QString pdf = QString::fromStdString((*dir / "ten.pdf").string());
        printer.setOutputFileName(pdf);
        ChartWindow::printChart(ten->model().content(), printer);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(10000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains("Cp (J/K mol)"));
        fake->files.paths = {(*dir / "ten.svg").string()};
        ten->resize(400, 300);
        QVERIFY(ten->exportPicture(false, false));
        QVERIFY(testing::readFile(*dir / "ten.svg").find("<svg") != std::string::npos);
    }

    void setupChecksInOrderAndCancelGivesBackTheChart() {
        ChartWindow* w = newWindow();
        w->model().markSaved();
        const ChartContent before = w->model().content();
        ChartSetupWindow setup(*w, fake->ui, dir->path());
        QVERIFY(std::filesystem::exists(*dir / "CHEA02.TMP"));
        const auto field = [&](const char* name) { return setup.findChild<QLineEdit*>(name); };
        setup.findChild<QComboBox*>("xScale")->setCurrentIndex(1); // Linear
        field("xMaximum")->setText("4000");
        field("xMinimum")->setText("300");
        const char* kLogRefused =
            "The Y-axis contains negative values or 0, the logarithmic scale cannot be created.";
        struct Step {
            const char* field;
            const char* text;
            const char* message; // nothing: Apply passes
        } steps[] = {
            {"xMajorTicks", "21",
             "The major tick number of the X-axis, please enter an integer on the interval [1, "
             "20]."},
            {"xMajorTicks", "20", nullptr},
            {"xMinorTicks", "0",
             "The minor tick number of the X-axis, please enter an integer on the interval [1, "
             "10]."},
            {"xMinorTicks", "10", nullptr},
            {"yScale", "Log", kLogRefused},
            {"yMinimum", "-1", kLogRefused},
            {"yMinimum", "1E-10", nullptr},
        };
        for (const Step& step : steps) {
            fake->dialogs.shown.clear();
            if (auto* scale = setup.findChild<QComboBox*>(step.field))
                scale->setCurrentText(step.text);
            else
                field(step.field)->setText(step.text);
            const bool applied = setup.apply();
            QCOMPARE(fake->dialogs.texts(), step.message ? std::vector<std::string>{step.message}
                                                         : std::vector<std::string>{});
            QCOMPARE(applied, step.message == nullptr);
        }
        QCOMPARE(w->model().content().look.xAxis.majorTicks, 20);
        QCOMPARE(w->model().content().look.yAxis.scale, AxisScale::Log);
        QVERIFY(w->model().isModified());
        setup.cancel();
        QVERIFY(w->model().content() == before);
        QVERIFY(!w->model().isModified());
        QVERIFY(!std::filesystem::exists(*dir / "CHEA02.TMP"));
    }

    void clicksSelectSubsetsAndOpenTheTextEditor() {
        ChartWindow* w = newWindow();
        std::optional<ChartTextEdit> asked;
        w->setTextEditor([&](ChartTextEdit edit) { asked = std::move(edit); });
        w->canvas()->layOut();
        const ChartFrame frame = w->frame();
        const ChartSubset& cp = w->model().subset(1);
        w->clickAt(frame.toPixel(cp.x[10], cp.y[10]));
        QCOMPARE(w->model().selected(), std::optional<int>(1));
        QVERIFY(!asked);

        for (const ChartTextArea& text : frame.texts)
            if (text.kind == ChartTextKind::MainTitle)
                w->clickAt(text.area.center());
        QVERIFY(asked);
        QCOMPARE(asked->element, std::string("Main Title"));
        QCOMPARE(asked->text, std::string("H2O"));
        asked->apply("Water");
        QCOMPARE(w->model().content().mainTitle, std::string("Water"));

        w->clickAt(QPointF(2, 2)); // the frame's corner: nothing there
        QVERIFY(!w->model().selected());

        // Copy and paste a subset through the clipboard.
        w->model().select(2);
        QVERIFY(w->copySubset());
        QVERIFY(fake->clipboard.content.starts_with("!KINETRA"));
        QVERIFY(!w->model().selected());
        QVERIFY(w->pasteSubset());
        QCOMPARE(w->model().subsetCount(), 4);
        QCOMPARE(w->model().subset(3).y, w->model().subset(2).y);

        // New Annotation: the next click places it and opens the editor on it.
        w->startNewAnnotation();
        w->clickAt(frame.plot.center());
        QCOMPARE(w->model().annotation(0).text, std::string("New Annotation"));
        QCOMPARE(asked->element, std::string("New Annotation"));
        asked->apply("maximum");
        QCOMPARE(w->model().annotation(0).text, std::string("maximum"));

        // Dragging a rectangle over the plot zooms into it.
        const QPoint from = frame.plot.center().toPoint() - QPoint(40, 40);
        QTest::mousePress(w->canvas(), Qt::LeftButton, {}, from);
        QTest::mouseRelease(w->canvas(), Qt::LeftButton, {}, from + QPoint(80, 80));
        QVERIFY(w->isZoomed());
        w->undoZoom();

        // The point read-out and a zoom that is undone.
        w->setReadoutVisible(true);
        w->chooseReadoutPoint(0, 0);
        QVERIFY(w->readoutTexts().first().startsWith(QStringLiteral("X = 3.00E+02\n10^X = ")));
        QVERIFY(!w->action("XYShowSub")->isEnabled() && w->action("XYHIDESub")->isEnabled());
        QVERIFY(!w->action("UndoZM")->isEnabled());
        w->zoomTo({500, 900}, {0, 20});
        QVERIFY(w->isZoomed());
        QVERIFY(w->action("UndoZM")->isEnabled());
        w->undoZoom();
        QVERIFY(!w->isZoomed());
        QVERIFY(!w->action("UndoZM")->isEnabled());
    }
};

QTEST_MAIN(ChartWindowTest)
#include "ChartWindowTest.moc"
