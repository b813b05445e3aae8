// What a kill or a full disk in the middle of a change leaves behind: the old content or the
// complete new content, never a mix. The faulty disk strikes at every write of the change in
// turn, in a child process for a kill (parent checks the file) and in this process for a full
// disk.
#include "ThermoFixture.h"
#include "support/FaultyDisk.h"
#include "thermo/ElementTableChange.h"
#include "thermo/SpeciesRow.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kinetra::thermo {
namespace {

namespace fs = std::filesystem;
using kinetra::testing::FaultyDisk;
using testing::sharedDataFile;
using testing::ThermoFixture;

class InterruptedChange : public ThermoFixture, public ::testing::Test {
protected:
    InterruptedChange() {
        ReadOptions options;
        const std::string gri =
            unframeThermoFile(sharedDataFile("gri30/gri30_thermo.dat"), options);
        std::size_t end = 0;
        for (int line = 0; line < 4 * 12; end = gri.find('\n', end) + 1)
            if (gri[end] != '!' && gri[end] != '\n') // the frame leaves empty lines
                ++line;
        EXPECT_EQ(paste(gri.substr(0, end), 0, options).inserted, 12);
        fs::copy_file(dir / "gas.mdb", pristine);
    }

    // "old", "new" or a description of the mix the file holds.
    using StateOf = std::function<std::string(store::Connection&)>;

    // Runs the change once per write it makes, with the fault at that write; after each the
    // file must hold one of the two states, and no temporary file may be left once the next
    // change has run. Returns how many writes the change makes.
    long strikeAtEveryWrite(FaultyDisk::Fault fault, const std::function<void()>& change,
                            const StateOf& stateOf) {
        for (long at = 1;; ++at) {
            fs::copy_file(pristine, dir / "gas.mdb", fs::copy_options::overwrite_existing);
            database.connect(dir / "gas.mdb");
            const bool finished = fault == FaultyDisk::Fault::Kill ? runKilled(change, at)
                                                                   : runOnFullDisk(change, at);
            store::Connection db = store::Connection::open(dir / "gas.mdb");
            const std::string state = stateOf(db);
            EXPECT_TRUE(state == "old" || state == "new") << "write " << at << ": " << state;
            if (finished) {
                EXPECT_EQ(state, "new");
                return at;
            }
            if (::testing::Test::HasFailure())
                return at;
        }
    }

    static bool runKilled(const std::function<void()>& change, long at) {
        const pid_t child = fork();
        if (child == 0) {
            try {
                FaultyDisk disk(FaultyDisk::Fault::Kill, at);
                change();
            } catch (...) {
                _exit(4);
            }
            _exit(3);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 4) << "write " << at;
        return WIFEXITED(status) && WEXITSTATUS(status) == 3;
    }

    static bool runOnFullDisk(const std::function<void()>& change, long at) {
        FaultyDisk disk(FaultyDisk::Fault::Full, at);
        try {
            change();
        } catch (const std::exception&) {
        }
        return !disk.struck();
    }

    std::vector<fs::path> leftovers() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            if (entry.path().filename().string().find(".tmp-") != std::string::npos)
                found.push_back(entry.path());
        return found;
    }

    const fs::path pristine = dir / "pristine.mdb";
};

// Slot 2 (O) becomes Xe: every species with oxygen goes. Old: O with all twelve species; new:
// Xe with those without oxygen, each formula written in the new slots.
std::string elementState(store::Connection& db) {
    const auto slots = readElementTable(db);
    const auto rows = db.query("SELECT * FROM [Trm] ORDER BY Num;");
    const std::string slot2 = slots ? slots->symbols[2] : "?";
    std::size_t withSlot2 = 0;
    for (const auto& row : rows.rows)
        if (store::toDouble(row.field("N2")).value_or(0) != 0)
            ++withSlot2;
    if (slot2 == "O" && rows.recordCount() == 12 && withSlot2 > 0)
        return "old";
    if (slot2 == "Xe" && rows.recordCount() < 12 && withSlot2 == 0)
        return "new";
    return "slot 2 " + slot2 + " over " + std::to_string(rows.recordCount()) + " species";
}

TEST_F(InterruptedChange, ElementChangeIsWholeOrAbsentAfterAKillAtAnyWrite) {
    ElementRows before = [&] {
        store::Connection db = database.connection();
        return loadElementRows(db);
    }();
    ElementRows rows = before;
    rows[1] = {2, "Xe", "131.292"};
    auto change = [&] {
        fake.dialogs.answers = {Answer::Yes};
        applyElementRows(database, fake.ui, before, rows, {});
    };
    EXPECT_GT(strikeAtEveryWrite(FaultyDisk::Fault::Kill, change, elementState), 3);
}

TEST_F(InterruptedChange, ElementChangeOnAFullDiskLeavesTheOldFileAndNoTemporaryFiles) {
    ElementRows before = [&] {
        store::Connection db = database.connection();
        return loadElementRows(db);
    }();
    ElementRows rows = before;
    rows[1] = {2, "Xe", "131.292"};
    auto change = [&] {
        fake.dialogs.answers = {Answer::Yes};
        applyElementRows(database, fake.ui, before, rows, {});
    };
    strikeAtEveryWrite(FaultyDisk::Fault::Full, change, elementState);
    EXPECT_TRUE(leftovers().empty());
}

// The import adds GRI's 53 species after the twelve; the twelve come twice then, and the check
// that belongs to the insertion marks both copies of each invalid (duplicate names).
std::string importState(store::Connection& db) {
    const auto rows = db.query("SELECT * FROM [Trm] ORDER BY Num;");
    int invalid = 0;
    for (const auto& row : rows.rows)
        if (store::toInteger(row.field("Info")).value_or(0) < 0)
            ++invalid;
    if (rows.recordCount() == 12 && invalid == 0)
        return "old";
    if (rows.recordCount() == 65 && invalid == 24)
        return "new";
    return std::to_string(rows.recordCount()) + " species, " + std::to_string(invalid) +
           " marked invalid";
}

TEST_F(InterruptedChange, ThermoImportKeepsInsertionAndCheckTogether) {
    const std::string gri = sharedDataFile("gri30/gri30_thermo.dat");
    auto change = [&] {
        ReadOptions options;
        store::Connection db = database.connection();
        PasteRequest request{unframeThermoFile(gri, options), 12, options, {}, {}};
        pasteSpeciesText(db, database.elements(), request, fake.ui);
    };
    strikeAtEveryWrite(FaultyDisk::Fault::Full, change, importState);
    strikeAtEveryWrite(FaultyDisk::Fault::Kill, change, importState);
}

TEST_F(InterruptedChange, RebuildOnAFullDiskKeepsTheFile) {
    auto change = [&] { database.rebuild(); };
    // The rebuild leaves the content as it was whether it finished or not.
    auto unchanged = [](store::Connection& db) {
        return db.recordCount("Trm") == 12 ? std::string("new") : std::string("lost rows");
    };
    strikeAtEveryWrite(FaultyDisk::Fault::Full, change, unchanged);
    EXPECT_TRUE(leftovers().empty());
}

} // namespace
} // namespace kinetra::thermo
