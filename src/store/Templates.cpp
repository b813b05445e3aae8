#include "store/Database.h"
#include "store/Schema.h"

#include <atomic>
#include <functional>
#include <unistd.h>

namespace kinetra::store {

namespace {

namespace fs = std::filesystem;

// The new file is written under a temporary name beside the target and renamed over it only
// when complete, so that a failure never leaves a half-written template behind.
void writeDatabase(const fs::path& path, const std::function<void(Connection&)>& fill) {
    static std::atomic<unsigned> counter{0};
    fs::path temp = path;
    temp += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    fs::path journal = temp;
    journal += "-journal";
    auto cleanUp = [&] {
        std::error_code ec;
        fs::remove(temp, ec);
        fs::remove(journal, ec);
    };
    cleanUp();
    try {
        {
            Connection c = Connection::create(temp);
            Transaction t(c);
            fill(c);
            t.commit();
        }
        fs::rename(temp, path);
    } catch (const fs::filesystem_error& e) {
        cleanUp();
        throw StoreError("Cannot write " + path.string() + ": " + e.code().message());
    } catch (...) {
        cleanUp();
        throw;
    }
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

} // namespace kinetra::store
