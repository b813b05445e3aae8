#include "shell/StartupChecks.h"

#include "common/QuotedItems.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "shell/IconFile.h"
#include "store/Database.h"

#include <algorithm>
#include <fstream>

namespace kinetra {

namespace {

constexpr const char* kTitle = "KINETRA";

void critical(Dialogs& dialogs, const std::string& text) {
    dialogs.message(text, kTitle, Icon::Critical);
}

std::string cannotProcess(const std::filesystem::path& path) {
    return "The auxiliary file " + path.string() + " not found or cannot be processed. " +
           "The program has been terminated. ";
}

// The read-only attribute is cleared where it can be; false (after the message) where not.
bool writableOrCleared(const std::filesystem::path& path, Dialogs& dialogs) {
    ReadOnlyCheck check = CheckReadOnly(path, true);
    if (check.code == 1) {
        critical(dialogs, check.message);
        return false;
    }
    return true;
}

} // namespace

NumberToText programNumberConversion() {
    return [](double v) { return formatRealItem(v); };
}

std::string CheckNumberFormat(const NumberToText& convert) {
    const double probe = 1234567890.0 / 7.0 - 1234567890.0;
    const std::string text = trimBlanks(convert(probe));
    std::string message;
    if (text.find(',') != std::string::npos)
        message = "Decimal symbol of the number format isn't recognized; Kinetra requires the "
                  "point as the decimal symbol.";
    else if (text.empty() || text.front() != '-')
        message = "Negative sign of the number format isn't recognized; set the ' - ' symbol as "
                  "negative sign.";
    else if (std::count(text.begin(), text.end(), '.') >= 2)
        message = "In the number format, the digit grouping is used; delete this format feature.";
    if (!message.empty())
        message += " The next message contains an information about setting the number format.";
    return message;
}

bool fileOpens(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return in.is_open() && !std::filesystem::is_directory(path);
}

bool supportFileUsable(const std::filesystem::path& path, Dialogs& dialogs) {
    if (!fileOpens(path)) {
        critical(dialogs, cannotProcess(path));
        return false;
    }
    return writableOrCleared(path, dialogs);
}

bool cursorFilesLoad(const AppFolders& folders, Dialogs& dialogs) {
    for (const char* name : {files::kDragCursor, files::kGraphIcon, files::kTextIcon}) {
        auto path = folders.support(name);
        if (!isLoadableIconFile(path)) {
            critical(dialogs, "The auxiliary file " + path.string() + " not found. " +
                                  "The program has been terminated.");
            return false;
        }
    }
    return true;
}

bool templateOpens(const std::filesystem::path& path, Dialogs& dialogs) {
    try {
        auto connection = store::Connection::open(path, store::OpenMode::ReadOnly);
    } catch (const std::exception&) {
        critical(dialogs, cannotProcess(path));
        return false;
    }
    return true;
}

bool TitleLoad(const AppFolders& folders, Dialogs& dialogs) {
    const bool passed = supportFileUsable(folders.support(files::kOptions), dialogs) &&
                        supportFileUsable(folders.support(files::kThermoPath), dialogs) &&
                        cursorFilesLoad(folders, dialogs) &&
                        writableOrCleared(folders.support(files::kEmptyReac), dialogs) &&
                        writableOrCleared(folders.support(files::kEmptyThermo), dialogs) &&
                        templateOpens(folders.support(files::kEmptyReac), dialogs) &&
                        templateOpens(folders.support(files::kEmptyThermo), dialogs);
    if (!passed)
        return false;
    if (readThermoPathFile(folders).empty())
        writeThermoPathFile(folders, folders.quickStartThermo().string());
    return true;
}

std::string readThermoPathFile(const AppFolders& folders) {
    auto text = readTextFile(folders.support(files::kThermoPath));
    if (!text)
        return {};
    QuotedItemReader in(*text);
    return trimBlanks(in.readString().value_or(""));
}

void writeThermoPathFile(const AppFolders& folders, const std::string& path) {
    writeTextFile(folders.support(files::kThermoPath), writeQuotedItems({path}));
}

} // namespace kinetra
