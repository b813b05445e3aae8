// Undo and redo of a text document by snapshots of its whole text. A snapshot is taken when the
// user has paused typing for the delay (250 ms in the text window), so a word typed in one go is
// one step. The undo list holds the current state and at most 20 earlier ones; a new snapshot
// empties the redo list. The editor's own undo is not used: it would record every keystroke.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace kinetra::textdoc {

struct TextSnapshot {
    std::u16string text;
    int selectionStart = 0;
    int selectionLength = 0;
};

// The pause timer: restarted by every change of the text. The window gives a QTimer; tests give
// a fake and fire it by calling UndoManager::pauseElapsed.
class PauseTimer {
public:
    virtual ~PauseTimer() = default;
    virtual void restart() = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
};

class UndoManager {
public:
    // At most this many snapshots are kept: the current state and 20 earlier ones.
    static constexpr std::size_t kMaxSnapshots = 21;

    explicit UndoManager(PauseTimer& timer);

    // Both lists emptied; the current text becomes the first snapshot once the delay has passed.
    void reset();

    // Events of the editor.
    void textChanged();
    void selectionChanged(int start, int length);
    // The timer fired: the current text and selection become a new snapshot.
    void pauseElapsed(const TextSnapshot& current);

    // Restores the previous snapshot (or the one undone last) through `apply`, during which the
    // editor's changes are not recorded. Nothing happens when there is nothing to restore.
    bool undo(const std::function<void(const TextSnapshot&)>& apply);
    bool redo(const std::function<void(const TextSnapshot&)>& apply);

    bool canUndo() const { return undo_.size() >= 2; }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoSteps() const { return undo_.empty() ? 0 : undo_.size() - 1; }

    // Called after every change of the lists: the window enables its Undo and Redo commands.
    std::function<void()> stateChanged;

private:
    void announce();

    PauseTimer& timer_;
    std::deque<TextSnapshot> undo_;
    std::deque<TextSnapshot> redo_;
    bool tracking_ = true;
    int rememberedStart_ = 0;
    int rememberedLength_ = 0;
};

} // namespace kinetra::textdoc
