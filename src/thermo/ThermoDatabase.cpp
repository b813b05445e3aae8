#include "thermo/ThermoDatabase.h"

#include "common/FileAttributes.h"
#include "common/PlaceError.h"
#include "common/QuotedItems.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "thermo/ElementEditor.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

namespace kinetra::thermo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "KINETRA";

struct Tables {
    std::vector<std::vector<store::Value>> species, elements;
};

Tables readTables(store::Connection& db) {
    return {readAllRows(db, "Trm"), readAllRows(db, "Elements")};
}

void writeTables(store::Connection& db, const Tables& tables) {
    store::Transaction transaction(db);
    db.execute("DELETE * FROM [Trm];");
    db.execute("DELETE * FROM [Elements];");
    db.insertRows("Trm", tables.species);
    db.insertRows("Elements", tables.elements);
    transaction.commit();
}

} // namespace

std::string connectFailureMessage(ConnectOutcome outcome, const std::string& path,
                                  const std::string& detail) {
    switch (outcome) {
    case ConnectOutcome::Connected:
        return {};
    case ConnectOutcome::Missing:
        return "The THERMO database " + path + " does not exist.";
    case ConnectOutcome::Folder:
        return path + " is a folder, not a THERMO database.";
    case ConnectOutcome::NotDatabase:
        return "The file " + path +
               " is not a database (it is empty or of another kind). Make sure you are opening "
               "the thermodynamic database.";
    case ConnectOutcome::Damaged:
        return "The THERMO database " + path +
               " is damaged (truncated or malformed). Connect another THERMO database or a "
               "saved copy of this one.";
    case ConnectOutcome::Busy:
        return "The THERMO database " + path +
               " is busy: another program is writing to it. Try again when it has finished.";
    case ConnectOutcome::WrongFields:
        return "The file " + path + " is not a THERMO database of this program: " + detail + ".";
    case ConnectOutcome::ReadOnly:
        return "THERMO database " + path + " is read-only. " +
               "Remove this attribute or connect another THERMO database.";
    case ConnectOutcome::ElementsUnreadable:
        return "The ELEMENTS table of the THERMO database " + path +
               " cannot be read or processed. " +
               "We recommend you to connect another THERMO database.";
    case ConnectOutcome::HeaderFailed:
        return "An unexpected error has occurred processing the THERMO database . " + path +
               " We recommend you to connect another database to the program" +
               " using the THERMO Database item on the File menu.";
    case ConnectOutcome::NoThermoTable:
        break;
    }
    return path + " The program cannot find the THERMO table. Make sure you are opening the " +
           "thermodynamic database.";
}

bool createThermoDatabase(const fs::path& templateFile, const fs::path& target,
                          const std::optional<ElementRows>& slots) {
    return store::createDatabaseIfAbsent(target, templateFile, [&](store::Connection& db) {
        if (slots)
            writeElementRows(db, *slots);
    });
}

ThermoDatabase::ThermoDatabase(ThermoFiles files) : files_(std::move(files)) {}

namespace {

ConnectOutcome outcomeOf(const store::StoreError& e) {
    switch (e.problem()) {
    case store::StoreProblem::Missing:
        return ConnectOutcome::Missing;
    case store::StoreProblem::Folder:
        return ConnectOutcome::Folder;
    case store::StoreProblem::Empty:
    case store::StoreProblem::NotDatabase:
        return ConnectOutcome::NotDatabase;
    case store::StoreProblem::Damaged:
        return ConnectOutcome::Damaged;
    case store::StoreProblem::Busy:
        return ConnectOutcome::Busy;
    default:
        return ConnectOutcome::HeaderFailed;
    }
}

} // namespace

ConnectOutcome ThermoDatabase::connect(const fs::path& path) {
    failureDetail_.clear();
    // Temporary files a killed run left beside the database (a half-written ErrorMsg.txt, a
    // half-made rebuild) go now.
    removeStaleTemporaries(path.parent_path());
    if (readOnlyState(path) == ReadOnlyState::ReadOnly)
        return ConnectOutcome::ReadOnly;
    ElementTable elements;
    try {
        store::Connection db = store::Connection::open(path);
        if (!db.hasTable("Elements") || !db.hasTable("Trm"))
            return ConnectOutcome::NoThermoTable;
        // Rows are read by position: a table with a field missing or moved would put every
        // later value in the wrong place.
        for (const store::TableSchema* schema : {&store::elementsSchema(), &store::trmSchema()}) {
            failureDetail_ = db.schemaMismatch(*schema);
            if (!failureDetail_.empty())
                return ConnectOutcome::WrongFields;
        }
        auto table = readElementTable(db);
        if (!table)
            return ConnectOutcome::ElementsUnreadable;
        elements = *table;
        checkAllSpecies(db);
    } catch (const store::StoreError& e) {
        failureDetail_ = e.what();
        return outcomeOf(e);
    } catch (const std::exception& e) {
        failureDetail_ = e.what();
        return ConnectOutcome::HeaderFailed;
    }
    path_ = path;
    elements_ = elements;
    elementsValid_ = true;
    modified_ = false;
    savedCopy_.clear();
    if (!files_.pathFile.empty())
        writeTextFile(files_.pathFile, writeQuotedItems({path.string()}));
    return ConnectOutcome::Connected;
}

bool ThermoDatabase::connect(const fs::path& path, Dialogs& dialogs) {
    const ConnectOutcome outcome = connect(path);
    if (outcome == ConnectOutcome::Connected)
        return true;
    dialogs.message(connectFailureMessage(outcome, path.string(), failureDetail_), kTitle,
                    Icon::Critical);
    return false;
}

bool ThermoDatabase::createNew(Ui& ui) {
    const std::string chosen = ui.files.saveFile(FilterKind::Databases, "New THERMO Database", "");
    if (chosen.empty())
        return false;
    copyFileOverwrite(files_.emptyTemplate, chosen);
    return connect(chosen, ui.dialogs);
}

bool ThermoDatabase::openWithDialog(Ui& ui) {
    const std::string chosen = ui.files.openFile(FilterKind::Databases, "Open THERMO Database");
    if (chosen.empty())
        return false;
    const fs::path path(chosen);
    std::string extension = path.extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    if (lowerAscii(extension) != "mdb") {
        ui.dialogs.message("The file extension '." + extension +
                               "' is not valid for THERMO database. The correct extension is "
                               "'.mdb'.",
                           kTitle, Icon::Critical);
        return false;
    }
    if (equalsIgnoreCase(path.filename().string(), "EmptyThermo.mdb")) {
        ui.dialogs.message("The auxiliary database EmptyThermo.mdb cannot be opened.", kTitle,
                           Icon::Critical);
        return false;
    }
    return connect(path, ui.dialogs);
}

store::Connection ThermoDatabase::connection() const {
    if (!isConnected())
        throw store::StoreError("No THERMO database is connected");
    return store::Connection::open(path_);
}

bool ThermoDatabase::reloadElements() {
    try {
        store::Connection db = connection();
        if (auto table = readElementTable(db)) {
            elements_ = *table;
            return elementsValid_ = true;
        }
    } catch (const std::exception&) {
    }
    return elementsValid_ = false;
}

void ThermoDatabase::windowOpened() {
    savedCopy_ = path_.parent_path() / ("~" + path_.filename().string());
    copyFileOverwrite(path_, savedCopy_);
}

void ThermoDatabase::save() {
    if (savedCopy_.empty())
        windowOpened();
    else
        copyFileOverwrite(path_, savedCopy_);
}

bool ThermoDatabase::saveAs(Ui& ui) {
    const std::string chosen =
        ui.files.saveFile(FilterKind::Databases, "Save THERMO Database as", fileName());
    if (chosen.empty())
        return false;
    // Copying a file onto itself would truncate it; there is nothing to copy then.
    std::error_code ec;
    if (!fs::equivalent(path_, chosen, ec))
        copyFileOverwrite(path_, chosen);
    modified_ = false;
    return true;
}

bool ThermoDatabase::replaceWithSavedCopy(Dialogs& dialogs) {
    if (dialogs.ask("Do you want to replace the THERMO database with the saved copy?", kTitle,
                    Buttons::YesNo, Answer::Yes, Icon::Question) != Answer::Yes)
        return false;
    restoreFrom(savedCopy_);
    reloadElements();
    modified_ = false;
    return true;
}

void ThermoDatabase::restoreFrom(const fs::path& source) {
    Tables tables;
    {
        store::Connection copy = store::Connection::open(source, store::OpenMode::ReadOnly);
        tables = readTables(copy);
    }
    store::Connection db = connection();
    writeTables(db, tables);
}

CloseOutcome ThermoDatabase::close(Dialogs& dialogs) {
    if (modified_) {
        const Answer answer =
            dialogs.ask("Do you want to save changes to the THERMO table?", kTitle,
                        Buttons::YesNoCancel, Answer::Yes, Icon::Question);
        if (answer == Answer::Cancel)
            return CloseOutcome::Cancelled;
        if (answer == Answer::No) {
            restoreFrom(savedCopy_);
            reloadElements();
        }
    }
    guarded(dialogs, "Mod4#010. ", [&] { rebuild(); });
    return CloseOutcome::Closed;
}

void ThermoDatabase::rebuild() {
    store::rewriteDatabase(path_, files_.emptyTemplate,
                           [](store::Connection& old, store::Connection& fresh) {
                               const Tables tables = readTables(old);
                               fresh.execute("DELETE * FROM [Elements];");
                               fresh.insertRows("Trm", tables.species);
                               fresh.insertRows("Elements", tables.elements);
                           });
}

} // namespace kinetra::thermo
