// A document window inside the main window's MDI area. It carries the id under which the
// window is registered and the toolbar it shows when active, and reports when it has closed so
// that the registry stays in step.
#pragma once

#include <QMdiSubWindow>
#include <string_view>

namespace kinetra::ui {

class ChildWindow final : public QMdiSubWindow {
    Q_OBJECT
public:
    ChildWindow(int registryId, int toolbarMode, QWidget* content);
    int registryId() const { return registryId_; }
    int toolbarMode() const { return toolbarMode_; }

signals:
    // The window accepted its close request; it is no longer one of the MDI area's windows.
    void closed(int registryId);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int registryId_;
    int toolbarMode_;
};

// The text of a file as it should be shown: UTF-8 when the bytes are valid UTF-8, otherwise
// Latin-1 (files written by other programs), with CR LF and lone CR line ends made plain.
QString displayText(std::string_view bytes);

} // namespace kinetra::ui
