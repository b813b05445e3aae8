// A light check that a file is a loadable icon or cursor picture: the icon directory header,
// at least one entry, and every entry's image inside the file.
#pragma once

#include <filesystem>

namespace kinetra {

enum class IconKind { Icon = 1, Cursor = 2 };

bool isLoadableIconFile(const std::filesystem::path& path);

} // namespace kinetra
