#include "common/Seams.h"

#include <ctime>

namespace kinetra {

const char* filterString(FilterKind kind) {
    switch (kind) {
    case FilterKind::AllTextDatabasesCharts:
        return "All Files (*.*)|*.*|Windows Text (*.txt)|*.txt|DataBases (*.mdb)|*.mdb|"
               "Kinetra Charts (*.pg)|*.pg";
    case FilterKind::AllText:
        return "All Files (*.*)|*.*|Windows Text (*.txt)|*.txt";
    case FilterKind::Databases:
        return "DataBases (*.mdb)|*.mdb";
    case FilterKind::Charts:
        return "Kinetra Charts (*.pg)|*.pg";
    case FilterKind::Pictures:
        // SVG stands where a Windows metafile would; PNG is the picture most programs take.
        return "Portable Network Graphics (*.png)|*.png|Windows Bitmap (*.bmp)|*.bmp|"
               "Scalable Vector Graphics (*.svg)|*.svg";
    case FilterKind::Text:
        return "Windows Text (*.txt)|*.txt";
    }
    return "";
}

LocalDateTime SystemClock::now() const {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

} // namespace kinetra
