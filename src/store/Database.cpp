#include "store/Database.h"

#include "common/TextNumber.h"
#include "store/NumericText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kinetra::store {

namespace {

namespace fs = std::filesystem;

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

std::string fileNameOf(sqlite3* db) {
    const char* name = sqlite3_db_filename(db, "main");
    return name && *name ? name : "(no file)";
}

// The failures the user can act on get words of their own; the rest keep SQLite's.
[[noreturn]] void fail(sqlite3* db, std::string_view statement) {
    const int code = sqlite3_errcode(db);
    const std::string file = fileNameOf(db);
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw StoreError("The database " + file +
                             " is busy: another program is writing to it. Try again when it has "
                             "finished.",
                         StoreProblem::Busy);
    case SQLITE_FULL:
        throw StoreError("There is no space left on the disk for the database " + file +
                             "; nothing of this change has been written.",
                         StoreProblem::DiskFull);
    case SQLITE_CORRUPT:
        throw StoreError("The database " + file + " is damaged (" + sqlite3_errmsg(db) + ").",
                         StoreProblem::Damaged);
    case SQLITE_NOTADB:
        throw StoreError("The file " + file + " is not a database.", StoreProblem::NotDatabase);
    default:
        throw StoreError(std::string(sqlite3_errmsg(db)) + " (" + std::string(statement) + ")");
    }
}

sqlite3* live(sqlite3* db) {
    if (!db)
        throw StoreError("The database connection is closed");
    return db;
}

bool onlyBlanksOrSemicolons(const char* p, const char* end) {
    return std::all_of(
        p, end, [](char c) { return c == ';' || std::isspace(static_cast<unsigned char>(c)); });
}

// Exactly one statement: a second one after the first would otherwise be ignored without a word.
Statement prepare(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, &tail) != SQLITE_OK)
        fail(db, sql);
    Statement st(raw);
    if (!st)
        throw StoreError("Empty statement");
    if (!onlyBlanksOrSemicolons(tail, sql.data() + sql.size()))
        throw StoreError("Only one statement can be run at a time (" + std::string(sql) + ")");
    return st;
}

void run(sqlite3* db, std::string_view sql) {
    Statement st = prepare(db, sql);
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(db, sql);
}

std::string quoteIdentifier(std::string_view name) {
    std::string q = "\"";
    for (char c : name) {
        q += c;
        if (c == '"')
            q += '"';
    }
    q += '"';
    return q;
}

Value readColumn(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(st, i);
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, i);
    case SQLITE_TEXT: {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
    }
    case SQLITE_BLOB: {
        auto bytes = static_cast<const char*>(sqlite3_column_blob(st, i));
        auto size = static_cast<std::size_t>(sqlite3_column_bytes(st, i));
        return size ? std::string(bytes, size) : std::string();
    }
    default:
        return std::monostate{};
    }
}

// How SQLite itself reads a declared column type; files written by older builds may use type
// names other than INTEGER, REAL and TEXT.
enum class Affinity { Integer, Real, Numeric, Text, None };

Affinity affinityOf(std::string declared) {
    std::transform(declared.begin(), declared.end(), declared.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto has = [&](const char* part) { return declared.find(part) != std::string::npos; };
    if (has("INT"))
        return Affinity::Integer;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return Affinity::Text;
    if (declared.empty() || has("BLOB"))
        return Affinity::None;
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return Affinity::Real;
    return Affinity::Numeric;
}

struct ColumnInfo {
    std::string name;
    Affinity affinity;
};

std::vector<ColumnInfo> declaredColumns(sqlite3* db, std::string_view table) {
    const std::string sql = "PRAGMA table_info(" + quoteIdentifier(table) + ")";
    Statement st = prepare(db, sql);
    std::vector<ColumnInfo> columns;
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        auto text = [&](int i) {
            auto p = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), i));
            return std::string(p ? p : "");
        };
        columns.push_back({text(1), affinityOf(text(2))});
    }
    if (rc != SQLITE_DONE)
        fail(db, sql);
    return columns;
}

// Binds one field converted to the column's declared type, so that a file holds the same
// storage class in a column whichever part of the program wrote the row. `scratch` keeps
// converted text alive until the row is stepped.
class FieldBinder {
public:
    FieldBinder(sqlite3* db, sqlite3_stmt* st, std::string_view table)
        : db_(db), st_(st), table_(table) {}

    void bind(int index, const ColumnInfo& column, const Value& v, std::string& scratch) {
        int rc = SQLITE_OK;
        if (isNull(v)) {
            rc = sqlite3_bind_null(st_, index);
        } else if (auto s = std::get_if<std::string>(&v)) {
            rc = bindText(index, column, *s);
        } else if (column.affinity == Affinity::Text) {
            scratch = toText(v);
            rc = sqlite3_bind_text(st_, index, scratch.data(), static_cast<int>(scratch.size()),
                                   SQLITE_STATIC);
        } else if (auto i = std::get_if<std::int64_t>(&v)) {
            rc = sqlite3_bind_int64(st_, index, *i);
        } else {
            rc = sqlite3_bind_double(st_, index, std::get<double>(v));
        }
        if (rc != SQLITE_OK)
            fail(db_, "INSERT INTO " + std::string(table_));
    }

private:
    int bindText(int index, const ColumnInfo& column, const std::string& s) {
        const bool strict =
            column.affinity == Affinity::Integer || column.affinity == Affinity::Real;
        if (strict && detail::isBlank(s))
            return sqlite3_bind_null(st_, index);
        if (strict || column.affinity == Affinity::Numeric) {
            // Numbers in the program's own notation (Fortran exponents included), which
            // SQLite's affinity rules would leave as text.
            if (isNumeric(s)) {
                if (column.affinity != Affinity::Real)
                    if (auto exact = detail::exactInteger(s))
                        return sqlite3_bind_int64(st_, index, *exact);
                if (auto d = parseNumber(s))
                    return sqlite3_bind_double(st_, index, *d);
            }
            if (strict)
                throw StoreError("Cannot store \"" + s + "\" in field " + column.name +
                                 " of table " + std::string(table_) + ": not a number");
        }
        return sqlite3_bind_text(st_, index, s.data(), static_cast<int>(s.size()), SQLITE_STATIC);
    }

    sqlite3* db_;
    sqlite3_stmt* st_;
    std::string_view table_;
};

// Makes one call's inserts all-or-nothing, both inside a caller's transaction and outside one.
class Savepoint {
public:
    explicit Savepoint(sqlite3* db) : db_(db) { run(db_, "SAVEPOINT kinetra_insert"); }
    ~Savepoint() {
        if (released_)
            return;
        sqlite3_exec(db_, "ROLLBACK TO kinetra_insert", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "RELEASE kinetra_insert", nullptr, nullptr, nullptr);
    }
    void release() {
        run(db_, "RELEASE kinetra_insert");
        released_ = true;
    }
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

private:
    sqlite3* db_;
    bool released_ = false;
};

sqlite3* openHandle(const fs::path& path, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string why = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw StoreError("Cannot open database " + path.string() + ": " + why);
    }
    // Another process may hold a lock for a moment (a copy, a second window, a second writer).
    sqlite3_busy_timeout(db, kBusyWaitMilliseconds);
    return db;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

} // namespace

// ---------------------------------------------------------------------------------------------

Columns::Columns(std::vector<std::string> names) : names_(std::move(names)) {}

std::size_t Columns::position(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (sameName(names_[i], name))
            return i;
    throw StoreError("Field not found: " + std::string(name));
}

bool Columns::has(std::string_view name) const {
    return std::any_of(names_.begin(), names_.end(),
                       [&](const std::string& n) { return sameName(n, name); });
}

Row::Row(std::shared_ptr<const Columns> columns, std::vector<Value> values)
    : columns_(std::move(columns)), values_(std::move(values)) {}

const Value& Row::field(std::string_view name) const {
    return values_.at(columns_->position(name));
}

void Row::set(std::string_view name, Value v) {
    values_.at(columns_->position(name)) = std::move(v);
}

// ---------------------------------------------------------------------------------------------

Connection::Connection(sqlite3* db, fs::path path, OpenMode mode)
    : db_(db), path_(std::move(path)), mode_(mode) {
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0) {
        device_ = static_cast<std::uint64_t>(info.st_dev);
        inode_ = static_cast<std::uint64_t>(info.st_ino);
    }
}

Connection::Connection(Connection&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), path_(std::move(other.path_)), mode_(other.mode_),
      device_(other.device_), inode_(other.inode_) {}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        sqlite3_close_v2(db_);
        db_ = std::exchange(other.db_, nullptr);
        path_ = std::move(other.path_);
        mode_ = other.mode_;
        device_ = other.device_;
        inode_ = other.inode_;
    }
    return *this;
}

Connection::~Connection() {
    sqlite3_close_v2(db_);
}

namespace {

std::uint32_t bigEndian(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | p[i];
    return v;
}

// A file cut short (an interrupted copy, a full disk) opens without complaint, and the loss
// shows only when a missing page is read. The header says how long the file must be.
bool shorterThanItsHeader(const fs::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    unsigned char header[100];
    const bool read = std::fread(header, 1, sizeof header, file) == sizeof header;
    std::fclose(file);
    if (!read)
        return false;
    std::uint64_t pageSize = bigEndian(header + 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    // The page count is valid only when the change counter matches "version valid for".
    if (bigEndian(header + 24, 4) != bigEndian(header + 92, 4))
        return false;
    const std::uint64_t pages = bigEndian(header + 28, 4);
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return !ec && pages > 0 && pageSize * pages > size;
}

} // namespace

Connection Connection::open(const fs::path& path, OpenMode mode) {
    auto refuse = [&](const std::string& why, StoreProblem problem) {
        return StoreError("Cannot open database " + path.string() + ": " + why, problem);
    };
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        throw refuse("the file does not exist", StoreProblem::Missing);
    if (fs::is_directory(status))
        throw refuse("it is a folder, not a file", StoreProblem::Folder);
    // SQLite takes an empty file for an empty database; to the user it is a broken file.
    if (fs::is_regular_file(status) && fs::file_size(path, ec) == 0 && !ec)
        throw refuse("the file is empty", StoreProblem::Empty);
    const int flags = mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    Connection c(openHandle(path, flags), path, mode);
    // Opening reads nothing; the first statement is what finds out whether this is a database.
    // It also rolls back what a killed writer left in a journal.
    if (sqlite3_exec(c.db_, "PRAGMA schema_version", nullptr, nullptr, nullptr) != SQLITE_OK) {
        switch (sqlite3_errcode(c.db_)) {
        case SQLITE_NOTADB:
            throw refuse("the file is not a database", StoreProblem::NotDatabase);
        case SQLITE_CORRUPT:
            throw refuse("the file is damaged", StoreProblem::Damaged);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw refuse("another program is writing to it", StoreProblem::Busy);
        default:
            throw refuse(sqlite3_errmsg(c.db_), StoreProblem::Other);
        }
    }
    if (shorterThanItsHeader(path))
        throw refuse("the file is damaged (it is shorter than its header says)",
                     StoreProblem::Damaged);
    // A file without write permission opens read-only even when asked for writing.
    if (mode == OpenMode::ReadWrite && sqlite3_db_readonly(c.db_, "main") == 0 &&
        sqlite3_exec(c.db_, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(c.db_, "PRAGMA journal_mode=DELETE");
    return c;
}

Connection Connection::create(const fs::path& path) {
    // O_EXCL: an existing file is never taken over, not even one appearing after a check.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw StoreError("Cannot create database " + path.string() + ": " + std::strerror(errno));
    ::close(fd);
    try {
        Connection c(openHandle(path, SQLITE_OPEN_READWRITE), path, OpenMode::ReadWrite);
        run(c.db_, "PRAGMA journal_mode=DELETE");
        // Writes the file header, so that the new file is a database even before any table.
        run(c.db_, "PRAGMA user_version=0");
        return c;
    } catch (...) {
        std::error_code ec;
        fs::remove(path, ec);
        throw;
    }
}

RowSet Connection::query(std::string_view statement) {
    sqlite3* db = live(db_);
    const std::string sql = rewriteStatement(statement);
    Statement st = prepare(db, sql);
    const int n = sqlite3_column_count(st.get());
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        names.emplace_back(sqlite3_column_name(st.get(), i));
    RowSet result;
    result.columns = std::make_shared<const Columns>(std::move(names));
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        std::vector<Value> values;
        values.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            values.push_back(readColumn(st.get(), i));
        result.rows.emplace_back(result.columns, std::move(values));
    }
    if (rc != SQLITE_DONE)
        fail(db, sql);
    return result;
}

RowSet Connection::queryKeyed(std::string_view statement) {
    // "SELECT * FROM" becomes "SELECT *, rowid FROM": the key arrives as an extra last column.
    const std::string sql = rewriteStatement(statement);
    std::size_t p = 0;
    while (p < sql.size() && isSpace(sql[p]))
        ++p;
    if (!sameName(std::string_view(sql).substr(p, 6), "SELECT"))
        throw StoreError("Keyed query must be a SELECT * statement (" + sql + ")");
    p += 6;
    while (p < sql.size() && isSpace(sql[p]))
        ++p;
    if (p >= sql.size() || sql[p] != '*')
        throw StoreError("Keyed query must be a SELECT * statement (" + sql + ")");
    RowSet withKeys = query(sql.substr(0, p + 1) + ", rowid" + sql.substr(p + 1));
    const std::size_t n = withKeys.columns->count() - 1;
    std::vector<std::string> names;
    names.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        names.push_back(withKeys.columns->name(i));
    RowSet result;
    result.columns = std::make_shared<const Columns>(std::move(names));
    result.rows.reserve(withKeys.rows.size());
    result.keys.reserve(withKeys.rows.size());
    for (const Row& row : withKeys.rows) {
        std::vector<Value> values(row.values().begin(), row.values().end() - 1);
        result.keys.push_back(toInteger(row.values().back()).value_or(0));
        result.rows.emplace_back(result.columns, std::move(values));
    }
    return result;
}

std::int64_t Connection::executeEach(std::string_view statement,
                                     std::span<const std::vector<Value>> parameterSets) {
    sqlite3* db = live(db_);
    if (parameterSets.empty())
        return 0;
    const std::string sql = rewriteStatement(statement);
    const auto before = sqlite3_total_changes64(db);
    Savepoint savepoint(db);
    Statement st = prepare(db, sql);
    for (const auto& parameters : parameterSets) {
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            const int index = static_cast<int>(i + 1);
            const Value& v = parameters[i];
            int rc = SQLITE_OK;
            if (isNull(v))
                rc = sqlite3_bind_null(st.get(), index);
            else if (auto s = std::get_if<std::string>(&v))
                rc = sqlite3_bind_text(st.get(), index, s->data(), static_cast<int>(s->size()),
                                       SQLITE_TRANSIENT);
            else if (auto n = std::get_if<std::int64_t>(&v))
                rc = sqlite3_bind_int64(st.get(), index, *n);
            else
                rc = sqlite3_bind_double(st.get(), index, std::get<double>(v));
            if (rc != SQLITE_OK)
                fail(db, sql);
        }
        if (sqlite3_step(st.get()) != SQLITE_DONE)
            fail(db, sql);
        sqlite3_reset(st.get());
    }
    st.reset();
    savepoint.release();
    return sqlite3_total_changes64(db) - before;
}

std::int64_t Connection::execute(std::string_view statement) {
    sqlite3* db = live(db_);
    const std::string sql = rewriteStatement(statement);
    // sqlite3_changes keeps the count of the last INSERT/UPDATE/DELETE across other statements
    // (a CREATE would report the rows of the UPDATE before it); the difference of the running
    // total is right for every statement.
    const auto before = sqlite3_total_changes64(db);
    run(db, sql);
    return sqlite3_total_changes64(db) - before;
}

void Connection::insertRows(std::string_view table, std::span<const std::vector<Value>> rows) {
    sqlite3* db = live(db_);
    if (rows.empty())
        return;
    const auto columns = declaredColumns(db, table);
    if (columns.empty())
        throw StoreError("Table not found: " + std::string(table));

    std::string sql = "INSERT INTO " + quoteIdentifier(table) + " (";
    for (std::size_t i = 0; i < columns.size(); ++i)
        sql += (i ? ", " : "") + quoteIdentifier(columns[i].name);
    sql += ") VALUES (";
    for (std::size_t i = 0; i < columns.size(); ++i)
        sql += i ? ", ?" : "?";
    sql += ')';

    // Declared first so that the statement is finalised before a rollback to the savepoint.
    Savepoint savepoint(db);
    Statement st = prepare(db, sql);
    FieldBinder binder(db, st.get(), table);
    std::vector<std::string> scratch(columns.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[r];
        if (row.size() != columns.size())
            throw StoreError("Table " + std::string(table) + " has " +
                             std::to_string(columns.size()) + " fields; row " +
                             std::to_string(r + 1) + " to add has " + std::to_string(row.size()));
        for (std::size_t i = 0; i < columns.size(); ++i)
            binder.bind(static_cast<int>(i + 1), columns[i], row[i], scratch[i]);
        if (sqlite3_step(st.get()) != SQLITE_DONE)
            fail(db, sql);
        sqlite3_reset(st.get());
    }
    savepoint.release();
}

bool Connection::hasTable(std::string_view table) {
    sqlite3* db = live(db_);
    constexpr std::string_view sql =
        "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE";
    Statement st = prepare(db, sql);
    sqlite3_bind_text(st.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_STATIC);
    const int rc = sqlite3_step(st.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(db, sql);
    return rc == SQLITE_ROW;
}

std::int64_t Connection::recordCount(std::string_view table) {
    sqlite3* db = live(db_);
    const std::string sql = "SELECT COUNT(*) FROM " + quoteIdentifier(table);
    Statement st = prepare(db, sql);
    if (sqlite3_step(st.get()) != SQLITE_ROW)
        fail(db, sql);
    return sqlite3_column_int64(st.get(), 0);
}

bool Connection::replacedOnDisk() const {
    struct stat info {};
    if (inode_ == 0 || ::stat(path_.c_str(), &info) != 0)
        return false;
    return static_cast<std::uint64_t>(info.st_dev) != device_ ||
           static_cast<std::uint64_t>(info.st_ino) != inode_;
}

void Connection::begin() {
    live(db_);
    for (int attempt = 0;; ++attempt) {
        // Taking the write lock at the start rather than at the first change avoids a deadlock
        // with another writer that SQLite can only resolve by failing one of the two.
        run(db_, sqlite3_db_readonly(db_, "main") == 1 ? "BEGIN" : "BEGIN IMMEDIATE");
        if (attempt == 3 || !replacedOnDisk())
            return;
        run(db_, "ROLLBACK");
        *this = Connection::open(path_, mode_);
    }
}

void Connection::commit() {
    run(live(db_), "COMMIT");
}

void Connection::rollback() {
    sqlite3* db = live(db_);
    // Some errors (disk full, I/O) end the transaction by themselves.
    if (!sqlite3_get_autocommit(db))
        run(db, "ROLLBACK");
}

bool Connection::inTransaction() const {
    return db_ && !sqlite3_get_autocommit(db_);
}

std::string Connection::schemaMismatch(const TableSchema& schema) {
    const std::vector<ColumnInfo> columns = declaredColumns(live(db_), schema.name);
    const std::string table = "the table " + schema.name;
    if (columns.empty())
        return table + " is missing";
    auto isColumn = [&](const std::string& name) {
        return std::any_of(columns.begin(), columns.end(),
                           [&](const ColumnInfo& c) { return sameName(c.name, name); });
    };
    std::vector<std::string> missing;
    for (const Field& field : schema.fields)
        if (!isColumn(field.name))
            missing.push_back(field.name);
    if (!missing.empty()) {
        std::string list;
        for (const std::string& name : missing)
            list += (list.empty() ? "" : ", ") + name;
        return table + " has no field" + (missing.size() > 1 ? "s " : " ") + list;
    }
    for (const ColumnInfo& column : columns)
        if (!schema.position(column.name))
            return table + " has the field " + column.name + ", which the program does not know";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Field& field = schema.fields[i];
        if (!sameName(columns[i].name, field.name))
            return "the fields of " + table + " are not in the program's order (field " +
                   std::to_string(i + 1) + " is " + columns[i].name + ", not " + field.name + ")";
        const bool numeric = field.type != FieldType::Text;
        const Affinity a = columns[i].affinity;
        const bool declaredNumeric = a == Affinity::Integer || a == Affinity::Real;
        if (numeric ? a == Affinity::Text : declaredNumeric)
            return "the field " + field.name + " of " + table + " holds " +
                   (numeric ? "text instead of numbers" : "numbers instead of text");
    }
    return {};
}

// ---------------------------------------------------------------------------------------------

Transaction::Transaction(Connection& c) : connection_(c), nested_(c.inTransaction()) {
    if (nested_)
        connection_.execute("SAVEPOINT kinetra_step");
    else
        connection_.begin();
}

Transaction::~Transaction() {
    if (done_)
        return;
    try {
        if (!nested_) {
            connection_.rollback();
        } else if (connection_.inTransaction()) {
            connection_.execute("ROLLBACK TO kinetra_step");
            connection_.execute("RELEASE kinetra_step");
        }
    } catch (...) {
        // Closing the connection rolls back what is left.
    }
}

void Transaction::commit() {
    if (nested_)
        connection_.execute("RELEASE kinetra_step");
    else
        connection_.commit();
    done_ = true;
}

// ---------------------------------------------------------------------------------------------

std::string rewriteStatement(std::string_view statement) {
    const std::string_view s = statement;
    auto skipSpaces = [&](std::size_t p) {
        while (p < s.size() && isSpace(s[p]))
            ++p;
        return p;
    };
    auto wordAt = [&](std::size_t p, std::string_view word) {
        return p + word.size() <= s.size() && sameName(s.substr(p, word.size()), word) &&
               (p + word.size() == s.size() || !isWordChar(s[p + word.size()]));
    };
    const std::size_t start = skipSpaces(0);
    if (!wordAt(start, "DELETE"))
        return std::string(s);
    const std::size_t star = skipSpaces(start + 6);
    if (star >= s.size() || s[star] != '*')
        return std::string(s);
    const std::size_t from = skipSpaces(star + 1);
    if (!wordAt(from, "FROM"))
        return std::string(s);
    return std::string(s.substr(0, start)) + "DELETE FROM" + std::string(s.substr(from + 4));
}

} // namespace kinetra::store
