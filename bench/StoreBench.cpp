// The table store on thermo tables of the size of large mechanisms: the batch insert of a text
// import and the snapshot a grid loads.
#include "store/Database.h"
#include "store/Schema.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace kinetra::store;

std::vector<std::vector<Value>> speciesRows(int count) {
    const TableSchema& trm = trmSchema();
    std::vector<std::vector<Value>> rows;
    rows.reserve(count);
    for (int i = 1; i <= count; ++i) {
        std::vector<Value> row(trm.fields.size());
        row[*trm.position("Num")] = std::int64_t{i};
        row[*trm.position("Species")] = "SPECIES" + std::to_string(i);
        row[*trm.position("St")] = std::string("G");
        row[*trm.position("Tmp")] = std::string("1");
        row[*trm.position("Info")] = std::int64_t{0};
        for (int a = 1; a <= 15; ++a)
            row[*trm.position("A" + std::to_string(a))] = 1.0 / (a + i);
        row[*trm.position("Comment")] = std::string("a comment of some length");
        rows.push_back(std::move(row));
    }
    return rows;
}

std::filesystem::path scratchFile(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

void BM_InsertSpecies(benchmark::State& state) {
    const auto rows = speciesRows(static_cast<int>(state.range(0)));
    const auto path = scratchFile("kinetra-bench-insert.mdb");
    for (auto _ : state) {
        state.PauseTiming();
        createThermoTemplate(path);
        state.ResumeTiming();
        auto c = Connection::open(path);
        Transaction t(c);
        c.insertRows("Trm", rows);
        t.commit();
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertSpecies)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_QuerySpeciesSnapshot(benchmark::State& state) {
    const auto path = scratchFile("kinetra-bench-query.mdb");
    createThermoTemplate(path);
    {
        auto c = Connection::open(path);
        Transaction t(c);
        c.insertRows("Trm", speciesRows(static_cast<int>(state.range(0))));
        t.commit();
    }
    for (auto _ : state) {
        auto c = Connection::open(path);
        RowSet rows = c.query("SELECT * FROM [Trm] ORDER BY Num;");
        benchmark::DoNotOptimize(rows);
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_QuerySpeciesSnapshot)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
