// The connected thermo database: which file it is, its element slots, the saved copy that lets
// the user discard edits, and the file-level commands (new, open, connect, save, save as,
// replace with the saved copy, close with its rebuild). Only one is connected at a time.
#pragma once

#include "common/CloseOutcome.h"
#include "common/Seams.h"
#include "store/Database.h"
#include "thermo/ElementEditor.h"
#include "thermo/SpeciesRecord.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kinetra::thermo {

// Where the program keeps the files the thermo database works with.
struct ThermoFiles {
    std::filesystem::path emptyTemplate; // EmptyThermo.mdb
    std::filesystem::path pathFile;      // THERMOPath.txt; empty: the path is not remembered
};

enum class ConnectOutcome {
    Connected,
    ReadOnly,
    NoThermoTable,
    ElementsUnreadable,
    HeaderFailed,
    Missing,     // no file of that name
    Folder,      // the name is a folder's
    NotDatabase, // an empty file, a text, random bytes
    Damaged,     // a truncated or malformed database
    Busy,        // another program kept it locked
    WrongFields, // a table lacks fields or holds them in another order or type
};

// The message for a failed connection of the thermo database commands (title "KINETRA").
// `detail` says what is wrong for WrongFields (see ThermoDatabase::failureDetail).
std::string connectFailureMessage(ConnectOutcome outcome, const std::string& path,
                                  const std::string& detail = {});

// A new thermo database at `target` made from the template with the given element slots, whole
// or not at all; false (nothing changed) when a file of that name exists, even one another
// process created a moment ago.
// Without slots the template's stay.
bool createThermoDatabase(const std::filesystem::path& templateFile,
                          const std::filesystem::path& target,
                          const std::optional<ElementRows>& slots);

class ThermoDatabase {
public:
    explicit ThermoDatabase(ThermoFiles files);

    // Checks the file and, when it is a usable thermo database, makes it the connected one,
    // checks all its species and writes its path to THERMOPath.txt. On failure the previous
    // database stays connected and THERMOPath.txt is not touched. Shows nothing.
    ConnectOutcome connect(const std::filesystem::path& path);
    // connect() with its failure message.
    bool connect(const std::filesystem::path& path, Dialogs& dialogs);
    // What the last failed connect found wrong, for the message of WrongFields.
    const std::string& failureDetail() const { return failureDetail_; }

    // The thermo database commands. Each returns true when a database was connected.
    bool createNew(Ui& ui);
    bool openWithDialog(Ui& ui);

    bool isConnected() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }
    std::string fileName() const { return path_.filename().string(); }
    const ElementTable& elements() const { return elements_; }
    bool elementsValid() const { return elementsValid_; }
    // A connection to the connected file for one operation; throws when there is none.
    store::Connection connection() const;
    // Re-reads the element slots after they were rewritten; false (and the elements-valid flag
    // cleared) when the table cannot be read.
    bool reloadElements();

    // The thermo window opened: the saved copy "~name" beside the file is made.
    void windowOpened();
    const std::filesystem::path& savedCopyPath() const { return savedCopy_; }
    // The must-save flag: something changed since the window opened.
    bool isModified() const { return modified_; }
    void setModified() { modified_ = true; }

    // Copies the file over the saved copy. The must-save flag stays set.
    void save();
    // Copies the file to a chosen path; the connection stays. False when cancelled.
    bool saveAs(Ui& ui);
    // Asks, then restores both tables from the saved copy. False when the user said No.
    bool replaceWithSavedCopy(Dialogs& dialogs);
    // The save prompt, then the compacting rebuild of the file. Cancel keeps the window open.
    CloseOutcome close(Dialogs& dialogs);

    // The rebuild alone: every row written into a copy of the template, which then replaces the
    // file, so the file carries no free pages. A failure leaves the file as it was.
    void rebuild();
    // Both tables replaced by those of another database file, in one transaction.
    void restoreFrom(const std::filesystem::path& source);

private:
    ThermoFiles files_;
    std::filesystem::path path_;
    std::filesystem::path savedCopy_;
    ElementTable elements_;
    bool elementsValid_ = true;
    bool modified_ = false;
    std::string failureDetail_;
};

} // namespace kinetra::thermo
