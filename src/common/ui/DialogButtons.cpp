#include "common/ui/DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kinetra::ui {

DialogButtons addOkCancel(QDialog* dialog, QBoxLayout* layout, std::function<void()> onOk,
                          const QString& okName, const QString& cancelName) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    DialogButtons buttons;
    buttons.ok = new QPushButton(QStringLiteral("OK"));
    buttons.ok->setObjectName(okName);
    buttons.ok->setDefault(true);
    buttons.cancel = new QPushButton(QStringLiteral("Cancel"));
    buttons.cancel->setObjectName(cancelName);
    buttons.cancel->setAutoDefault(false);
    QObject::connect(buttons.ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout->addLayout(row);
    return buttons;
}

void focusRefusedField(QWidget* field) {
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(field))
        box->selectAll();
}

} // namespace kinetra::ui
