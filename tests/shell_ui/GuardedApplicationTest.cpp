// An exception from a slot or a timer ends at that event with a message and its place code;
// the event loop, and the program, go on.
#include "shell/ui/GuardedApplication.h"

#include "support/FakeUi.h"

#include <QTimer>
#include <cstdio>
#include <stdexcept>

int main(int argc, char** argv) {
    kinetra::ui::GuardedApplication app(argc, argv);
    kinetra::testing::FakeUi fake;
    app.setDialogs(&fake.dialogs);
    bool after = false;
    QTimer::singleShot(0, &app, [] { throw std::runtime_error("disk full"); });
    QTimer::singleShot(10, &app, [&] {
        after = true;
        app.quit();
    });
    app.exec();
    const bool reported =
        fake.dialogs.shown.size() == 1 && fake.dialogs.shown[0].text == "MDI#090. disk full";
    if (!reported || !after) {
        std::fprintf(stderr, "FAIL: reported %d, loop went on %d\n", reported, after);
        return 1;
    }
    std::puts("PASS");
    return 0;
}
