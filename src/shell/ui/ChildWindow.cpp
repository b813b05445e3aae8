#include "shell/ui/ChildWindow.h"

#include "common/ui/DocumentView.h"

#include <QCloseEvent>
#include <QStringDecoder>

namespace kinetra::ui {

ChildWindow::ChildWindow(int registryId, int toolbarMode, QWidget* content)
    : registryId_(registryId), toolbarMode_(toolbarMode) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(content);
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    if (auto* document = dynamic_cast<DocumentView*>(widget());
        document && !document->queryClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed(registryId_);
}

QString displayText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace kinetra::ui
