#include "support/FaultyDisk.h"

#include <cstring>
#include <sqlite3.h>
#include <stdexcept>
#include <unistd.h>

namespace kinetra::testing {

namespace {

// One installed disk at a time; SQLite's VFS registry is process-wide by nature.
struct State {
    sqlite3_vfs* system = nullptr;
    sqlite3_vfs vfs{};
    sqlite3_io_methods methods{};
    FaultyDisk::Fault fault = FaultyDisk::Fault::Kill;
    long atWrite = 0;
    long writes = 0;
    bool struck = false;
};
State state;

// The wrapped file: SQLite allocates szOsFile bytes, our header followed by the real file.
struct File {
    sqlite3_file base;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

File* asFile(sqlite3_file* f) {
    return reinterpret_cast<File*>(f);
}

int faultyWrite(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
    ++state.writes;
    if (state.struck || state.writes >= state.atWrite) {
        if (state.fault == FaultyDisk::Fault::Kill)
            _exit(0);
        state.struck = true;
        return SQLITE_FULL;
    }
    sqlite3_file* real = asFile(f)->real();
    return real->pMethods->xWrite(real, data, amount, offset);
}

#define FORWARD(name, signature, call)                                                             \
    int name signature {                                                                           \
        sqlite3_file* real = asFile(f)->real();                                                    \
        return real->pMethods->call;                                                               \
    }

FORWARD(fClose, (sqlite3_file * f), xClose(real))
FORWARD(fRead, (sqlite3_file * f, void* p, int n, sqlite3_int64 o), xRead(real, p, n, o))
FORWARD(fTruncate, (sqlite3_file * f, sqlite3_int64 size), xTruncate(real, size))
FORWARD(fSync, (sqlite3_file * f, int flags), xSync(real, flags))
FORWARD(fFileSize, (sqlite3_file * f, sqlite3_int64* size), xFileSize(real, size))
FORWARD(fLock, (sqlite3_file * f, int level), xLock(real, level))
FORWARD(fUnlock, (sqlite3_file * f, int level), xUnlock(real, level))
FORWARD(fCheckLock, (sqlite3_file * f, int* out), xCheckReservedLock(real, out))
FORWARD(fControl, (sqlite3_file * f, int op, void* arg), xFileControl(real, op, arg))
FORWARD(fSectorSize, (sqlite3_file * f), xSectorSize(real))
FORWARD(fDevice, (sqlite3_file * f), xDeviceCharacteristics(real))

int faultyOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    File* file = asFile(f);
    std::memset(&file->base, 0, sizeof file->base);
    const int rc = state.system->xOpen(state.system, name, file->real(), flags, outFlags);
    // The real file's methods stay unset on failure; so do ours, so SQLite closes nothing.
    if (file->real()->pMethods)
        file->base.pMethods = &state.methods;
    return rc;
}

#define VFS_FORWARD(name, signature, call)                                                         \
    auto name signature {                                                                          \
        return state.system->call;                                                                 \
    }

VFS_FORWARD(vDelete, (sqlite3_vfs*, const char* n, int sync), xDelete(state.system, n, sync))
VFS_FORWARD(vAccess, (sqlite3_vfs*, const char* n, int flags, int* out),
            xAccess(state.system, n, flags, out))
VFS_FORWARD(vFullPathname, (sqlite3_vfs*, const char* n, int size, char* out),
            xFullPathname(state.system, n, size, out))
VFS_FORWARD(vRandomness, (sqlite3_vfs*, int n, char* out), xRandomness(state.system, n, out))
VFS_FORWARD(vSleep, (sqlite3_vfs*, int micro), xSleep(state.system, micro))
VFS_FORWARD(vCurrentTime, (sqlite3_vfs*, double* out), xCurrentTime(state.system, out))
VFS_FORWARD(vLastError, (sqlite3_vfs*, int n, char* out), xGetLastError(state.system, n, out))

} // namespace

FaultyDisk::FaultyDisk(Fault fault, long atWrite) {
    sqlite3_initialize();
    if (!state.system)
        state.system = sqlite3_vfs_find(nullptr);
    state.fault = fault;
    state.atWrite = atWrite;
    state.writes = 0;
    state.struck = false;

    sqlite3_io_methods& m = state.methods;
    m = {};
    m.iVersion = 1; // no shared memory or memory mapping: journal_mode=DELETE needs neither
    m.xClose = fClose;
    m.xRead = fRead;
    m.xWrite = faultyWrite;
    m.xTruncate = fTruncate;
    m.xSync = fSync;
    m.xFileSize = fFileSize;
    m.xLock = fLock;
    m.xUnlock = fUnlock;
    m.xCheckReservedLock = fCheckLock;
    m.xFileControl = fControl;
    m.xSectorSize = fSectorSize;
    m.xDeviceCharacteristics = fDevice;

    sqlite3_vfs& v = state.vfs;
    v = {};
    v.iVersion = 1;
    v.szOsFile = static_cast<int>(sizeof(File)) + state.system->szOsFile;
    v.mxPathname = state.system->mxPathname;
    v.zName = "kinetra-faulty-disk";
    v.xOpen = faultyOpen;
    v.xDelete = vDelete;
    v.xAccess = vAccess;
    v.xFullPathname = vFullPathname;
    v.xRandomness = vRandomness;
    v.xSleep = vSleep;
    v.xCurrentTime = vCurrentTime;
    v.xGetLastError = vLastError;
    if (sqlite3_vfs_register(&v, 1) != SQLITE_OK)
        throw std::runtime_error("cannot install the faulty disk");
}

FaultyDisk::~FaultyDisk() {
    sqlite3_vfs_unregister(&state.vfs);
    sqlite3_vfs_register(state.system, 1);
}

bool FaultyDisk::struck() const {
    return state.struck;
}

long FaultyDisk::writes() const {
    return state.writes;
}

} // namespace kinetra::testing
