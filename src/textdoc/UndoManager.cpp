#include "textdoc/UndoManager.h"

namespace kinetra::textdoc {

UndoManager::UndoManager(PauseTimer& timer) : timer_(timer) {}

void UndoManager::announce() {
    if (stateChanged)
        stateChanged();
}

void UndoManager::reset() {
    undo_.clear();
    redo_.clear();
    tracking_ = true;
    timer_.restart();
    announce();
}

void UndoManager::textChanged() {
    if (tracking_)
        timer_.restart();
    else
        timer_.stop();
}

void UndoManager::selectionChanged(int start, int length) {
    // While typing goes on the selection belongs to the snapshot to come, not the last one.
    if (!timer_.running()) {
        rememberedStart_ = start;
        rememberedLength_ = length;
    }
}

void UndoManager::pauseElapsed(const TextSnapshot& current) {
    timer_.stop();
    if (!tracking_)
        return;
    if (!undo_.empty()) {
        // Undoing to the previous snapshot puts the caret where the user left it then.
        undo_.back().selectionStart = rememberedStart_;
        undo_.back().selectionLength = rememberedLength_;
    }
    if (undo_.size() >= kMaxSnapshots)
        undo_.pop_front();
    undo_.push_back(current);
    redo_.clear();
    announce();
    rememberedStart_ = current.selectionStart;
    rememberedLength_ = current.selectionLength;
}

bool UndoManager::undo(const std::function<void(const TextSnapshot&)>& apply) {
    if (!canUndo())
        return false;
    tracking_ = false;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    apply(undo_.back());
    tracking_ = true;
    announce();
    return true;
}

bool UndoManager::redo(const std::function<void(const TextSnapshot&)>& apply) {
    if (!canRedo())
        return false;
    tracking_ = false;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    apply(undo_.back());
    tracking_ = true;
    announce();
    return true;
}

} // namespace kinetra::textdoc
