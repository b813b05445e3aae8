#include "shell/Shell.h"

#include "common/FileAttributes.h"
#include "common/PlaceError.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "reactions/ReactionDatabase.h"
#include "shell/StartupChecks.h"

#include <cmath>

namespace kinetra {

namespace {
constexpr const char* kTitle = "KINETRA";

bool isRefusedExtension(const std::string& ext) {
    for (const char* refused :
         {"pdb", "dll", "gif", "msi", "bmp", "doc", "pdf", "ldb", "exe", "wmf"})
        if (ext == refused)
            return true;
    return false;
}
} // namespace

Shell::Shell(App& app, Ui& ui, WindowHost& host) : app_(app), ui_(ui), host_(host) {
    // FirstClose: the reaction template is opened once as the start-up copy and closed again,
    // so a damaged template shows itself before any work is done.
    firstClose_ = [this] {
        guarded(ui_.dialogs, "MDI#020. ", [this] {
            reactions::runStartupCopy({app_.folders.support(files::kEmptyReac),
                                       app_.folders.support(files::kStartupReacCopy)},
                                      reactions::ThermoSpeciesList{});
        });
    };
}

bool Shell::startNumberFormatCheck(const NumberToText& convert) {
    app_.numberFormatMessage = CheckNumberFormat(convert);
    if (app_.numberFormatMessage.empty())
        return true;
    ui_.progress.busy(false);
    return false;
}

void Shell::MDILoadConstants() {
    app_.thermoChart = {};
    app_.settings.rateChart = {300, 4000, 100};
    app_.settings.ln10 = std::log(10.0);
}

bool Shell::runTitleChecks() {
    if (TitleLoad(app_.folders, ui_.dialogs)) {
        app_.checksPassed = true;
        return true;
    }
    app_.terminate = true;
    RequestExit();
    return false;
}

void Shell::titleClosed() {
    if (app_.terminate)
        return;
    ShowToolbar(0);
    MDILoad(false);
}

bool Shell::OptionOpen() {
    auto text = readTextFile(app_.folders.support(files::kOptions));
    OptionsReadResult read = text ? readOptionsText(*text) : OptionsReadResult{};
    app_.options = read.values;
    // Items 1 and 2 are reserved: the run works with 0 whatever the file holds.
    app_.options.reserved1 = 0;
    app_.options.reserved2 = 0;
    app_.constants = PhysicalConstants::fromFileValues(app_.options.constants);
    host_.applyBackground(app_.options.background);
    return read.ok;
}

bool Shell::MDILoad(bool reload) {
    ui_.progress.busy(true);
    if (!reload)
        ShowToolbar(0);
    if (!OptionOpen()) {
        ui_.progress.busy(false);
        ui_.dialogs.message(
            "Error in the OPTIONS.txt file. Use the OPTIONS windows to set correct values.", kTitle,
            Icon::Critical);
        host_.openOptionsWindow(OptionsTab::PhysicalConstants);
        return false;
    }
    app_.forbiddenSymbols = {" ", "=", "<", ">", "!", "$"};
    app_.thermoPath = readThermoPathFile(app_.folders);
    if (!reload) {
        const thermo::ConnectOutcome outcome = app_.thermo.connect(app_.thermoPath);
        if (outcome != thermo::ConnectOutcome::Connected) {
            ui_.progress.busy(false);
            reportThermoConnectFailure(outcome, app_.thermoPath);
            return true;
        }
        if (firstClose_)
            firstClose_();
        bool thermoOpen = !app_.windows.named(windows::kThermo).empty();
        if (app_.options.openThermoAtStart == 1 && !app_.optionsSaved && !thermoOpen)
            host_.showThermoWindow();
    }
    ui_.progress.busy(false);
    return true;
}

void Shell::reportThermoConnectFailure(thermo::ConnectOutcome outcome, const std::string& path) {
    // THERMOPath.txt may hold anything, random bytes included: the message shows what it names
    // in a readable, bounded form.
    const std::string shown = readableExcerpt(path);
    // Start-up has its own wording, shorter than that of the thermo database commands.
    std::string text;
    switch (outcome) {
    case thermo::ConnectOutcome::ReadOnly:
        text = "THERMO database " + shown + " is read-only, remove this attribute.";
        break;
    case thermo::ConnectOutcome::NoThermoTable:
        text = shown + " The program cannot find the THERMO table. Make sure you are opening the "
                       "thermodynamic database.";
        break;
    case thermo::ConnectOutcome::ElementsUnreadable:
    case thermo::ConnectOutcome::HeaderFailed:
        text = "The ELEMENTS table of the THERMO database '" + shown +
               "' cannot be read or processed. " +
               "On the File menu, use the THERMO Database item to connect a valid database.";
        break;
    default:
        text = thermo::connectFailureMessage(outcome, shown, app_.thermo.failureDetail()) +
               " On the File menu, use the THERMO Database item to connect a valid database.";
        break;
    }
    ui_.dialogs.message(text, kTitle, Icon::Critical);
}

void Shell::ShowToolbar(int mode) {
    if (mode != 0 && mode != 1 && mode != 2 && mode != 4 && mode != 5)
        return;
    app_.toolbarMode = mode;
    host_.showToolbar(mode);
}

void Shell::CloseToolWindows(ToolGroup group, const std::string& keepName) {
    std::vector<int> toClose;
    for (const auto& w : app_.windows.all())
        if (toolGroupOf(w.name) == group && !equalsIgnoreCase(w.name, keepName))
            toClose.push_back(w.id);
    for (int id : toClose)
        host_.closeWindow(id);
}

void Shell::OpenDocumentFile(std::string path) {
    CloseToolWindows(ToolGroup::Reaction, "");
    CloseToolWindows(ToolGroup::Thermo, "");
    const bool fromDialog = path.empty();
    std::string ext;
    for (;;) {
        if (fromDialog) {
            path = ui_.files.openFile(FilterKind::AllTextDatabasesCharts, "Open");
            if (path.empty())
                return;
        }
        ext = lowerAscii(SplitFilePath(path).extension);
        if (!isRefusedExtension(ext))
            break;
        ui_.dialogs.message("The specified Path/File name " + path +
                                " cannot be accessed or is invalid.",
                            kTitle, Icon::Exclamation);
        if (!fromDialog)
            return;
    }

    ReadOnlyCheck readOnly = CheckReadOnly(path, false);
    if (readOnly.code == 1) {
        if (ext != "mdb") {
            ui_.dialogs.message("File " + path + " is read-only.", kTitle, Icon::Exclamation);
        } else {
            ui_.dialogs.message("File " + path + " is read-only, " + "remove this attribute.",
                                kTitle, Icon::Exclamation);
            return;
        }
    }

    ui_.progress.busy(true);
    struct NotBusy {
        Progress& p;
        ~NotBusy() { p.busy(false); }
    } notBusy{ui_.progress};

    if (!app_.thermoPath.empty() && samePath(path, app_.thermoPath)) {
        host_.showThermoWindow();
        return;
    }
    if (ext == "mdb") {
        const std::string name = SplitFilePath(path).name;
        if ((!name.empty() && name.front() == '~') || equalsIgnoreCase(name, files::kEmptyReac)) {
            ui_.dialogs.message("The specified Path/File name cannot be accessed or is invalid.",
                                kTitle, Icon::Exclamation);
            return;
        }
        if (upperAscii(name) != upperAscii(files::kStartupReacCopy) &&
            !host_.acceptReactionDatabase(path))
            return;
        if (const OpenWindow* open = app_.windows.findByPath(windows::kReaction, path)) {
            host_.activateWindow(open->id);
            ui_.dialogs.message("The reaction database is already opened.\n\n" + path, kTitle,
                                Icon::Information);
            return;
        }
        host_.openReactionWindow(path);
        return;
    }
    if (ext == "pg") {
        if (!host_.openChartWindow(path))
            ui_.dialogs.message("File " + path + " cannot be opened. " +
                                    "Make sure you open a chart file and the file name is correct.",
                                kTitle, Icon::Exclamation);
        return;
    }
    // The solver-file test of text documents arrives with the solver subsystem.
    host_.openTextWindow(path, false);
}

void Shell::RequestExit() {
    host_.startExitTimer();
}

bool Shell::mainWindowCloseRequested() {
    if (app_.closing)
        return true;
    RequestExit();
    return false;
}

bool Shell::runExit() {
    ui_.clipboard.clear();
    for (const char* first : {windows::kPostProcessor, windows::kSolverSettings})
        for (const auto& w : app_.windows.named(first))
            host_.closeWindow(w.id);
    host_.closeHelpViewer();

    // Close in the order the windows were opened; a copy, since closing edits the registry.
    const std::vector<OpenWindow> open = app_.windows.all();
    for (const auto& w : open) {
        if (equalsIgnoreCase(w.name, windows::kOptions) || !app_.windows.find(w.id))
            continue;
        host_.closeWindow(w.id);
        if (app_.cancelExit) {
            app_.cancelExit = false;
            return false;
        }
    }
    app_.closing = true;
    deleteScratchFiles();
    host_.quit();
    return true;
}

void Shell::deleteScratchFiles() {
    const AppFolders& f = app_.folders;
    for (const char* name : {"CHEA03.TMP", "CHEA02.TMP", files::kCopyScratch, "CHEM04.TMP"})
        deleteFileIfPresent(f.support(name));
    deleteFileIfPresent(f.app(files::kSolverInput));
    deleteFileIfPresent(f.support(files::kTmpPlot));
}

} // namespace kinetra
