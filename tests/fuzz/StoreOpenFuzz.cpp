// libFuzzer entry for the opening of foreign and damaged files: the input's bytes become a file
// that the store opens as a database, checks against the three tables of the program and, when
// they pass, reads whole. Every failure must be a StoreError; nothing may crash or read past a
// row. Built and run by scripts/fuzz-readers; its seeds are real databases of the program.
#include "reactions/ReactionRecord.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "thermo/SpeciesRow.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

using namespace kinetra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/kinetra-store-fuzz-" + std::to_string(getpid()) + ".mdb";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    std::remove((path + "-journal").c_str());
    try {
        store::Connection db = store::Connection::open(path, store::OpenMode::ReadOnly);
        if (db.schemaMismatch(store::trmSchema()).empty())
            for (const store::Row& row : db.query("SELECT * FROM [Trm] ORDER BY Num;").rows)
                (void)thermo::speciesFromRow(row);
        if (db.schemaMismatch(store::elementsSchema()).empty())
            (void)thermo::readElementTable(db);
        if (db.schemaMismatch(store::reactionsSchema()).empty())
            for (const store::Row& row : db.query("SELECT * FROM [Reactions];").rows)
                (void)reactions::reactionFromRow(row);
    } catch (const store::StoreError&) {
    }
    return 0;
}
