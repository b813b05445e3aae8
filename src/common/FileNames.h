// The names of the program's own files, where every layer that writes or reads them can see
// them: support files, scratch files and the error listing.
#pragma once

namespace kinetra {

namespace files {
inline constexpr const char* kOptions = "OPTIONS.txt";
inline constexpr const char* kThermoPath = "THERMOPath.txt";
inline constexpr const char* kEmptyReac = "EmptyReac.mdb";
inline constexpr const char* kEmptyThermo = "EmptyThermo.mdb";
inline constexpr const char* kDragCursor = "Dragcopy.cur";
inline constexpr const char* kGraphIcon = "Graph01.ico";
inline constexpr const char* kTextIcon = "MISC05.ICO";
inline constexpr const char* kStartupReacCopy = "TMP_KINETRARDB.mdb";
inline constexpr const char* kTmpPlot = "TmpPlot.txt";
inline constexpr const char* kSolverInput = "SOLTMP.txt";
inline constexpr const char* kErrorListing = "ErrorMsg.txt";
// The scratch copy of the last Copy of a table (support folder).
inline constexpr const char* kCopyScratch = "CHEM01.TMP";
} // namespace files

} // namespace kinetra
