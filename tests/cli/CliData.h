// The shared data sets and the reactions a command stored, for the batch tool's tests.
#pragma once

#include "reactions/ReactionRecord.h"
#include "store/Database.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kinetra::cli::testing {

inline std::string data(const std::string& relative) {
    return std::string(KINETRA_SHARED_DATA_DIR) + "/" + relative;
}

inline std::vector<reactions::ReactionRecord> records(const std::filesystem::path& db) {
    std::vector<reactions::ReactionRecord> out;
    for (const auto& row :
         store::Connection::open(db).query("SELECT * FROM [Reactions] ORDER BY Num;").rows)
        out.push_back(reactions::reactionFromRow(row));
    return out;
}

} // namespace kinetra::cli::testing
