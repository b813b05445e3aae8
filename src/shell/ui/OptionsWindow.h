// The options window: the three colours and the five physical constants. It draws an
// OptionsWindowModel and hands every decision to it.
#pragma once

#include "common/Seams.h"
#include "shell/OptionsWindowModel.h"

#include <QDialog>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace kinetra::ui {

// A painted sample of one colour: the selection in a chart or a plain filled area.
class ColourSample final : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Chart, Fill };
    explicit ColourSample(Kind kind, QWidget* parent = nullptr);
    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }
    QSize sizeHint() const override { return {120, 44}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    QColor colour_;
};

class OptionsWindow final : public QDialog {
    Q_OBJECT
public:
    // The model has been loaded; its tab says which page opens and names the window.
    OptionsWindow(OptionsWindowModel& model, Ui& ui, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* constantBox(int index) const { return boxes_.at(std::size_t(index)); }

    void accept() override; // OK
    void reject() override; // Cancel, Escape and the close box

private:
    void showBoxes();
    void showColours();
    void takeBoxes();
    void showRefusal();
    void chooseColour(ColourRole role);
    QWidget* newColoursPage();
    QWidget* newConstantsPage();

    OptionsWindowModel& model_;
    Ui& ui_;
    QTabWidget* tabs_ = nullptr;
    std::array<QLineEdit*, 5> boxes_{};
    QLabel* highlightSample_ = nullptr;
    ColourSample* selectionSample_ = nullptr;
    ColourSample* backgroundSample_ = nullptr;
};

} // namespace kinetra::ui
