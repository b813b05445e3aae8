// The options window without its widgets: the three colours, the five constant boxes, their
// validation and what OK and closing do. The Qt window draws this state and forwards clicks.
#pragma once

#include "common/Seams.h"
#include "shell/App.h"
#include "shell/Shell.h"

#include <array>
#include <optional>
#include <string>

namespace kinetra {

enum class ColourRole { Highlight, Selection, Background };

class OptionsWindowModel {
public:
    OptionsWindowModel(App& app, Ui& ui, Shell& shell);

    // Reads THERMOPath.txt and OPTIONS.txt into the window, item by item.
    void load();

    std::array<std::string, 5> boxes; // the constant boxes, in file order
    OptionsTab tab = OptionsTab::PhysicalConstants;
    std::optional<int> focusBox; // the box to focus with its text selected

    Colour colour(ColourRole role) const;
    void setColour(ColourRole role, Colour c);

    // The box that fails the numeric-and-positive test, or nothing.
    std::optional<int> firstInvalidBox() const;

    // OK: validates, writes OPTIONS.txt and reloads; true when the window may close.
    bool ok();
    // Cancel or the close box: true when the window may close (also when the user chose to
    // end the program because the stored constants are invalid).
    bool cancel();

private:
    void refuseBox(int box);

    App& app_;
    Ui& ui_;
    Shell& shell_;
    OptionsFile values_;                 // what the window will write
    std::array<std::string, 5> opening_; // the constants as read when the window opened
    std::string thermoPath_;
};

} // namespace kinetra
