// Between the options file's colour (red + 256 * green + 65536 * blue) and QColor.
#pragma once

#include "shell/Colour.h"

#include <QColor>

namespace kinetra::ui {

inline QColor toQColor(Colour c) {
    const ColourParts p = colourParts(c);
    return QColor(p.red, p.green, p.blue);
}

inline Colour fromQColor(const QColor& c) {
    return makeColour(c.red(), c.green(), c.blue());
}

} // namespace kinetra::ui
