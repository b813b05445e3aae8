// The chart window: one chart model drawn by the chart drawing, with its menus, the chart
// toolbar's operations, the point read-out at its side, zoom, and the commands of chart files
// and pictures. Clicks select subsets or ask the main window's one-line editor to edit a text;
// every rule (rebuilds, subset text, files, checks) is the chart model's.
#pragma once

#include "charts/ChartModel.h"
#include "charts/ui/ChartPainter.h"
#include "common/Seams.h"
#include "common/ui/DocumentView.h"
#include "common/ui/ToolbarOperations.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPrinter;
class QSpinBox;

namespace kinetra::ui {

class ChartCanvas;

// A text of the chart for the main window's one-line editor: what it is, its text, and the
// call that writes the edited text back.
struct ChartTextEdit {
    std::string element; // "Main Title", "SubTitle", "XAxis Label", ... "Annotation"
    std::string text;
    std::function<void(const std::string&)> apply;
};

struct ChartWindowContext {
    explicit ChartWindowContext(Ui& ui) : ui(ui) {}
    Ui& ui;
    std::filesystem::path supportDir; // CHEA02.TMP, CHEA03.TMP
    QColor selection = QColor(0, 0, 255);
    WholeNumberDraw draw;                            // subset colours
    std::function<void(ChartTextEdit)> editText;     // the main window's one-line editor
    std::function<void(const std::string&)> caption; // the window's caption changed
};

class ChartWindow final : public QWidget, public DocumentView {
    Q_OBJECT
public:
    ChartWindow(ChartWindowContext context, std::string caption, QWidget* parent = nullptr);
    ~ChartWindow() override;

    ChartModel& model() { return model_; }
    const ChartModel& model() const { return model_; }
    const std::string& caption() const { return caption_; }
    const std::string& fileName() const { return fileName_; }
    bool isScratch() const;
    ChartCanvas* canvas() const { return canvas_; }
    QAction* action(const std::string& name) const;
    const ChartFrame& frame() const;

    // The producers' hand-over: a new chart (with its description), or its subsets added.
    void showHandOver(const ChartHandOver& handOver, bool add);
    // The caption of a scratch chart follows the producer that rebuilt it.
    void setCaption(const std::string& caption);
    // Set by the main window once the window has its frame.
    void setCaptionChanged(std::function<void(const std::string&)> changed) {
        context_.caption = std::move(changed);
    }
    void setTextEditor(std::function<void(ChartTextEdit)> editor) {
        context_.editText = std::move(editor);
    }

    // OPENPLOT: false (window unchanged) when the file is not a chart file.
    bool openPlot(const std::filesystem::path& path);
    // SaveTT and SaveGraphTT; false when nothing was saved.
    bool saveTT();
    bool saveGraphTT();
    // MenuEnab: the Save item and button; the scratch chart can only be saved with Save as.
    void menuEnab(bool enabled);
    bool saveEnabled() const { return saveEnabled_; }

    // Picture export: a bitmap or an SVG drawing, to the clipboard or to a file chosen in the
    // save dialog (the format follows its extension). False when refused or cancelled.
    bool exportPicture(bool vector, bool toClipboard);

    // The subset commands of the toolbar.
    bool copySubset();
    bool cutSubset();
    bool pasteSubset();
    // The next click in the plot places a "New Annotation".
    void startNewAnnotation();
    void showAllTexts();
    void toggleGrid();
    void togglePoints();
    void toggleMonochrome();
    void undoZoom();
    void zoomTo(ValueRange x, ValueRange y);
    bool isZoomed() const { return zoomX_.has_value(); }
    void setReadoutVisible(bool visible);
    // The point read-out's texts for the chosen subset and point.
    QStringList readoutTexts() const;
    void chooseReadoutPoint(int subset, int point);
    void openChartSetup();
    // PrePrint: the print preview of the chart on a landscape page, then the printer.
    void printPreview();
    // Draws the chart on the printer's page, the window's drawing at screen resolution.
    static void printChart(const ChartContent& chart, QPrinter& printer);

    // A click at a point of the window's drawing (what the mouse does).
    void clickAt(QPointF at);
    // The text kinds of the one-line editor for a text of the drawing.
    std::optional<ChartTextEdit> textEditAt(const ChartTextArea& text);

    void redraw();

    // DocumentView
    QList<QMenu*> documentMenus() override;
    bool runToolbarOperation(ToolbarOperation operation) override;
    bool queryClose() override;
    bool saveDocument(bool asNew) override;
    static bool offers(ToolbarOperation operation);
    static ToolbarOperationTable toolbarOperations(ChartWindow* w);

signals:
    // The selection, or a toggle (grid, points, monochrome), changed: the chart toolbar's subset
    // buttons and pressed toggles follow.
    void toolbarStateChanged();
    void saveEnabledChanged(bool enabled);
    // ChartSize: "Chart: Width = 5.0'', Height = 3.5''" while the window is resized.
    void sizeTextChanged(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    QAction* addItem(QMenu* menu, const std::string& name, const QString& caption,
                     std::function<void()> command);
    void run(const std::function<void()>& command);
    bool saveTo(const std::filesystem::path& path);
    void refreshReadout();
    void selectionUpdated();

    ChartWindowContext context_;
    std::string caption_;
    std::string fileName_;
    ChartModel model_;
    bool saveEnabled_ = true;
    bool placingAnnotation_ = false;
    std::optional<ValueRange> zoomX_, zoomY_;
    ChartCanvas* canvas_ = nullptr;
    QWidget* readout_ = nullptr;
    QComboBox* readoutSubset_ = nullptr;
    QSpinBox* readoutPoint_ = nullptr;
    QLabel* readoutX_ = nullptr;
    QLabel* readoutY_ = nullptr;
    QList<QMenu*> menus_;
    std::map<std::string, QAction*> actions_;
};

} // namespace kinetra::ui
