// Keys pressed after the control that took the focus has gone from the screen
// the user sees, in the desktop and the portrait window, the control tapped
// with the mouse or a finger: another tab or page shown, the phantom-power
// question answered, the recorder's medium hiding MARK, the login screen
// giving way. Nothing reaches the recorder, and Tab reaches only what shows;
// shown and tapped again, the control takes its key as before. And the
// portrait window's home page, built again, shows the recorder's state at once.
#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "apprig.h"
#include "menumodel.h"
#include "menuscreenrig.h"
#include "netenv.h"
#include "windowrig.h"

namespace {
const char* const desktop = "qrc:/mainDesktop.qml";
const char* const portrait = "qrc:/main.qml";
} // namespace

class TstHiddenKeysE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void cleanup();
    void keysAfterTheControlHasGone_data();
    void keysAfterTheControlHasGone();
    void keyboardLogin_data();
    void keyboardLogin();
    void homePageBuiltAgain_data();
    void homePageBuiltAgain();

private:
    bool start(const QString& document, bool logIn);
    bool tap(QQuickItem* target) { return finger ? rig.fingerTaps(target, 1) : rig.click(target); }
    void press(std::initializer_list<int> keys);
    // Tab and Backtab through the window: the focus lands only on what the
    // screen of this tab shows, or on nothing.
    void tabAround(int tab);
    int sent(const QString& prefix) const { return rig.recorder->receivedLines().filter(QRegularExpression("^" + prefix)).size(); }
    QQuickItem* item(const char* name) const { return rig.item(name); }

    AppRig rig;
    bool finger = false;
};

void TstHiddenKeysE2e::cleanup()
{
    rig.stop();
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

bool TstHiddenKeysE2e::start(const QString& document, bool logIn)
{
    rig.document = document;
    rig.recorder = simlink::startRecorder(0);
    rig.recorder->model = 1; // with a CD drive
    rig.state = sim::statusModel(*rig.recorder);
    // The balanced input with a microphone gain: phantom power asks first.
    sim::MenuModel* menu = sim::menuModel(*rig.recorder);
    menu->load(menu->realisticMenu(rig.recorder->model));
    menu->setValues({ { menu->find("INPUT SELECT"), 1 }, { menu->find("INPUT GAIN", "INPUT GAIN Lch"), 1 } });
    return rig.start() && (!logIn || (rig.logIn(*rig.recorder) && QTest::qWaitFor([this] { return rig.graph->menu.drawingFinished; }, simlink::waitMs)));
}

void TstHiddenKeysE2e::press(std::initializer_list<int> keys)
{
    for (const int key : keys)
        QTest::keyClick(rig.window, Qt::Key(key));
    QTest::qWait(500); // for a line that would follow
}

void TstHiddenKeysE2e::tabAround(int tab)
{
    for (int n = 0; n < 30; ++n) {
        QTest::keyClick(rig.window, n < 15 ? Qt::Key_Tab : Qt::Key_Backtab, n < 15 ? Qt::NoModifier : Qt::ShiftModifier);
        QQuickItem* holder = rig.window->activeFocusItem();
        for (int other = 0; other < 5 && holder && holder != rig.window->contentItem(); ++other) {
            QQuickItem* screen = rig.screen(other);
            QVERIFY2(other == tab || !screen || !screen->isAncestorOf(holder),
                     qPrintable(QString("Tab %1 reached %2 on tab %3").arg(n).arg(holder->metaObject()->className()).arg(other)));
        }
    }
}

void TstHiddenKeysE2e::keysAfterTheControlHasGone_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("finger");
    QTest::addColumn<QString>("road");
    for (const char* road : { "PLAY, another tab", "INPUT SELECT's box, another tab", "DELAY Lch's slider, another tab",
                              "phantom power's OK, question answered", "MARK, medium CD", "MARK, medium CD while locked" }) {
        for (const bool tapped : { false, true }) {
            for (const char* window : { desktop, portrait }) {
                QTest::addRow("%s, %s, %s", road, tapped ? "finger" : "mouse", window == desktop ? "desktop" : "portrait")
                    << window << tapped << road;
            }
        }
    }
}

void TstHiddenKeysE2e::keysAfterTheControlHasGone()
{
    QFETCH(QString, document);
    QFETCH(QString, road);
    QFETCH(bool, finger);
    this->finger = finger;
    QVERIFY(start(document, true));
    const bool menuRow = !road.startsWith("PLAY") && !road.startsWith("MARK");
    const QString line = road.startsWith("PLAY") ? "012" : road.startsWith("MARK") ? "07F0310" : "07F6A7A03";
    const int tab = menuRow ? 1 : 0;
    const int away = tab == 1 ? 0 : document == desktop ? 2 : 1; // the portrait window keeps the home page made
    QQuickItem* row = nullptr;
    const auto control = [&]() -> QQuickItem* {
        if (road.startsWith("INPUT"))
            return rig.item("menuComboBox", row = menuscreen::row(rig, "INPUT SELECT"));
        if (road.startsWith("DELAY"))
            return rig.item("rangeButton", row = menuscreen::row(rig, "DELAY Lch"));
        return item(road.startsWith("PLAY") ? "playButton" : "markButton");
    };
    const auto use = [&] {
        QVERIFY(rig.showTab(tab));
        QVERIFY(!row || menuscreen::show(rig, row));
        QVERIFY(tap(control()));
    };

    if (road.startsWith("phantom")) {
        QVERIFY(rig.showTab(1));
        QVERIFY(menuscreen::pick(rig, "PHANTOM(+48V)Lch", "ON"));
        TRY_VERIFY(item("phantomOkButton")->isVisible());
        QVERIFY(tap(item("phantomOkButton")));
        TRY_COMPARE(sent(line), 1);
        sim::MenuModel* menu = sim::menuModel(*rig.recorder);
        menu->setValue(menu->find("PHANTOM(+48V)", "PHANTOM(+48V)Lch"), 0); // at the front panel
        QVERIFY(rig.showTab(0));
    } else {
        use();
        if (road.startsWith("INPUT"))
            press({ Qt::Key_Escape });
        TRY_COMPARE(sent(line), menuRow ? 0 : 1);
        const bool lock = road.endsWith("locked");
        if (lock) {
            QTest::qWait(500); // the tap before is no tap of the lock's
            QVERIFY(finger ? rig.fingerTaps(item("lockButton"), 2) : rig.doubleTap(item("lockButton")));
            TRY_VERIFY(item("lockScreen")->isVisible());
        }
        if (road.startsWith("MARK"))
            rig.state->selectMedium("CD");
        else
            QVERIFY(rig.showTab(away));
        if (document == desktop || road.startsWith("MARK"))
            TRY_VERIFY(!control()->isVisible());
        if (lock) {
            QTest::qWait(500); // a new burst of taps
            QVERIFY(finger ? rig.fingerTaps(item("unlockArea"), 2) : rig.doubleTap(item("unlockArea")));
            TRY_VERIFY(!item("lockScreen")->isVisible());
        }
    }
    const int before = sent(line);
    press({ Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up });
    QCOMPARE(sent(line), before);

    // Shown again: the focus is not there till the user taps it, then keys act.
    if (road.startsWith("phantom")) {
        QVERIFY(rig.showTab(1));
        QVERIFY(menuscreen::pick(rig, "PHANTOM(+48V)Lch", "ON"));
        TRY_VERIFY(item("phantomOkButton")->isVisible());
        press({ Qt::Key_Space, Qt::Key_Return });
        QCOMPARE(sent(line), before);
        QVERIFY(tap(item("phantomOkButton")));
        TRY_COMPARE(sent(line), before + 1);
    } else {
        if (road.startsWith("MARK"))
            rig.state->selectMedium("SD1");
        QVERIFY(rig.showTab(tab));
        TRY_VERIFY(control()->isVisible());
        press({ Qt::Key_Space, Qt::Key_Right, Qt::Key_Down });
        QCOMPARE(sent(line), before);
        use();
        if (road.startsWith("INPUT"))
            press({ Qt::Key_Escape });
        press({ road.startsWith("INPUT") ? Qt::Key_Down : road.startsWith("DELAY") ? Qt::Key_Right : Qt::Key_Space });
        TRY_COMPARE(sent(line), before + (menuRow ? 1 : 2));
    }
    tabAround(tab);
}

void TstHiddenKeysE2e::keyboardLogin_data()
{
    QTest::addColumn<QString>("document");
    QTest::newRow("desktop") << desktop;
    QTest::newRow("portrait") << portrait;
}

// The title seven times, the address, Return, the password, Return: logged
// in, the home screen's keys reach nothing of the login screen's.
void TstHiddenKeysE2e::keyboardLogin()
{
    QFETCH(QString, document);
    QVERIFY(start(document, false));
    for (int n = 0; n < 7; ++n)
        QVERIFY(rig.click(item("loginTitle")));
    TRY_VERIFY(item("address")->isVisible());
    QVERIFY(rig.typeInto(item("address"), netenv::recorderAddress(0)));
    QTest::keyClick(rig.window, Qt::Key_Return);
    QVERIFY(item("password")->hasActiveFocus());
    QTest::keyClick(rig.window, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : rig.recorder->password)
        QTest::keyClick(rig.window, c.toLatin1());
    QTest::keyClick(rig.window, Qt::Key_Return);
    TRY_VERIFY(rig.graph->comm.getLoginComp() && !rig.loginScreen()->isVisible());

    QSignalSpy logins(&rig.graph->comm, &Communication::loginCompChanged);
    press({ Qt::Key_Return, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter });
    QTest::qWait(1000);
    QCOMPARE(logins.count(), 0);
    QVERIFY(rig.graph->comm.getLoginComp());
    tabAround(0);
}

void TstHiddenKeysE2e::homePageBuiltAgain_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("icon");
    QTest::newRow("recording") << 129 << "Transport_REC_3";
    QTest::newRow("record pause") << 130 << "Transport_RECPAUSE_3";
    QTest::newRow("stopped") << 16 << "Transport_STOP_3";
    QTest::newRow("playing, with marks") << 17 << "Transport_PLAY_3";
}

// Two pages on, the recorder changing side and marks meanwhile, and back:
// the page is made anew, with the transport icon, the play or record
// presentation and the marks of the recorder's present state.
void TstHiddenKeysE2e::homePageBuiltAgain()
{
    QFETCH(int, status);
    QFETCH(QString, icon);
    QVERIFY(start(portrait, true));
    const auto report = [this](int code) {
        rig.state->setStatus(code);
        TRY_COMPARE(rig.graph->comm.getStatusIcon(), code);
    };
    report(status >= 129 ? 16 : 129);
    QPointer<QQuickItem> before = rig.screen(0);
    QVERIFY(rig.showTab(2));
    QVERIFY(before.isNull());
    report(status);
    if (status == 17) {
        rig.state->seek(1, 0);
        for (const int at : { 150, 300, 450 })
            rig.state->addMark(at);
        TRY_COMPARE(rig.graph->mark.markTimes().size(), 3);
    }
    QVERIFY(rig.showTab(0));

    const auto home = [this](const char* name) { return rig.item(name, rig.screen(0)); };
    const QString source = home("statusIcon")->property("source").toString();
    QVERIFY2(source.contains(icon), qPrintable(source));
    const bool recording = status >= 129;
    QCOMPARE(home("recFormat")->isVisible(), recording);
    QCOMPARE(home("homePlayArea")->isVisible(), !recording);
    QCOMPARE(home("pitchValue")->isVisible(), !recording);
    QCOMPARE(windowrig::visualItems(home("timeBar"), "markArrow").size(), rig.graph->mark.markTimes().size());
}

QTEST_MAIN(TstHiddenKeysE2e)
#include "tst_hiddenkeys_e2e.moc"
