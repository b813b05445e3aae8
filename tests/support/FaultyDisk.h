// A disk that fails on purpose, for the tests of what a kill or a full disk leaves behind.
// Installed, it becomes SQLite's default file layer for this process: it counts the writes of
// every database and journal file and, at the chosen write, either ends the process at once
// (_exit, as a kill would: no destructor, no rollback, no close) or reports the disk full from
// then on. Only SQLite's writes are counted; text files are written by the program itself.
#pragma once

namespace kinetra::testing {

class FaultyDisk {
public:
    enum class Fault { Kill, Full };
    // The fault strikes at write number `atWrite` (1 = the first write after installing).
    FaultyDisk(Fault fault, long atWrite);
    // Restores the system's file layer.
    ~FaultyDisk();
    FaultyDisk(const FaultyDisk&) = delete;
    FaultyDisk& operator=(const FaultyDisk&) = delete;

    // Whether the fault has struck (Full only; a Kill never returns).
    bool struck() const;
    long writes() const;
};

} // namespace kinetra::testing
