// The application state: what the program keeps for the whole run. One object, created by the
// program's main and passed by reference; there are no other globals.
#pragma once

#include "reactions/ReactionTable.h"
#include "shell/AppFolders.h"
#include "shell/OptionsFile.h"
#include "shell/PhysicalConstants.h"
#include "shell/WindowRegistry.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoTable.h"
#include "thermo/ThermoTabulation.h"

#include <array>
#include <string>

namespace kinetra {

struct TemperatureGrid {
    double from = 300, to = 4000, step = 100; // K
};

// Settings that last until the program ends and start from these defaults.
struct RunSettings {
    TemperatureGrid rateChart;
    double ln10 = 0;
};

struct App {
    AppFolders folders;
    OptionsFile options;
    PhysicalConstants constants;
    std::string thermoPath; // from THERMOPath.txt

    // Flags of the start-up and exit sequences.
    bool terminate = false;    // the title window's checks failed
    bool checksPassed = false; // the title window's checks passed
    bool closing = false;      // set only by the exit routine
    bool cancelExit = false;   // a window refused to close during exit
    bool optionsSaved = false; // the options window saved during this run
    std::string numberFormatMessage;

    // Characters a species name must not contain, in this order.
    std::array<std::string, 6> forbiddenSymbols{};
    std::string blankColumn = std::string(10, ' ');

    int toolbarMode = 0;
    WindowRegistry windows;
    RunSettings settings;

    // The connected thermo database (none until start-up connects the one of THERMOPath.txt)
    // and the thermo choices that last for the run.
    thermo::ThermoDatabase thermo;
    thermo::ThermoRunSettings thermoReading;
    thermo::ThermoChartSettings thermoChart;
    // The reaction windows' choices that last for the run (refusal window, stoichiometric flag,
    // element ticks, mechanism document options).
    reactions::ReactionRunSettings reactionReading;

    explicit App(AppFolders f)
        : folders(std::move(f)),
          thermo({folders.support(files::kEmptyThermo), folders.support(files::kThermoPath)}) {}
};

} // namespace kinetra
