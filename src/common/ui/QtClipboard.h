// The system clipboard as plain text.
#pragma once

#include "common/Seams.h"

namespace kinetra::ui {

class QtClipboard final : public Clipboard {
public:
    std::string text() const override;
    void setText(const std::string& text) override;
    void clear() override;
};

} // namespace kinetra::ui
