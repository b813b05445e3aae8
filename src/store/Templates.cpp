// New database files and whole-file rewrites. Either is made complete under a temporary name
// beside its target and renamed into place only then, so that a kill or a full disk never
// leaves a half-made file under the target's name.
#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <functional>

namespace kinetra::store {

namespace {

namespace fs = std::filesystem;

// The temporary file of one rewrite and its journal: removed unless renamed into place.
class PendingDatabase {
public:
    explicit PendingDatabase(fs::path path) : path_(std::move(path)) {}
    ~PendingDatabase() {
        std::error_code ec;
        if (!kept_)
            fs::remove(path_, ec);
        fs::path journal = path_;
        journal += "-journal";
        fs::remove(journal, ec);
    }
    PendingDatabase(const PendingDatabase&) = delete;
    PendingDatabase& operator=(const PendingDatabase&) = delete;

    const fs::path& path() const { return path_; }
    void renameTo(const fs::path& target) {
        std::error_code ec;
        fs::rename(path_, target, ec);
        if (ec)
            throw StoreError("Cannot write " + target.string() + ": " + ec.message());
        kept_ = true;
    }

private:
    fs::path path_;
    bool kept_ = false;
};

void writeDatabase(const fs::path& path, const std::function<void(Connection&)>& fill) {
    PendingDatabase pending(temporaryPathBeside(path));
    {
        Connection c = Connection::create(pending.path());
        Transaction t(c);
        fill(c);
        t.commit();
    }
    pending.renameTo(path);
}

} // namespace

void createThermoTemplate(const fs::path& path) {
    writeDatabase(path, [](Connection& c) {
        c.execute(elementsSchema().createStatement());
        c.execute(trmSchema().createStatement());
        std::vector<std::vector<Value>> rows;
        for (const auto& slot : templateElementSlots())
            rows.push_back({std::int64_t{slot.num}, slot.symbol, slot.atomicWeight});
        c.insertRows(elementsSchema().name, rows);
    });
}

void createReactionTemplate(const fs::path& path) {
    writeDatabase(path, [](Connection& c) { c.execute(reactionsSchema().createStatement()); });
}

bool createDatabaseIfAbsent(const fs::path& path, const fs::path& templateFile,
                            const std::function<void(Connection&)>& fill) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec)))
        return false;
    PendingDatabase pending(copyToTemporaryBeside(templateFile, path));
    {
        Connection fresh = Connection::open(pending.path());
        Transaction t(fresh);
        fill(fresh);
        t.commit();
    }
    try {
        return publishNewFile(pending.path(), path);
    } catch (const std::runtime_error& e) {
        throw StoreError(e.what());
    }
}

void rewriteDatabase(const fs::path& path, const fs::path& templateFile,
                     const std::function<void(Connection& old, Connection& fresh)>& fill) {
    Connection old = Connection::open(path);
    // Held until the rename: a writer waiting meanwhile then finds the new file (see begin).
    Transaction lock(old);
    PendingDatabase pending(copyToTemporaryBeside(templateFile, path));
    {
        Connection fresh = Connection::open(pending.path());
        Transaction t(fresh);
        fill(old, fresh);
        t.commit();
    }
    pending.renameTo(path);
}

} // namespace kinetra::store
