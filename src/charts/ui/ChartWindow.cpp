#include "charts/ui/ChartWindow.h"

#include "charts/SubsetText.h"
#include "charts/ui/ChartCanvas.h"
#include "charts/ui/ChartSetupWindow.h"
#include "common/PlaceError.h"
#include "common/TextFile.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <random>

namespace kinetra::ui {

namespace {

constexpr const char* kChartPlaceCode = "PLT#001. ";

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

const char* elementName(ChartTextKind kind) {
    switch (kind) {
    case ChartTextKind::MainTitle:
        return "Main Title";
    case ChartTextKind::SubTitle:
        return "SubTitle";
    case ChartTextKind::XLabel:
        return "XAxis Label";
    case ChartTextKind::YLabel:
        return "YAxis Label";
    case ChartTextKind::SubsetLabel:
        return "SubSet Label";
    case ChartTextKind::Annotation:
        break;
    }
    return "Annotation";
}

} // namespace

ChartWindow::ChartWindow(ChartWindowContext context, std::string caption, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), caption_(std::move(caption)),
      model_(context_.draw ? context_.draw : randomWholeNumbers(std::random_device{}())) {
    canvas_ = new ChartCanvas(this);
    canvas_->setObjectName(QStringLiteral("chartCanvas"));
    canvas_->content = [this]() -> const ChartContent& { return model_.content(); };
    canvas_->options = [this] {
        return ChartDrawOptions{model_.selected(), context_.selection, zoomX_, zoomY_};
    };
    connect(canvas_, &ChartCanvas::clicked, this,
            [this](QPointF at) { run([&] { clickAt(at); }); });
    connect(canvas_, &ChartCanvas::zoomRequested, this, [this](QRectF pixels) {
        const ChartFrame& f = canvas_->frame();
        const QRectF r = pixels.intersected(f.plot);
        if (r.width() < 2 || r.height() < 2)
            return;
        const auto [x0, y0] = f.toValues(r.bottomLeft());
        const auto [x1, y1] = f.toValues(r.topRight());
        zoomTo({x0, x1}, {y0, y1});
    });

    // The point read-out at the side, hidden until asked for.
    readout_ = new QGroupBox(tr("Point"), this);
    readout_->setObjectName(QStringLiteral("pointReadout"));
    readoutSubset_ = new QComboBox(readout_);
    readoutPoint_ = new QSpinBox(readout_);
    readoutX_ = new QLabel(readout_);
    readoutY_ = new QLabel(readout_);
    readoutX_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readoutY_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* side = new QVBoxLayout(readout_);
    side->addWidget(readoutSubset_);
    side->addWidget(readoutPoint_);
    side->addWidget(readoutX_);
    side->addWidget(readoutY_);
    side->addStretch();
    readout_->hide();
    connect(readoutSubset_, &QComboBox::currentIndexChanged, this, [this] { refreshReadout(); });
    connect(readoutPoint_, &QSpinBox::valueChanged, this, [this] { refreshReadout(); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(canvas_, 1);
    layout->addWidget(readout_);
    buildMenus();
    menuEnab(!isScratch());
}

ChartWindow::~ChartWindow() = default;

bool ChartWindow::isScratch() const {
    return isScratchCaption(caption_);
}

QAction* ChartWindow::action(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

const ChartFrame& ChartWindow::frame() const {
    return canvas_->frame();
}

void ChartWindow::run(const std::function<void()>& command) {
    guarded(context_.ui.dialogs, kChartPlaceCode, command);
    redraw();
}

void ChartWindow::redraw() {
    canvas_->update();
    if (readout_->isVisible())
        refreshReadout();
    // Items that would do nothing are shown disabled: Undo Zoom without a zoom, the read-out's
    // Show while it is shown and Hide while it is hidden.
    if (QAction* undo = action("UndoZM"))
        undo->setEnabled(isZoomed());
    if (QAction* show = action("XYShowSub"))
        show->setEnabled(readout_->isHidden());
    if (QAction* hide = action("XYHIDESub"))
        hide->setEnabled(!readout_->isHidden());
}

QAction* ChartWindow::addItem(QMenu* menu, const std::string& name, const QString& caption,
                              std::function<void()> command) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(qs(name));
    connect(item, &QAction::triggered, this,
            [this, command = std::move(command)] { run(command); });
    actions_[name] = item;
    return item;
}

void ChartWindow::buildMenus() {
    auto* file = new QMenu(tr("File"), this);
    addItem(file, "SAVEGRAPH", tr("Save"), [this] { saveTT(); });
    addItem(file, "SAVEASGRAPH", tr("Save as..."), [this] { saveGraphTT(); });
    file->addSeparator();
    addItem(file, "Tofile", tr("Export Picture..."), [this] { exportPicture(false, false); });
    addItem(file, "BitmapClip", tr("Copy Bitmap to Clipboard"),
            [this] { exportPicture(false, true); });
    addItem(file, "MetafileClip", tr("Copy SVG Drawing to Clipboard"),
            [this] { exportPicture(true, true); });
    file->addSeparator();
    addItem(file, "PlotPrint", tr("Print..."), [this] { printPreview(); });
    file->addSeparator();
    addItem(file, "PLOT_Close", tr("Close"), [this] {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            QTimer::singleShot(0, frame, [frame] { frame->close(); });
    });

    auto* edit = new QMenu(tr("Edit"), this);
    addItem(edit, "CUTSS", tr("Cut Subset"), [this] { cutSubset(); });
    addItem(edit, "SAVESS", tr("Copy Subset"), [this] { copySubset(); });
    addItem(edit, "PASTESS", tr("Paste Subset"), [this] { pasteSubset(); });
    edit->addSeparator();
    addItem(edit, "ANNOTATIONS", tr("New Annotation"), [this] { startNewAnnotation(); });
    addItem(edit, "SHOWALLTEXT", tr("Show All Chart Texts"), [this] { showAllTexts(); });

    auto* view = new QMenu(tr("View"), this);
    addItem(view, "GridLine", tr("Show/Hide Grid Lines"), [this] { toggleGrid(); });
    addItem(view, "MarkDataPnt", tr("Show/Hide Points"), [this] { togglePoints(); });
    addItem(view, "ViewingStyle", tr("Color/Monochrome Style"), [this] { toggleMonochrome(); });
    view->addSeparator();
    addItem(view, "XYShowSub", tr("Show Point Values"), [this] { setReadoutVisible(true); });
    addItem(view, "XYHIDESub", tr("Hide Point Values"), [this] { setReadoutVisible(false); });
    addItem(view, "UndoZM", tr("Undo Zoom"), [this] { undoZoom(); });
    view->addSeparator();
    addItem(view, "PLOT_Setup", tr("Chart Setup..."), [this] { openChartSetup(); });
    for (const char* toggle : {"GridLine", "MarkDataPnt", "ViewingStyle"})
        actions_.at(toggle)->setCheckable(true);
    menus_ = {file, edit, view};
    selectionUpdated();
    redraw();
}

QList<QMenu*> ChartWindow::documentMenus() {
    return menus_;
}

ToolbarOperationTable ChartWindow::toolbarOperations(ChartWindow* w) {
    using Op = ToolbarOperation;
    return {
        {Op::Save, [w] { w->saveTT(); }},
        {Op::Print, [w] { w->printPreview(); }},
        {Op::CutSubset, [w] { w->cutSubset(); }},
        {Op::CopySubset, [w] { w->copySubset(); }},
        {Op::PasteSubset, [w] { w->pasteSubset(); }},
        {Op::NewAnnotation, [w] { w->startNewAnnotation(); }},
        {Op::ShowAllTexts, [w] { w->showAllTexts(); }},
        {Op::ToggleGridLines, [w] { w->toggleGrid(); }},
        {Op::TogglePoints, [w] { w->togglePoints(); }},
        {Op::ToggleMonochrome, [w] { w->toggleMonochrome(); }},
    };
}

bool ChartWindow::offers(ToolbarOperation operation) {
    return windowOffers<ChartWindow>(operation);
}

bool ChartWindow::runToolbarOperation(ToolbarOperation operation) {
    return runOperation(toolbarOperations(this), operation,
                        [this](const std::function<void()>& command) { run(command); });
}

// ---- The producers' hand-over ---------------------------------------------------------------

void ChartWindow::showHandOver(const ChartHandOver& handOver, bool add) {
    zoomX_.reset();
    zoomY_.reset();
    applyHandOver(model_, handOver, add);
    selectionUpdated();
    redraw();
}

void ChartWindow::setCaption(const std::string& caption) {
    caption_ = caption;
    menuEnab(!isScratch());
    if (context_.caption)
        context_.caption(caption_);
}

// ---- Subsets, texts, toggles ----------------------------------------------------------------

void ChartWindow::selectionUpdated() {
    const bool selected = model_.selected().has_value();
    for (const char* name : {"CUTSS", "SAVESS"})
        if (QAction* a = action(name))
            a->setEnabled(selected);
    emit toolbarStateChanged();
}

bool ChartWindow::copySubset() {
    const auto s = model_.selected();
    if (!s)
        return false;
    const std::string text = subsetText(model_, *s, context_.ui.clock.now());
    if (!context_.supportDir.empty())
        writeTextFile(context_.supportDir / kSubsetScratchFile, text);
    context_.ui.clipboard.setText(text);
    model_.cancelSelection();
    selectionUpdated();
    redraw();
    return true;
}

bool ChartWindow::cutSubset() {
    const auto s = model_.selected();
    if (!s || !copySubset())
        return false;
    model_.select(*s);
    const bool deleted = model_.subsetDel(context_.ui.dialogs);
    selectionUpdated();
    redraw();
    return deleted;
}

bool ChartWindow::pasteSubset() {
    const bool added = kinetra::pasteSubset(model_, context_.ui.clipboard, context_.ui.dialogs);
    selectionUpdated();
    redraw();
    return added;
}

void ChartWindow::startNewAnnotation() {
    placingAnnotation_ = true;
    canvas_->setCursor(Qt::CrossCursor);
}

void ChartWindow::showAllTexts() {
    model_.showAllText();
    redraw();
}

void ChartWindow::toggleGrid() {
    model_.setGrid(!model_.content().grid);
    action("GridLine")->setChecked(model_.content().grid);
    emit toolbarStateChanged();
    redraw();
}

void ChartWindow::togglePoints() {
    model_.setPointSymbols(!model_.content().pointSymbols);
    action("MarkDataPnt")->setChecked(model_.content().pointSymbols);
    emit toolbarStateChanged();
    redraw();
}

void ChartWindow::toggleMonochrome() {
    model_.setMonochrome(!model_.content().monochrome);
    action("ViewingStyle")->setChecked(model_.content().monochrome);
    emit toolbarStateChanged();
    redraw();
}

void ChartWindow::zoomTo(ValueRange x, ValueRange y) {
    if (x.maximum <= x.minimum || y.maximum <= y.minimum)
        return;
    zoomX_ = x;
    zoomY_ = y;
    redraw();
}

void ChartWindow::undoZoom() {
    zoomX_.reset();
    zoomY_.reset();
    redraw();
}

void ChartWindow::openChartSetup() {
    ChartSetupWindow setup(*this, context_.ui, context_.supportDir, this);
    setup.exec();
    selectionUpdated();
    redraw();
}

// ---- The point read-out ---------------------------------------------------------------------

void ChartWindow::setReadoutVisible(bool visible) {
    readout_->setVisible(visible);
    redraw();
}

void ChartWindow::chooseReadoutPoint(int subset, int point) {
    refreshReadout();
    readoutSubset_->setCurrentIndex(subset);
    readoutPoint_->setValue(point + 1);
    refreshReadout();
}

QStringList ChartWindow::readoutTexts() const {
    return {readoutX_->text(), readoutY_->text()};
}

void ChartWindow::refreshReadout() {
    const QSignalBlocker blockSubsets(readoutSubset_);
    const QSignalBlocker blockPoints(readoutPoint_);
    const int chosen = std::max(readoutSubset_->currentIndex(), 0);
    readoutSubset_->clear();
    for (int s = 0; s < model_.subsetCount(); ++s)
        readoutSubset_->addItem(qs(model_.subset(s).label));
    readoutSubset_->setCurrentIndex(std::min(chosen, model_.subsetCount() - 1));
    readoutPoint_->setRange(1, std::max(model_.pointCount(), 1));
    const int s = readoutSubset_->currentIndex();
    const int p = readoutPoint_->value() - 1;
    if (s < 0 || p >= model_.pointCount()) {
        readoutX_->clear();
        readoutY_->clear();
        return;
    }
    const auto text = [](double v, auto readout) {
        if (!isPointValue(v))
            return QStringLiteral("Empty");
        const auto [value, power] = readout(v);
        return qs(value) + QLatin1Char('\n') + qs(power);
    };
    readoutX_->setText(text(model_.subset(s).x[p], xReadout));
    readoutY_->setText(text(model_.subset(s).y[p], yReadout));
}

// ---- Clicks ---------------------------------------------------------------------------------

std::optional<ChartTextEdit> ChartWindow::textEditAt(const ChartTextArea& t) {
    const ChartContent& c = model_.content();
    ChartTextEdit edit;
    edit.element = elementName(t.kind);
    const int index = t.index;
    switch (t.kind) {
    case ChartTextKind::MainTitle:
        edit.text = c.mainTitle;
        edit.apply = [this](const std::string& s) { model_.setMainTitle(s); };
        break;
    case ChartTextKind::SubTitle:
        edit.text = c.subTitle;
        edit.apply = [this](const std::string& s) { model_.setSubTitle(s); };
        break;
    case ChartTextKind::XLabel:
        edit.text = c.xLabel;
        edit.apply = [this](const std::string& s) { model_.setXLabel(s); };
        break;
    case ChartTextKind::YLabel:
        edit.text = c.yLabel;
        edit.apply = [this](const std::string& s) { model_.setYLabel(s); };
        break;
    case ChartTextKind::SubsetLabel:
        if (index >= model_.subsetCount())
            return std::nullopt;
        edit.text = model_.subset(index).label;
        edit.apply = [this, index](const std::string& s) {
            if (index < model_.subsetCount())
                model_.setSubsetLabel(index, s);
        };
        break;
    case ChartTextKind::Annotation: {
        const Annotation& a = model_.annotation(index);
        edit.element = a.text == kNewAnnotationText ? "New Annotation" : "Annotation";
        edit.text = a.text;
        edit.apply = [this, index](const std::string& s) {
            Annotation changed = model_.annotation(index);
            changed.text = s;
            model_.setAnnotation(index, changed);
        };
        break;
    }
    }
    // The edit lands after the window may have been redrawn: redraw again when it does.
    edit.apply = [this, apply = std::move(edit.apply)](const std::string& s) {
        apply(s);
        redraw();
    };
    return edit;
}

void ChartWindow::clickAt(QPointF at) {
    if (canvas_->frame().plot.isEmpty())
        canvas_->layOut();
    const ChartFrame& f = canvas_->frame();
    if (placingAnnotation_) {
        placingAnnotation_ = false;
        canvas_->unsetCursor();
        if (f.plot.contains(at)) {
            const auto [x, y] = f.toValues(at);
            if (const auto slot = model_.textAnnotationsNew(x, y, context_.ui.dialogs)) {
                redraw();
                canvas_->layOut();
                if (context_.editText)
                    if (auto edit = textEditAt({ChartTextKind::Annotation, *slot, {}}))
                        context_.editText(std::move(*edit));
            }
            return;
        }
    }
    if (const auto text = textAt(f, at)) {
        if (text->kind == ChartTextKind::SubsetLabel)
            model_.select(text->index);
        if (auto edit = textEditAt(*text); edit && context_.editText)
            context_.editText(std::move(*edit));
    } else if (const auto s = subsetAt(f, model_.content(), at)) {
        model_.select(*s);
    } else {
        model_.cancelSelection();
    }
    selectionUpdated();
    redraw();
}

} // namespace kinetra::ui
