// One open reaction database: its file, the saved copy "~name" kept beside it while it is open,
// the modified flag, and the file commands (new, open, save, save as, replace with the saved
// copy, close with its prompt and compacting rebuild). Several may be open at once, never the
// same file twice; the window registry of the application state enforces that.
#pragma once

#include "common/CloseOutcome.h"
#include "common/Seams.h"
#include "reactions/ThermoSpeciesList.h"
#include "store/Database.h"
#include "thermo/ThermoDatabase.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kinetra::reactions {

struct ReactionFiles {
    std::filesystem::path emptyTemplate; // EmptyReac.mdb
    std::filesystem::path startupCopy;   // TMP_KINETRARDB.mdb
};

// THERMOOPEN: the valid species of the connected thermo database (writing their `Pol` flags),
// or, when there are none, the message (with the question when askToClose) and nothing; then
// showThermo is called so the user can enter species. closeAnswer receives the answer.
std::optional<ThermoSpeciesList> openThermoSpecies(thermo::ThermoDatabase& thermo, Dialogs& dialogs,
                                                   const std::function<void()>& showThermo,
                                                   bool askToClose = false,
                                                   Answer* closeAnswer = nullptr);

// Why a file cannot be opened as a reaction database (a saved copy, the template), or nothing.
std::optional<std::string> openRefusal(const std::filesystem::path& path);

class ReactionDatabase {
public:
    ReactionDatabase(std::filesystem::path path, ReactionFiles files);

    // Copies the template to the path (New) before opening: over an existing file only when
    // replaceExisting; otherwise a file another process created meanwhile is kept, never
    // overwritten.
    void createFromTemplate(bool replaceExisting = true);
    // OpenMain: the saved copy (not for the template or the start-up copy), every record checked
    // and renumbered, all records visible (Tmp = 1). Throws store::StoreError with the
    // "cannot find the table 'Reactions'" text when the file holds no reaction table.
    void open(const ThermoSpeciesList& species);

    const std::filesystem::path& path() const { return path_; }
    std::string fileName() const { return path_.filename().string(); }
    const std::filesystem::path& savedCopyPath() const { return savedCopy_; }
    bool isStartupCopy() const;
    store::Connection connection() const { return store::Connection::open(path_); }

    bool isModified() const { return modified_; }
    void setModified() { modified_ = true; }

    // Copies the file over its saved copy.
    void save();
    // Copies the file to a chosen path; the window keeps this file. False when cancelled.
    bool saveAs(Ui& ui);
    // Asks, then copies the saved copy over the file. False when the user said No.
    bool replaceWithSavedCopy(Dialogs& dialogs);
    // The save prompt (Cancel keeps the database open), the rebuild, then the saved copy goes.
    // The start-up copy closes without either.
    CloseOutcome close(Dialogs& dialogs);
    // The compacting rebuild: every record written into a copy of the template, which then
    // replaces the file; a failure leaves the file as it was.
    void rebuild();

private:
    std::filesystem::path path_;
    std::filesystem::path savedCopy_;
    ReactionFiles files_;
    bool modified_ = false;
};

// FirstClose at start-up: the template is copied to the start-up copy, opened and closed again,
// and the copy deleted, so a damaged template shows itself before any work is done.
void runStartupCopy(const ReactionFiles& files, const ThermoSpeciesList& species);

} // namespace kinetra::reactions
