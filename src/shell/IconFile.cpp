#include "shell/IconFile.h"

#include "common/TextFile.h"

#include <cstdint>

namespace kinetra {

namespace {
std::uint32_t le16(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t le32(const std::string& b, std::size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}
} // namespace

bool isLoadableIconFile(const std::filesystem::path& path) {
    auto bytes = readFileBytes(path);
    if (!bytes || bytes->size() < 6)
        return false;
    const std::string& b = *bytes;
    std::uint32_t reserved = le16(b, 0), type = le16(b, 2), count = le16(b, 4);
    if (reserved != 0 || (type != 1 && type != 2) || count == 0)
        return false;
    constexpr std::size_t kEntrySize = 16;
    if (b.size() < 6 + count * kEntrySize)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t entry = 6 + i * kEntrySize;
        std::uint64_t size = le32(b, entry + 8), offset = le32(b, entry + 12);
        if (size == 0 || offset + size > b.size())
            return false;
    }
    return true;
}

} // namespace kinetra
