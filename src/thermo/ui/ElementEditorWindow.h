// The element editor: the ten element slots of the connected database in a grid. The checks,
// the removal question and the change of the species table are those of ElementTableChange;
// the window proposes weights as symbols are typed and points at a refused cell.
#pragma once

#include "thermo/ElementTableChange.h"

#include <QDialog>
#include <filesystem>

class QTableWidget;

namespace kinetra::thermo::ui {

class ElementEditorWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Chemical Elements";
    // Place code of unexpected errors while reading or applying the slots.
    static constexpr const char* kPlaceCode = "TDB#092. ";

    ElementEditorWindow(ThermoDatabase& database, Ui& ui, std::filesystem::path errorFile,
                        QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }
    // The rows as the grid holds them now.
    ElementRows typedRows() const;

public slots:
    void accept() override;

signals:
    // OK changed the slots (and perhaps removed species): the species grid must re-read.
    void applied(const kinetra::thermo::ElementChangeResult& result);

private:
    void showRows(const ElementRows& rows);
    void symbolTyped(int row, int column);

    ThermoDatabase& database_;
    Ui& ui_;
    std::filesystem::path errorFile_;
    ElementRows before_ = emptyElementRows();
    QTableWidget* grid_ = nullptr;
    bool showing_ = false;
};

} // namespace kinetra::thermo::ui
