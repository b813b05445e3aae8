// Message boxes and the refusal window of the text readers, shown with Qt. Every box is modal and
// centred over the window the user is working in.
#pragma once

#include "common/Seams.h"

#include <QDialog>

class QCheckBox;

namespace kinetra::ui {

class QtDialogs final : public Dialogs {
public:
    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer ask(const std::string& text, const std::string& title, Buttons buttons,
               Answer defaultAnswer, Icon icon) override;
    RefusalReply refusal(const std::string& message, const std::string& block,
                         const std::string& question) override;
};

// The window behind QtDialogs::refusal, public so that it can be driven without a modal loop.
class RefusalDialog final : public QDialog {
    Q_OBJECT
public:
    RefusalDialog(const QString& message, const QString& block, const QString& question,
                  QWidget* parent = nullptr);
    // The reply for the way the window was closed; the close box and Escape answer Cancel.
    RefusalReply reply() const;

private:
    RefusalChoice choice_ = RefusalChoice::Cancel;
    QCheckBox* doNotShow_ = nullptr;
};

// The window a modal box should belong to: the active modal window, else the active window.
QWidget* dialogParent();

} // namespace kinetra::ui
