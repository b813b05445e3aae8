#include "common/ui/LengthLimitedBox.h"

#include <QLineEdit>
#include <algorithm>

namespace kinetra::ui {

QLineEdit* newLengthLimitedBox(const QString& objectName, std::string& field, LengthLimit limit) {
    auto* box = new QLineEdit;
    box->setObjectName(objectName);
    box->setMaxLength(32767);
    auto accepts = [max = limit.maxLength](const std::string& text) { return text.size() <= max; };
    // Any accepted change is kept, typed or set; textEdited below runs first for typing.
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [&field, accepts, filling = limit.filling](const QString& changed) {
                         std::string edited = changed.toStdString();
                         if (!(filling && *filling) && accepts(edited))
                             field = std::move(edited);
                     });
    QObject::connect(box, &QLineEdit::textEdited, box,
                     [box, &field, accepts, refused = limit.refused](const QString& typed) {
                         if (accepts(typed.toStdString()))
                             return;
                         const QString kept = QString::fromStdString(field);
                         const int cursor =
                             box->cursorPosition() - int(typed.size()) + int(kept.size());
                         box->setText(kept);
                         box->setCursorPosition(std::max(0, cursor));
                         if (refused)
                             refused();
                     });
    return box;
}

} // namespace kinetra::ui
