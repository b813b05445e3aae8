#include "textdoc/UndoManager.h"

#include <gtest/gtest.h>

namespace kinetra::textdoc {
namespace {

class FakeTimer final : public PauseTimer {
public:
    void restart() override { on = true; }
    void stop() override { on = false; }
    bool running() const override { return on; }
    bool on = false;
};

// An editor stand-in: its text and selection, and the manager bound to it.
struct Editor {
    FakeTimer timer;
    UndoManager undo{timer};
    TextSnapshot shown;
    int announcements = 0;

    Editor() {
        undo.stateChanged = [this] { ++announcements; };
        undo.reset();
        pause();
    }
    void type(const std::u16string& s) {
        shown.text += s;
        shown.selectionStart = static_cast<int>(shown.text.size());
        undo.textChanged();
        undo.selectionChanged(shown.selectionStart, 0);
    }
    void pause() {
        if (timer.on)
            undo.pauseElapsed(shown);
    }
    bool doUndo() {
        return undo.undo([this](const TextSnapshot& s) {
            shown = s;
            undo.textChanged(); // the editor reports the change it was given
        });
    }
    bool doRedo() {
        return undo.redo([this](const TextSnapshot& s) {
            shown = s;
            undo.textChanged();
        });
    }
};

TEST(UndoManagerTest, AWordTypedWithoutPauseIsOneStep) {
    Editor e;
    for (char16_t c : std::u16string(u"hello"))
        e.type(std::u16string(1, c));
    e.pause();
    EXPECT_EQ(e.undo.undoSteps(), 1u);
    EXPECT_TRUE(e.doUndo());
    EXPECT_EQ(e.shown.text, u"");
    EXPECT_FALSE(e.undo.canUndo());
    EXPECT_TRUE(e.undo.canRedo());
    EXPECT_FALSE(e.timer.on); // restoring is no edit
    EXPECT_TRUE(e.doRedo());
    EXPECT_EQ(e.shown.text, u"hello");
}

TEST(UndoManagerTest, TwentyFiveEditsLeaveTwentyUndoable) {
    Editor e;
    for (int i = 0; i < 25; ++i) {
        e.type(u"x");
        e.pause();
    }
    int undone = 0;
    while (e.doUndo())
        ++undone;
    EXPECT_EQ(undone, 20);
    EXPECT_EQ(e.shown.text, std::u16string(5, u'x'));
}

TEST(UndoManagerTest, NewEditAfterUndoEmptiesRedo) {
    Editor e;
    e.type(u"a");
    e.pause();
    e.type(u"b");
    e.pause();
    ASSERT_TRUE(e.doUndo());
    ASSERT_TRUE(e.undo.canRedo());
    e.type(u"c");
    EXPECT_TRUE(e.undo.canRedo()); // only the snapshot after the pause counts as an edit
    e.pause();
    EXPECT_FALSE(e.undo.canRedo());
    ASSERT_TRUE(e.doUndo());
    EXPECT_EQ(e.shown.text, u"a");
}

TEST(UndoManagerTest, UndoWithOneSnapshotDoesNothing) {
    Editor e;
    const int before = e.announcements;
    EXPECT_FALSE(e.undo.canUndo());
    EXPECT_FALSE(e.doUndo());
    EXPECT_FALSE(e.doRedo());
    EXPECT_EQ(e.announcements, before);
}

TEST(UndoManagerTest, UndoRestoresTheCaretOfThePreviousState) {
    Editor e;
    e.type(u"abc");
    e.pause();
    e.undo.selectionChanged(1, 1); // the user selects "b", then types elsewhere
    e.type(u"d");
    e.pause();
    ASSERT_TRUE(e.doUndo());
    EXPECT_EQ(e.shown.text, u"abc");
    EXPECT_EQ(e.shown.selectionStart, 1);
    EXPECT_EQ(e.shown.selectionLength, 1);
}

} // namespace
} // namespace kinetra::textdoc
