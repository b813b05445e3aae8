#include "CliCommand.h"

#include <algorithm>
#include <ostream>

namespace kinetra::cli {

const std::string* ParsedArgs::option(const std::string& name) const {
    for (const auto& [key, value] : options)
        if (key == name)
            return &value;
    return nullptr;
}

bool parseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags, ParsedArgs& parsed, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            parsed.positional.push_back(a);
            continue;
        }
        if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
            parsed.options.emplace_back(a, "");
            continue;
        }
        if (std::find(valued.begin(), valued.end(), a) == valued.end()) {
            err << "kinetra-cli: unknown option '" << a << "'\n";
            return false;
        }
        if (i + 1 >= args.size()) {
            err << "kinetra-cli: option '" << a << "' needs a value\n";
            return false;
        }
        parsed.options.emplace_back(a, args[++i]);
    }
    return true;
}

bool mayWrite(Context& c, const std::filesystem::path& file, bool force) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        c.io.err << "kinetra-cli: " << file.string() << " is a folder; name a file.\n";
        return false;
    }
    if (std::filesystem::exists(std::filesystem::symlink_status(file, error)) && !force) {
        c.io.err << "kinetra-cli: " << file.string() << " exists; use --force to replace it.\n";
        return false;
    }
    return true;
}

} // namespace kinetra::cli
