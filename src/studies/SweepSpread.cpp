#include "studies/SweepSpread.h"

#include "common/TextUtil.h"
#include "studies/SweepPlan.h"

namespace kinetra::studies {

std::string shellWord(const std::string& text) {
    std::string word = "'";
    for (const char ch : text)
        word += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return word + "'";
}

bool namesRemoteHosts(const std::string& sshLogin) {
    std::size_t from = 0;
    while (from <= sshLogin.size()) {
        std::size_t end = sshLogin.find(',', from);
        if (end == std::string::npos)
            end = sshLogin.size();
        std::string entry = trimBlanks(std::string_view(sshLogin).substr(from, end - from));
        const auto slash = entry.find('/');
        if (slash != std::string::npos && slash > 0 &&
            entry.find_first_not_of("0123456789") == slash)
            entry = trimBlanks(std::string_view(entry).substr(slash + 1));
        if (!entry.empty() && entry != ":")
            return true;
        from = end + 1;
    }
    return false;
}

std::vector<std::string> parallelArguments(const ParallelRequest& r) {
    namespace f = sweep_files;
    // --quote: the command's words reach the case runner as they are, blanks in paths included.
    // --halt never: a case that fails to give a result never stops the others.
    std::vector<std::string> args{"--will-cite", "--jobs", r.jobs, "--halt", "never"};
    if (r.progressBar)
        args.push_back("--bar");
    if (!r.sshLogin.empty()) {
        args.insert(args.end(), {"--sshlogin", r.sshLogin});
        for (const char* file : {f::kInput, f::kSettings, f::kCases})
            args.insert(args.end(), {"--basefile", r.sweepFolder + "/" + file});
        args.insert(
            args.end(),
            {"--return", r.sweepFolder + "/" + f::kCaseFolders + "/{}/" + f::kResult, "--cleanup"});
    }
    if (r.casesPerJob > 1 && r.sshLogin.empty())
        args.insert(args.end(), {"--max-args", std::to_string(r.casesPerJob)});
    args.insert(args.end(), {"--arg-file", r.pendingList, "--quote", r.runner.string()});
    // Under the progress bar the runners name failed cases only: a line per case breaks it up.
    if (r.progressBar)
        args.push_back("--quiet");
    args.insert(args.end(), {r.sweepFolder, "{}"});
    return args;
}

namespace {

// The template with every "@NAME@" replaced by its text.
std::string filled(std::string text,
                   const std::vector<std::pair<std::string, std::string>>& fields) {
    for (const auto& [name, value] : fields)
        for (auto at = text.find(name); at != std::string::npos;
             at = text.find(name, at + value.size()))
            text.replace(at, name.size(), value);
    return text;
}

} // namespace

std::string slurmArrayScript(const SlurmRequest& r) {
    const int tasks = (r.caseCount + r.casesPerTask - 1) / r.casesPerTask;
    return filled(R"SH(#!/bin/bash
#SBATCH --job-name=kinetra-sweep
#SBATCH --array=0-@LAST@
#SBATCH --ntasks=1
#SBATCH --output=@LOGS@/slurm-%A_%a.log
# Task k runs the cases on lines k*@N@+1 to (k+1)*@N@ of the plan in one call of the case
# runner, which skips cases already done: submitting the array again resumes the sweep.
set -u
cd @WORK@ || exit 1
first=$(( SLURM_ARRAY_TASK_ID * @N@ + 1 ))
ids=$(awk -v f="$first" -v l="$(( first + @N@ - 1 ))" 'NR >= f && NR <= l { print $1 }' @QFOLDER@/@CASES@)
[ -n "$ids" ] || exit 0
exec @RUNNER@ @QFOLDER@ $ids
)SH",
                  {{"@LAST@", std::to_string(tasks - 1)},
                   {"@N@", std::to_string(r.casesPerTask)},
                   {"@LOGS@", (r.workFolder / r.sweepFolder).string()},
                   {"@QFOLDER@", shellWord(r.sweepFolder)},
                   {"@CASES@", sweep_files::kCases},
                   {"@WORK@", shellWord(r.workFolder.string())},
                   {"@RUNNER@", shellWord(r.runner.string())}});
}

std::string slurmGatherScript(const SlurmRequest& r) {
    return filled(R"SH(#!/bin/bash
#SBATCH --job-name=kinetra-gather
#SBATCH --ntasks=1
#SBATCH --output=@LOGS@/slurm-gather-%j.log
# The gather step: submit it after the array, sbatch --dependency=afterany:ARRAY_JOB_ID.
cd @WORK@ || exit 1
exec @CLI@ sweep gather @QFOLDER@ -o @CSV@
)SH",
                  {{"@LOGS@", (r.workFolder / r.sweepFolder).string()},
                   {"@QFOLDER@", shellWord(r.sweepFolder)},
                   {"@WORK@", shellWord(r.workFolder.string())},
                   {"@CLI@", shellWord(r.cli.string())},
                   {"@CSV@", shellWord(r.csv)}});
}

} // namespace kinetra::studies
