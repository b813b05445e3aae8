// The table store: one SQLite file per database. src/store owns every connection, statement and
// transaction of the program; no other folder talks to SQLite.
//
// A `Connection` is opened per operation and closed when it goes out of scope. Statements are
// accepted in the program's own forms ("SELECT * FROM [Trm] WHERE Info < 0 ORDER BY Num;",
// "DELETE * FROM [Trm];", ...); the few forms SQLite does not read natively are rewritten in one
// place. Row sets are snapshots: loaded whole into memory and re-queried after edits.
#pragma once

#include "store/Schema.h"
#include "store/Value.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace kinetra::store {

// What kind of failure a StoreError is, so that callers can word their own message for it.
enum class StoreProblem {
    Other,
    Missing,     // no such file
    Folder,      // the path names a folder
    Empty,       // a file of zero bytes
    NotDatabase, // a file of another kind (text, random bytes)
    Damaged,     // a database file that is truncated or malformed
    Busy,        // another program kept the database locked past the wait
    DiskFull,
};

// Every failing store call throws this; the caller reports it with its own place code.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const std::string& what, StoreProblem problem = StoreProblem::Other)
        : std::runtime_error(what), problem_(problem) {}
    StoreProblem problem() const { return problem_; }

private:
    StoreProblem problem_;
};

// How long a writer waits for another program's write lock before it is told the database is
// busy.
inline constexpr int kBusyWaitMilliseconds = 3000;

// The column names of a row set, shared by all its rows. Names compare without letter case.
class Columns {
public:
    explicit Columns(std::vector<std::string> names);
    std::size_t count() const { return names_.size(); }
    const std::string& name(std::size_t position) const { return names_.at(position); }
    // Throws StoreError naming the field when there is no such column.
    std::size_t position(std::string_view name) const;
    bool has(std::string_view name) const;

private:
    std::vector<std::string> names_;
};

class Row {
public:
    Row(std::shared_ptr<const Columns> columns, std::vector<Value> values);
    std::size_t fieldCount() const { return values_.size(); }
    const Value& operator[](std::size_t position) const { return values_.at(position); }
    const Value& field(std::string_view name) const;
    void set(std::size_t position, Value v) { values_.at(position) = std::move(v); }
    void set(std::string_view name, Value v);
    const std::vector<Value>& values() const { return values_; }
    const Columns& columns() const { return *columns_; }

private:
    std::shared_ptr<const Columns> columns_;
    std::vector<Value> values_;
};

struct RowSet {
    std::shared_ptr<const Columns> columns;
    std::vector<Row> rows;
    // The store's own identity of each row (SQLite rowid), filled by Connection::queryKeyed
    // only. Unlike Num, which users edit and renumber, it names one record until the next
    // rebuild of the table.
    std::vector<std::int64_t> keys;
    std::size_t recordCount() const { return rows.size(); }
};

enum class OpenMode { ReadWrite, ReadOnly };

class Connection {
public:
    // Opens an existing database file; throws StoreError (with its StoreProblem) when the file
    // is missing, a folder, empty, not a database, truncated or locked. Never creates a file.
    static Connection open(const std::filesystem::path& path, OpenMode mode = OpenMode::ReadWrite);
    // Creates a new, empty database file (replacing nothing: throws when it exists).
    static Connection create(const std::filesystem::path& path);

    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;
    ~Connection();

    RowSet query(std::string_view statement);
    // A "SELECT * FROM ..." statement whose rows also carry their keys (RowSet::keys); the
    // columns are those of the plain statement.
    RowSet queryKeyed(std::string_view statement);
    // A statement without rows (UPDATE, DELETE, CREATE); returns the number of changed rows.
    std::int64_t execute(std::string_view statement);
    // Adds rows with all fields in position order, each converted to its column's declared
    // type (empty text in a numeric field is stored as NULL; other non-numeric text there is
    // refused). All rows or none: outside a transaction the call is a transaction of its own.
    void insertRows(std::string_view table, std::span<const std::vector<Value>> rows);
    // Runs one statement with "?" parameters once per parameter set ("UPDATE [Trm] SET Info = ?
    // WHERE rowid = ?"), all sets or none. Values are bound as they are. Returns changed rows.
    std::int64_t executeEach(std::string_view statement,
                             std::span<const std::vector<Value>> parameterSets);
    bool hasTable(std::string_view table);
    std::int64_t recordCount(std::string_view table);
    // Empty when the table holds the fields of the schema in its order, with compatible types;
    // otherwise what is wrong, in words for the user ("the table Trm has no field N10"). Rows
    // are read by position, so a file that fails this must not be read.
    std::string schemaMismatch(const TableSchema& schema);

    // BEGIN IMMEDIATE: the write lock is taken before anything is read, so that a
    // read-modify-write never works on rows another writer is changing. A writer that finds the
    // lock taken waits kBusyWaitMilliseconds, then gets StoreProblem::Busy. Should the file have
    // been replaced by a rename while this connection waited (a compacting rebuild), the
    // connection moves to the new file first, so no change goes into a file no longer there.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const;

private:
    Connection(sqlite3* db, std::filesystem::path path, OpenMode mode);
    bool replacedOnDisk() const;
    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
    OpenMode mode_ = OpenMode::ReadWrite;
    std::uint64_t device_ = 0, inode_ = 0;
};

// Runs the statements of a multi-row change as one transaction: rolled back unless committed.
// Inside another transaction it is a savepoint of that one, so that steps which each keep
// themselves whole (an insertion, the check of all rows) combine into one change.
class Transaction {
public:
    explicit Transaction(Connection& c);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Connection& connection_;
    bool nested_ = false;
    bool done_ = false;
};

// The program's statement text in the form SQLite reads ("DELETE * FROM" -> "DELETE FROM").
std::string rewriteStatement(std::string_view statement);

// Writes a fresh thermo or reaction database (tables of Schema.h; the thermo one with its ten
// element slots) to path, replacing any file there.
void createThermoTemplate(const std::filesystem::path& path);
void createReactionTemplate(const std::filesystem::path& path);

// Creates a database file from a copy of `templateFile` changed by `fill` (inside a
// transaction), made whole under a temporary name and given the name `path` only if nothing has
// that name yet: two processes creating the same file at once never overwrite each other, and a
// kill never leaves a half-made file. Returns false (and removes its copy) when `path` exists.
bool createDatabaseIfAbsent(const std::filesystem::path& path,
                            const std::filesystem::path& templateFile,
                            const std::function<void(Connection&)>& fill);

// Replaces a database file by a new one made whole under a temporary name from `templateFile`
// and filled by `fill` (given the old file, locked for writing, and the new one, inside a
// transaction), then renamed over it. Until the rename the old file is untouched and no other
// writer can change it; a failure removes the new file and leaves the old one as it was.
void rewriteDatabase(const std::filesystem::path& path, const std::filesystem::path& templateFile,
                     const std::function<void(Connection& old, Connection& fresh)>& fill);

} // namespace kinetra::store
