#include "ThermoFixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kinetra::thermo {
namespace {

using testing::kFourSpecies;
using testing::ThermoFixture;
namespace fs = std::filesystem;

TEST(ThermoDatabase, ConnectRefusalsKeepThePreviousDatabase) {
    ThermoFixture f;
    const fs::path good = f.dir / "gas.mdb";
    const std::string remembered = "\"" + good.string() + "\"\r\n";
    EXPECT_EQ(kinetra::testing::readFile(f.dir / "THERMOPath.txt"), remembered);

    // A read-only file is refused before it is opened.
    const fs::path readOnly = f.dir / "locked.mdb";
    fs::copy_file(good, readOnly);
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::remove);
    // Nine slots in the element table.
    const fs::path nineSlots = f.dir / "nine.mdb";
    fs::copy_file(good, nineSlots);
    store::Connection::open(nineSlots).execute("DELETE * FROM [Elements] WHERE Num = 10;");
    // Files that are no thermo database, each with a message that says what is wrong.
    const fs::path text = f.dir.write("notes.mdb", "not a database");
    const fs::path empty = f.dir.write("empty.mdb", "");
    std::string noise(2000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    const fs::path random = f.dir.write("random.mdb", noise);
    const fs::path folder = f.dir / "folder.mdb";
    fs::create_directory(folder);
    const fs::path missing = f.dir / "missing.mdb";
    // A database cut to half its length, as an interrupted copy leaves it.
    f.paste(kFourSpecies);
    const fs::path truncated = f.dir / "truncated.mdb";
    fs::copy_file(good, truncated);
    fs::resize_file(truncated, fs::file_size(truncated) / 2);
    // Tables with a field dropped: read by position, every later value would shift.
    auto withoutField = [&](const char* name, const char* field) {
        const fs::path path = f.dir / name;
        fs::copy_file(good, path);
        store::Connection::open(path).execute(std::string("ALTER TABLE [Trm] DROP COLUMN ") +
                                              field);
        return path;
    };
    const fs::path noN10 = withoutField("non10.mdb", "N10");
    const fs::path noUPaste = withoutField("noupaste.mdb", "UPaste");
    const fs::path reactionDb = f.dir / "reactions.mdb";
    store::createReactionTemplate(reactionDb);

    const struct {
        fs::path path;
        ConnectOutcome outcome;
        std::string message;
    } cases[] = {
        {readOnly, ConnectOutcome::ReadOnly,
         "THERMO database " + readOnly.string() +
             " is read-only. Remove this attribute or connect another THERMO database."},
        {nineSlots, ConnectOutcome::ElementsUnreadable,
         "The ELEMENTS table of the THERMO database " + nineSlots.string() +
             " cannot be read or processed. We recommend you to connect another THERMO "
             "database."},
        {reactionDb, ConnectOutcome::NoThermoTable,
         reactionDb.string() + " The program cannot find the THERMO table. Make sure you are "
                               "opening the thermodynamic database."},
        {text, ConnectOutcome::NotDatabase,
         "The file " + text.string() +
             " is not a database (it is empty or of another kind). Make sure you are opening "
             "the thermodynamic database."},
        {empty, ConnectOutcome::NotDatabase,
         "The file " + empty.string() +
             " is not a database (it is empty or of another kind). Make sure you are opening "
             "the thermodynamic database."},
        {random, ConnectOutcome::NotDatabase,
         "The file " + random.string() +
             " is not a database (it is empty or of another kind). Make sure you are opening "
             "the thermodynamic database."},
        {folder, ConnectOutcome::Folder, folder.string() + " is a folder, not a THERMO database."},
        {missing, ConnectOutcome::Missing,
         "The THERMO database " + missing.string() + " does not exist."},
        {truncated, ConnectOutcome::Damaged,
         "The THERMO database " + truncated.string() +
             " is damaged (truncated or malformed). Connect another THERMO database or a saved "
             "copy of this one."},
        {noN10, ConnectOutcome::WrongFields,
         "The file " + noN10.string() +
             " is not a THERMO database of this program: the table Trm has no field N10."},
        {noUPaste, ConnectOutcome::WrongFields,
         "The file " + noUPaste.string() +
             " is not a THERMO database of this program: the table Trm has no field UPaste."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_EQ(f.database.connect(c.path), c.outcome);
        EXPECT_EQ(connectFailureMessage(c.outcome, c.path.string(), f.database.failureDetail()),
                  c.message);
        EXPECT_EQ(f.database.path(), good);
        EXPECT_EQ(kinetra::testing::readFile(f.dir / "THERMOPath.txt"), remembered);
    }
}

TEST(ThermoDatabase, EmptySlotsAreFreeAndConnectChecksEverySpecies) {
    ThermoFixture f;
    f.paste(kFourSpecies);
    store::Connection db = f.database.connection();
    db.execute("UPDATE [Trm] SET Info = 0, Species = 'O2' WHERE Species = 'H2';");
    db.execute("UPDATE [Elements] SET Element = '', AW = 0 WHERE Num = 6;");
    ASSERT_EQ(f.database.connect(f.dir / "gas.mdb"), ConnectOutcome::Connected);
    EXPECT_FALSE(f.database.elements().inUse(6));
    EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE Info = -5;").recordCount(), 2u);
}

TEST(ThermoDatabase, OpenCommandRefusesOtherExtensionsAndTheTemplate) {
    ThermoFixture f;
    fs::copy_file(f.dir / "gas.mdb", f.dir / "OTHER.MDB");
    f.fake.files.paths = {(f.dir / "x.txt").string(), (f.dir / "emptythermo.MDB").string(),
                          (f.dir / "OTHER.MDB").string()};
    EXPECT_FALSE(f.database.openWithDialog(f.fake.ui));
    EXPECT_FALSE(f.database.openWithDialog(f.fake.ui));
    EXPECT_TRUE(f.database.openWithDialog(f.fake.ui));
    EXPECT_EQ(f.fake.dialogs.texts(),
              (std::vector<std::string>{
                  "The file extension '.txt' is not valid for THERMO database. The correct "
                  "extension is '.mdb'.",
                  "The auxiliary database EmptyThermo.mdb cannot be opened."}));
    EXPECT_EQ(f.database.path(), f.dir / "OTHER.MDB");
}

TEST(ThermoDatabase, SavedCopyAndClosePrompt) {
    ThermoFixture f;
    f.paste(kFourSpecies);
    f.database.windowOpened();
    EXPECT_TRUE(fs::exists(f.dir / "~gas.mdb"));

    // Edits after the window opened, then No at closing: species and slots are as they were.
    f.paste(kFourSpecies, 4);
    f.database.connection().execute("UPDATE [Elements] SET Element = 'Xe' WHERE Num = 7;");
    f.database.setModified();
    f.fake.dialogs.answers = {Answer::Cancel, Answer::No};
    EXPECT_EQ(f.database.close(f.fake.dialogs), CloseOutcome::Cancelled);
    EXPECT_EQ(f.rows().recordCount(), 8u);
    EXPECT_EQ(f.database.close(f.fake.dialogs), CloseOutcome::Closed);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Do you want to save changes to the THERMO table?");
    EXPECT_EQ(f.rows().recordCount(), 4u);
    EXPECT_EQ(f.database.elements().symbols[7], "S");

    // Save moves the saved copy forward; Yes keeps the edits and the rebuild keeps every field.
    f.database.windowOpened();
    f.paste(kFourSpecies, 4);
    f.database.save();
    const auto before = f.fileRows();
    f.fake.dialogs.answers = {Answer::Yes};
    EXPECT_EQ(f.database.close(f.fake.dialogs), CloseOutcome::Closed);
    EXPECT_EQ(f.fileRows(), before);
}

TEST(ThermoDatabase, ReplaceWithSavedCopyAndSaveAs) {
    ThermoFixture f;
    f.database.windowOpened();
    f.paste(kFourSpecies);
    f.database.setModified();

    f.fake.files.paths = {(f.dir / "copy.mdb").string()};
    EXPECT_TRUE(f.database.saveAs(f.fake.ui));
    EXPECT_EQ(f.database.path(), f.dir / "gas.mdb");
    EXPECT_EQ(store::Connection::open(f.dir / "copy.mdb").recordCount("Trm"), 4);

    f.fake.dialogs.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(f.database.replaceWithSavedCopy(f.fake.dialogs));
    EXPECT_EQ(f.rows().recordCount(), 4u);
    f.database.setModified();
    EXPECT_TRUE(f.database.replaceWithSavedCopy(f.fake.dialogs));
    EXPECT_EQ(f.rows().recordCount(), 0u);
}

} // namespace
} // namespace kinetra::thermo
