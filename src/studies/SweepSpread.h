// How a sweep's cases are spread: the GNU parallel command line for this machine and for ssh
// hosts, and the Slurm job-array and gather scripts for a cluster. Every path runs the same
// case runner, `kinetra-sweep-case SWEEP_DIR ID...`, so a case gives the same result wherever
// it runs. Nothing here schedules: parallel and Slurm do.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kinetra::studies {

struct ParallelRequest {
    std::filesystem::path runner; // kinetra-sweep-case as the hosts that run the cases find it
    std::string sweepFolder;      // relative to the folder parallel runs in (also on ssh hosts)
    std::string pendingList;      // file of the case ids to run, one a line
    std::string jobs = "100%";    // cases at once on each host (parallel's --jobs)
    std::string sshLogin;         // empty: this machine only
    int casesPerJob = 1;          // case ids per call of the case runner (1 with ssh hosts)
    bool progressBar = false;
};

// The arguments after "parallel". With ssh hosts the plan files go out once per host
// (--basefile), each case's result file comes back (--return), and both are removed there
// afterwards (--cleanup).
std::vector<std::string> parallelArguments(const ParallelRequest& request);

struct SlurmRequest {
    // Absolute, as the cluster's nodes see them: the case runner kinetra-sweep-case, kinetra-cli
    // (for the gather step) and the folder the sweep lies in.
    std::filesystem::path runner, cli, workFolder;
    std::string sweepFolder; // relative to workFolder
    std::string csv;         // relative to workFolder
    int caseCount = 0;
    int casesPerTask = 1;
};

// One array task per chunk of casesPerTask cases, in the plan's order; a task runs its cases
// one after the other and skips those already done.
std::string slurmArrayScript(const SlurmRequest& request);
// The gather step: the CSV and the chart from every result there is.
std::string slurmGatherScript(const SlurmRequest& request);

// Whether a --sshlogin list names a host other than this machine (":"), each entry perhaps after
// a job count ("8/node1") and perhaps a whole ssh command ("ssh -p 2222 node1"): parallel then
// sends the plan files there and brings the results back with rsync.
bool namesRemoteHosts(const std::string& sshLogin);

// A word for a POSIX shell: single-quoted, single quotes written as '\''.
std::string shellWord(const std::string& text);

} // namespace kinetra::studies
