// The reference and comment boxes of the input windows: an edit that would make the text longer
// than the field holds is refused with a message and the box keeps the text it had. The edit is
// checked rather than the box capped, so that an overlong text that came from a file is shown
// whole and can still be shortened.
#pragma once

#include <QString>
#include <cstddef>
#include <functional>
#include <string>

class QLineEdit;

namespace kinetra::ui {

struct LengthLimit {
    std::size_t maxLength = 0;     // bytes of the UTF-8 text
    std::function<void()> refused; // shows the message of the limit
    // True while the window fills its boxes from the model: that text is not typing.
    const bool* filling = nullptr;
};

// A box whose accepted text goes into `field`.
QLineEdit* newLengthLimitedBox(const QString& objectName, std::string& field, LengthLimit limit);

} // namespace kinetra::ui
