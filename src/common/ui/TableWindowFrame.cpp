#include "common/ui/TableWindowFrame.h"

#include "common/ui/ColumnFitter.h"
#include "common/ui/RowGridView.h"

#include <QAction>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace kinetra::ui {

TableWindowFrame::TableWindowFrame(QWidget* window, QAbstractItemModel* model, CommandRunner run)
    : QObject(window), run_(std::move(run)) {
    grid_ = new RowGridView(window);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setModel(model);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->horizontalHeader()->setHighlightSections(false);
    fitter_ = new ColumnFitter(grid_);
    window->setFocusProxy(grid_);

    count_ = new QLabel(window);
    count_->setObjectName(QStringLiteral("count"));
    message_ = new QLabel(window);
    message_->setObjectName(QStringLiteral("message"));
    auto* status = new QHBoxLayout;
    status->addWidget(count_);
    status->addSpacing(24);
    status->addWidget(message_, 1);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(grid_, 1);
    layout->addLayout(status);

    popup_ = new QMenu;
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(grid_->viewport()->mapToGlobal(at)); });
}

TableWindowFrame::~TableWindowFrame() {
    // The menus are not children of the window (a menu bar shows them); they go with it.
    qDeleteAll(menus_);
    delete popup_;
}

QString TableWindowFrame::countText() const {
    return count_->text();
}

QString TableWindowFrame::messageText() const {
    return message_->text();
}

void TableWindowFrame::showStatus(const std::string& count, const std::string& message) {
    count_->setText(QString::fromStdString(count));
    showMessage(message);
}

void TableWindowFrame::showMessage(const std::string& message) {
    message_->setText(QString::fromStdString(message));
}

QAction* TableWindowFrame::addItem(QMenu* menu, const std::string& name, const QString& caption,
                                   std::function<void()> command) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromStdString(name));
    connect(item, &QAction::triggered, this,
            [this, command = std::move(command)] { run_(command); });
    actions_[name] = item;
    return item;
}

QAction* TableWindowFrame::action(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void TableWindowFrame::giveStandardShortcuts(const std::string& prefix) {
    const std::pair<const char*, StandardCommand> keys[] = {
        {"Open", StandardCommand::Open},        {"Save", StandardCommand::Save},
        {"Cut", StandardCommand::Cut},          {"Copy", StandardCommand::Copy},
        {"Paste", StandardCommand::Paste},      {"SelectAll", StandardCommand::SelectAll},
        {"Delete", StandardCommand::Delete},    {"Find", StandardCommand::Find},
        {"FindNext", StandardCommand::FindNext}};
    for (const auto& [name, command] : keys)
        if (QAction* item = action(prefix + name))
            giveShortcut(item, command);
}

void TableWindowFrame::setPopupItems(
    const std::vector<std::pair<const char*, const char*>>& items) {
    popup_->clear();
    for (const auto& [name, caption] : items) {
        QAction* target = actions_.at(name);
        QAction* item = popup_->addAction(tr(caption));
        item->setObjectName(QStringLiteral("popup_") + QString::fromLatin1(name));
        connect(item, &QAction::triggered, target, &QAction::trigger);
        // An item the window hides (view-only) is hidden in the pop-up menu as well.
        item->setVisible(target->isVisible());
        connect(target, &QAction::changed, item,
                [item, target] { item->setVisible(target->isVisible()); });
    }
}

void TableWindowFrame::setPointSize(int points) {
    QFont font = grid_->font();
    font.setPointSize(points);
    grid_->setFont(font);
    grid_->verticalHeader()->setFont(font);
    grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
    grid_->horizontalHeader()->setFont(font);
}

} // namespace kinetra::ui
