#include "thermo/ui/ElementEditorWindow.h"

#include "common/PlaceError.h"
#include "common/ui/DialogButtons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kinetra::thermo::ui {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

ElementEditorWindow::ElementEditorWindow(ThermoDatabase& database, Ui& ui,
                                         std::filesystem::path errorFile, QWidget* parent)
    : QDialog(parent), database_(database), ui_(ui), errorFile_(std::move(errorFile)) {
    setObjectName(QStringLiteral("elementEditorWindow"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(text(kElementEditorHint));
    hint->setObjectName(QStringLiteral("hint"));
    hint->setWordWrap(true);
    layout->addWidget(hint);

    grid_ = new QTableWidget(kElementRowCount, 3);
    grid_->setObjectName(QStringLiteral("elements"));
    grid_->setHorizontalHeaderLabels(
        {text(kElementColumnNo), text(kElementColumnSymbol), text(kElementColumnWeight)});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(grid_, &QTableWidget::cellChanged, this, &ElementEditorWindow::symbolTyped);
    layout->addWidget(grid_, 1);

    kinetra::ui::addOkCancel(this, layout, [this] { accept(); });

    guarded(ui_.dialogs, kPlaceCode, [this] {
        store::Connection db = database_.connection();
        before_ = loadElementRows(db);
    });
    showRows(before_);
    resize(QSize(420, 480));
}

void ElementEditorWindow::showRows(const ElementRows& rows) {
    showing_ = true;
    for (int row = 0; row < kElementRowCount; ++row) {
        const ElementRow& r = rows[std::size_t(row)];
        auto* no = new QTableWidgetItem(QString::number(r.num));
        no->setFlags(no->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(row, kColumnNo, no);
        grid_->setItem(row, kColumnSymbol, new QTableWidgetItem(text(r.symbol)));
        grid_->setItem(row, kColumnWeight, new QTableWidgetItem(text(r.weight)));
    }
    showing_ = false;
}

void ElementEditorWindow::symbolTyped(int row, int column) {
    if (showing_ || column != kColumnSymbol)
        return;
    const QTableWidgetItem* symbol = grid_->item(row, kColumnSymbol);
    QTableWidgetItem* weight = grid_->item(row, kColumnWeight);
    if (!symbol || !weight)
        return;
    showing_ = true;
    weight->setText(text(proposedWeight(symbol->text().toStdString())));
    showing_ = false;
}

ElementRows ElementEditorWindow::typedRows() const {
    ElementRows rows = emptyElementRows();
    for (int row = 0; row < kElementRowCount; ++row) {
        const auto cell = [&](int column) {
            const QTableWidgetItem* item = grid_->item(row, column);
            return item ? item->text().toStdString() : std::string();
        };
        rows[std::size_t(row)].symbol = cell(kColumnSymbol);
        rows[std::size_t(row)].weight = cell(kColumnWeight);
    }
    return rows;
}

void ElementEditorWindow::accept() {
    const ElementRows rows = typedRows();
    ElementChangeResult result;
    if (!guarded(ui_.dialogs, kPlaceCode,
                 [&] { result = applyElementRows(database_, ui_, before_, rows, errorFile_); }))
        return; // the file is as it was: the user may try again or cancel
    if (result.applied) {
        QDialog::accept();
        emit applied(result);
        return;
    }
    // Not applied: either a refused cell, whose message is already shown, or the user kept the
    // elements at the removal question; only the first needs pointing at.
    const ElementValidation refused = validateElementRows(rows);
    if (refused.ok || refused.row < 0 || refused.column < 0)
        return;
    grid_->setFocus(Qt::OtherFocusReason);
    grid_->setCurrentCell(refused.row, refused.column);
    if (QTableWidgetItem* item = grid_->item(refused.row, refused.column))
        grid_->editItem(item);
}

} // namespace kinetra::thermo::ui
