#include "studies/SweepPlan.h"
#include "studies/SweepReport.h"
#include "studies/SweepSpread.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kinetra::studies {
namespace {

TEST(SweepPlan, ValuesFromRangesAndLists) {
    struct Case {
        const char* text;
        std::vector<double> values;
    };
    const Case accepted[] = {{"800:1400:50", {}},
                             {"1,10,40", {1, 10, 40}},
                             {"1200", {1200}},
                             {"0.5:1:0.25", {0.5, 0.75, 1}},
                             {"1000:1100:30", {1000, 1030, 1060, 1090}}};
    for (const Case& c : accepted) {
        const auto v = parseSweepValues(c.text, "--T");
        ASSERT_TRUE(std::holds_alternative<std::vector<double>>(v)) << c.text;
        if (!c.values.empty()) {
            EXPECT_EQ(std::get<std::vector<double>>(v), c.values) << c.text;
        }
    }
    const auto range = std::get<std::vector<double>>(parseSweepValues("800:1400:50", "--T"));
    EXPECT_EQ(range.size(), 13u);
    EXPECT_EQ(range.back(), 1400); // counted, not summed: no 1399.9999 and no lost end
    for (const char* refused :
         {"1400:800:50", "800:1400:0", "800:1400", "a,b", "1,0", "", "1:1e9:1"})
        EXPECT_EQ(std::get<std::string>(parseSweepValues(refused, "--T")),
                  std::string("--T \"") + refused +
                      "\" is not FROM:TO:STEP or a list of positive numbers.");
}

std::vector<IgnitionCase> twelveCases() {
    return sweepCases({900, 1000, 1100}, {1, 10}, {0.5, 1}, [](double phi) {
        return phi == 1 ? std::string("H2=0.3,O2=0.7") : std::string("H2=0.2,O2=0.8");
    });
}

TEST(SweepPlan, EveryCombinationOnceAndThePlanTextReadsBack) {
    const auto cases = twelveCases();
    ASSERT_EQ(cases.size(), 12u);
    EXPECT_EQ(cases.front().id, "0001");
    EXPECT_EQ(cases[4].id, "0005");
    // Pressure, then phi, then temperature: each subset of the chart is one run of cases.
    EXPECT_EQ(cases[4].temperature, 1000);
    EXPECT_EQ(cases[4].phi, 1);
    EXPECT_EQ(cases[4].pressure, 1);
    EXPECT_EQ(cases[4].fractions, "H2=0.3,O2=0.7");
    const auto back = readCasesText(casesText(cases));
    ASSERT_TRUE(back);
    EXPECT_EQ(casesText(*back), casesText(cases));
    EXPECT_FALSE(readCasesText("0001 900 1\n"));
}

// Coldest first, plan order among equal temperatures: the four 900 K cases, then 1000 K...
TEST(SweepPlan, RunOrderHandsOutTheColdCasesFirst) {
    std::vector<std::string> ids;
    for (const IgnitionCase& k : runOrder(twelveCases()))
        ids.push_back(k.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"0001", "0004", "0007", "0010", "0002", "0005", "0008",
                                             "0011", "0003", "0006", "0009", "0012"}));
}

TEST(SweepReport, ResultFileReadsBackAndTheCsvListsEveryCase) {
    const auto cases = twelveCases();
    std::vector<std::optional<CaseResult>> results(cases.size());
    CaseResult ignited;
    ignited.status = CaseStatus::Ignited;
    ignited.delay = 4.5485e-2;
    ignited.ohDelay = 4.55e-2;
    ignited.peakTemperature = 2591.5;
    ignited.seconds = 0.047;
    ignited.solverCpuSeconds = 0.0213;
    ignited.log = "KINETRA_SOLVER_5: input.txt -> input.out\r\n\nDone: 937 steps\n";
    CaseResult failed;
    failed.reason = "ERROR Temperature left the interval, t = 1E-3";
    failed.seconds = 0.01;
    CaseResult quiet;
    quiet.status = CaseStatus::NoIgnition;
    quiet.peakTemperature = 905;
    for (const CaseResult& r : {ignited, failed, quiet}) {
        const auto back = readCaseResultText(caseResultText(r));
        ASSERT_TRUE(back);
        EXPECT_EQ(caseResultText(*back), caseResultText(r));
        EXPECT_EQ(back->solverCpuSeconds, r.solverCpuSeconds);
    }
    // The log comes back line by line, without carriage returns, blank lines kept.
    EXPECT_EQ(readCaseResultText(caseResultText(ignited))->log,
              "KINETRA_SOLVER_5: input.txt -> input.out\n\nDone: 937 steps\n");
    // A result written before the solver's CPU time was kept still reads.
    EXPECT_TRUE(readCaseResultText("status ignited\ndelay 0.04\npeak-T 2600\nseconds 0.05\n"));
    EXPECT_FALSE(readCaseResultText("delay 1\n"));
    results[0] = ignited;
    results[1] = failed;
    results[2] = quiet;
    const std::string csv = sweepCsv(cases, results);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 13);
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
              "case,T (K),P (atm),phi,delay (s),peak T (K),status,seconds\n"
              "0001,900,1,0.5,0.045485,2591.5,ignited,0.047\n");
    EXPECT_NE(
        csv.find("\n0002,1000,1,0.5,,,\"failed: ERROR Temperature left the interval, t = "
                 "1E-3\",0.01\n0003,1100,1,0.5,,905,no ignition,0\n0004,900,1,1,,,not run,\n"),
        std::string::npos)
        << csv;
}

TEST(SweepReport, ArrheniusChartHasOneSubsetPerPressureAndPhi) {
    const auto cases = twelveCases();
    std::vector<std::optional<CaseResult>> results(cases.size());
    CaseResult r;
    r.status = CaseStatus::Ignited;
    r.delay = 2e-3;
    results[1] = r;
    const ChartContent chart = arrheniusChart(cases, results);
    ASSERT_EQ(chart.subsets.size(), 4u);
    EXPECT_EQ(chart.pointCount, 3);
    EXPECT_EQ(chart.subsets[0].label, "P = 1 atm, phi = 0.5");
    EXPECT_EQ(chart.subsets[3].label, "P = 10 atm, phi = 1");
    EXPECT_DOUBLE_EQ(chart.subsets[0].x[1], 1);   // 1000/T of 1000 K
    EXPECT_DOUBLE_EQ(chart.subsets[0].y[1], 2);   // ms
    EXPECT_EQ(chart.subsets[0].y[0], kEmptySlot); // not run: no point, not a zero delay
    EXPECT_EQ(chart.look.yAxis.scale, AxisScale::Log);
}

TEST(SweepSpread, SshHostsGetThePlanFilesAndReturnTheResults) {
    ParallelRequest r;
    r.runner = "/opt/k/kinetra-sweep-case";
    r.sweepFolder = "delays.sweep";
    r.pendingList = "delays.sweep/pending.txt";
    r.jobs = "2";
    r.sshLogin = "2/node1,node2";
    const auto args = parallelArguments(r);
    const auto has = [&](const std::string& option, const std::string& value) {
        for (std::size_t i = 0; i + 1 < args.size(); ++i)
            if (args[i] == option && args[i + 1] == value)
                return true;
        return false;
    };
    EXPECT_TRUE(has("--sshlogin", "2/node1,node2"));
    EXPECT_TRUE(has("--basefile", "delays.sweep/input.txt"));
    EXPECT_TRUE(has("--basefile", "delays.sweep/cases.txt"));
    EXPECT_TRUE(has("--return", "delays.sweep/cases/{}/result.txt"));
    EXPECT_EQ(std::vector<std::string>(args.end() - 3, args.end()),
              (std::vector<std::string>{"/opt/k/kinetra-sweep-case", "delays.sweep", "{}"}));
    // Under the progress bar the runners name failed cases only.
    r.progressBar = true;
    const auto barred = parallelArguments(r);
    EXPECT_EQ(
        std::vector<std::string>(barred.end() - 4, barred.end()),
        (std::vector<std::string>{"/opt/k/kinetra-sweep-case", "--quiet", "delays.sweep", "{}"}));
    EXPECT_EQ(shellWord("it's"), "'it'\\''s'");
}

TEST(SweepSpread, OnlyOtherHostsNeedTheFilesSent) {
    for (const char* here : {":", " : ", "4/:", ":,2/:", ""})
        EXPECT_FALSE(namesRemoteHosts(here)) << here;
    for (const char* there : {"node1", "8/node1,:", ":,user@node2", "ssh -p 2222 127.0.0.1",
                              "2/ssh -i key -p 2222 node1"})
        EXPECT_TRUE(namesRemoteHosts(there)) << there;
}

} // namespace
} // namespace kinetra::studies
