// The settings of the rate and equilibrium constant tables and the model of their setup window:
// captions that follow the choices, and the checks of OK in the order the user meets them.
// The caller keeps one RatePlotSettings for the run of the program; nothing here is saved.
#pragma once

#include "common/Seams.h"

#include <array>
#include <optional>
#include <string>

namespace kinetra::reactions {

struct RatePlotSettings {
    double tmin = 300, tmax = 4000, step = 100; // K
    bool kfor = true, krev = true, kforLow = false, krevLow = false;
    bool equilibrium = false, deltaH = false, deltaS = false;
    bool kp = true;    // else Kc
    bool joule = true; // else calorie

    bool anyFunction() const {
        return kfor || krev || kforLow || krevLow || equilibrium || deltaH || deltaS;
    }
};

inline constexpr const char* kRateSetupCaption = "Reactions  Chart and Numeric Data Menu";
inline constexpr const char* kRateSetupHint =
    "Move the table cursor to the row with reaction whose functions you want to plot, and double "
    "click the row header. To add the functions to an existing chart, hold down the 'Ctrl' key "
    "and double click the row header.";

// EquilEn: the caption of the equilibrium check, and whether the Kp/Kc options are enabled.
struct EquilibriumCaption {
    std::string caption;
    bool optionsEnabled = false;
};
EquilibriumCaption equilibriumCaption(bool equilibriumChecked, bool kp);

// CheckCap: the Delta H and Delta S check captions in the chosen units.
std::array<std::string, 2> enthalpyEntropyCaptions(bool joule);

// What the window shows and the user edits.
struct RateSetupTexts {
    std::string min, max, step;
    bool kfor = true, krev = true, kforLow = false, krevLow = false;
    bool equilibrium = false, deltaH = false, deltaS = false;
    bool kp = true;
    bool joule = true;

    // A range value of 0 shows an empty box.
    static RateSetupTexts from(const RatePlotSettings& settings);
};

enum class RateSetupField { None, Functions, Min, Max, Step };

struct RateSetupValidation {
    std::optional<RatePlotSettings> settings; // the settings to store when accepted
    RateSetupField focus = RateSetupField::None;
    bool ok() const { return settings.has_value(); }
};

// OK: the checks in the window's order; the first refusal is shown and ends the check. The
// range comparisons are made in single precision, so that a Max typed equal to Min with noise
// beyond seven digits is still taken as equal.
RateSetupValidation validateRateSetup(const RateSetupTexts& texts, Dialogs& dialogs);

} // namespace kinetra::reactions
