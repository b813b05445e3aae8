#include "studies/SweepCases.h"

#include "common/TextFile.h"
#include "solver/RunSettingsFiles.h"
#include "studies/ScratchFolder.h"
#include "studies/SweepPlan.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace kinetra::studies {

namespace {

namespace fs = std::filesystem;

std::string numberText(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

class TextSink final : public solver::OutputSink {
public:
    void write(std::string_view text) override { text_ += text; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace

fs::path caseResultPath(const fs::path& sweep, const std::string& id) {
    return sweep / sweep_files::kCaseFolders / id / sweep_files::kResult;
}

bool caseDone(const fs::path& sweep, const std::string& id) {
    const auto text = readTextFile(caseResultPath(sweep, id));
    return text && readCaseResultText(*text);
}

std::optional<std::vector<IgnitionCase>> readSweepPlan(const fs::path& sweep, std::ostream& err) {
    const auto text = readTextFile(sweep / sweep_files::kCases);
    auto cases = text ? readCasesText(*text) : std::nullopt;
    if (!cases)
        err << "kinetra-cli: " << sweep.string() << " holds no sweep plan (" << sweep_files::kCases
            << ").\n";
    return cases;
}

int runSweepCases(const fs::path& sweep, const std::vector<std::string>& ids,
                  const fs::path& solverProgram, bool keepFiles, std::ostream& out,
                  std::ostream& err, const std::function<bool()>& stopRequested,
                  CaseListing listing) {
    const auto stopping = [&] { return stopRequested && stopRequested(); };
    const auto cases = readSweepPlan(sweep, err);
    if (!cases)
        return 1;
    const auto lines = solver::readInputLines(sweep / sweep_files::kInput);
    const auto settingsText = readTextFile(sweep / sweep_files::kSettings);
    solver::RunSettings settings;
    if (!settingsText || !solver::enterSavedSettings(*settingsText, settings)) {
        err << "kinetra-cli: " << sweep.string() << " holds no run settings.\n";
        return 1;
    }
    CaseRunner runner(lines.value_or(std::vector<std::string>{}), settings, solverProgram,
                      keepFiles);
    std::optional<ScratchFolder> scratch;
    if (!keepFiles) {
        try {
            scratch.emplace("kinetra-cases-");
            runner.scratchFolder = scratch->path();
        } catch (const std::exception&) {
            // Without it each case's files go in its own folder, as with --keep-files.
        }
    }
    std::unordered_map<std::string, const IgnitionCase*> byId;
    for (const IgnitionCase& k : *cases)
        byId.emplace(k.id, &k);
    int status = 0;
    for (const std::string& id : ids) {
        if (stopping())
            return 1;
        const auto k = byId.find(id);
        if (k == byId.end()) {
            err << "kinetra-cli: the sweep " << sweep.string() << " has no case " << id << ".\n";
            status = 1;
            continue;
        }
        if (caseDone(sweep, id)) {
            if (listing == CaseListing::Every)
                out << id << " done already\n";
            continue;
        }
        const fs::path folder = sweep / sweep_files::kCaseFolders / id;
        TextSink console;
        CaseResult r = runIgnitionCase(runner, *k->second, folder, console);
        if (stopping())
            return 1;
        r.log = console.text();
        // A scratch write: after a crash a result cut short does not read and the case runs
        // again. A case killed before it has none.
        writeTextFile(caseResultPath(sweep, id), caseResultText(r), Durability::Scratch);
        if (listing == CaseListing::FailuresOnly && r.status != CaseStatus::Failed)
            continue;
        out << id << ' ' << statusText(r.status);
        if (r.status == CaseStatus::Ignited)
            out << ' ' << numberText(r.delay) << " s";
        out << (r.reason.empty() ? "" : ": ") << r.reason << '\n' << std::flush;
    }
    return status;
}

} // namespace kinetra::studies
