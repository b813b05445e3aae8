// Run with LC_ALL=de_DE.UTF-8: the user's decimal symbol is a comma, and the program must
// still start and write its files with points.
#include "TempApp.h"
#include "shell/OptionsWindowModel.h"

#include <QLocale>
#include <cstdio>

using namespace kinetra;
using namespace kinetra::testing;

class GermanLocaleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // QApplication has taken the locale of the environment into the C library.
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 0.5);
        if (QLocale::system().decimalPoint() != QStringLiteral(",") || text != std::string("0,5"))
            QFAIL("the German locale is not active: run with LC_ALL=de_DE.UTF-8 (ctest does)");
    }

    void startUpPassesAndSavedOptionsKeepThePoint() {
        TempApp t;
        QVERIFY(t.startUp());
        QVERIFY(t.fake.dialogs.shown.empty());
        QVERIFY(t.app.checksPassed);
        QCOMPARE(t.app.constants.gasConstantCal, 1.987204259);

        OptionsWindowModel model(t.app, t.fake.ui, t.window->shell());
        model.load();
        model.boxes[0] = "8.3145";
        QVERIFY(model.ok());
        const std::string saved = readFile(t.app.folders.support(files::kOptions));
        QVERIFY(saved.find("8.3145\r\n") != std::string::npos);
        QVERIFY(saved.find("101.325\r\n") != std::string::npos);
        QVERIFY(saved.find(',') == std::string::npos);
    }
};

QTEST_MAIN(GermanLocaleTest)
#include "GermanLocaleTest.moc"
