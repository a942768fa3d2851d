// A tap whose request is made just as the recorder's answers to earlier
// requests arrive. The command channel has eleven writes unanswered, so the
// tap's request has to wait for the flow control, and the answers already lie
// in the socket: they replace the list the tapped row belongs to, close the
// window of the tapped button, or make the recorder number its events by
// another list. Through the real window against a simulated recorder: the
// tap's handler runs to its end, its request reaches the recorder in the
// order it was made, and what the answers change shows afterwards.
#include <QtTest>
#include <functional>
#include <memory>

#include "apprig.h"
#include "netenv.h"
#include "simlink.h"
#include "timereventcommands.h"
#include "windowrig.h"

class TstTapsAmidAnswers;
using Step = std::function<void(TstTapsAmidAnswers&)>;
using Target = std::function<QQuickItem*(TstTapsAmidAnswers&)>;
Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Target)

class TstTapsAmidAnswers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { rig.stop(); }
    void tapWhileAnswersWait_data();
    void tapWhileAnswersWait();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }

public:
    QQuickItem* screen(int tab) const { return rig.screen(tab); }
    void showTab(int tab) { QVERIFY(rig.showTab(tab)); }
    // Timer-event row `index` laid out on the screen, and its part `name`.
    QQuickItem* eventPart(int index, const char* name) const
    {
        QQuickItem* list = rig.shown("timerEventListView", screen(4));
        QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, 0));
        QQuickItem* row = AppRig::rowAt(list, index);
        return row ? rig.shown(name, row) : nullptr;
    }
    bool eventsShown(int count) const
    {
        return QTest::qWaitFor([&] {
            QQuickItem* list = rig.shown("timerEventListView", screen(4));
            return list && list->property("count").toInt() == count && rig.graph->tev.events().size() == count;
        }, simlink::waitMs);
    }
    QStringList received(const QString& pattern) const
    {
        return rig.recorder->receivedLines().filter(QRegularExpression(pattern));
    }

    AppRig rig;
    sim::TimerEventList* timers = nullptr;
};

void TstTapsAmidAnswers::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState&) {}));
    timers = sim::timerEvents(*rig.recorder);
}

void TstTapsAmidAnswers::tapWhileAnswersWait_data()
{
    QTest::addColumn<Step>("prepare");
    QTest::addColumn<QString>("held");  // the requests whose answers wait for the tap
    QTest::addColumn<Step>("trigger");  // makes the application send them
    QTest::addColumn<Target>("target"); // what is tapped
    QTest::addColumn<Step>("check");
    const QList<sim::SimTimerEvent> sample = sim::TimerEventList::sampleEvents();
    const Step fourEvents = [sample](TstTapsAmidAnswers& t) {
        t.timers->events = sample.mid(0, 4);
        t.showTab(4);
        t.rig.recorder->sendLineToLoggedIn("0FF47F6");
        QVERIFY(t.eventsShown(4));
    };

    QTest::newRow("browse file while the folder is listed again")
        << Step([](auto& t) { t.showTab(2); TRY_VERIFY(t.rig.shown("row_Opening.wav", t.screen(2))); })
        << "^07F6B11" // the shown folder's entry: the list is emptied for the new listing
        << Step([](auto& t) { t.rig.graph->browse.restartBrowse(); })
        << Target([](auto& t) { return t.rig.shown("row_Opening.wav", t.screen(2)); })
        << Step([](auto& t) {
               TRY_VERIFY(t.rig.shown("row_Opening.wav", t.screen(2)));
               QVERIFY(t.rig.item("browseMenuLoader", t.screen(2))->property("active").toBool());
               TRY_COMPARE(t.received("^07F6B22").size(), 1);
           });
    QTest::newRow("timer event switched while the list count arrives")
        << fourEvents
        << "^07F475D"
        << Step([](auto& t) { t.rig.recorder->sendLineToLoggedIn("0FF47F6"); })
        << Target([](auto& t) { return t.eventPart(1, "rowSwitch"); })
        << Step([](auto& t) {
               TRY_COMPARE(t.timers->events.at(1).block.left(2), QStringLiteral("00"));
               QVERIFY(t.eventsShown(4));
               QCOMPARE(t.received("^07F4742").size(), 1);
           });
    // The recorder has renumbered its events after the delete; the rows on the
    // screen are those from before it until the list has been read again.
    QTest::newRow("timer event switched after a delete, before the list is read again")
        << fourEvents
        << "^07F475D"
        << Step([](auto& t) {
               QVERIFY(t.rig.click(t.eventPart(0, "rowFocusLower")));
               TRY_COMPARE(t.rig.graph->tev.focus(), 0);
               QTest::qWait(100); // the focused row grows
               QVERIFY(t.rig.click(t.eventPart(0, "rowDelete")));
               TRY_VERIFY(t.rig.shown("deleteOk", t.screen(4)));
               QVERIFY(t.rig.click(t.rig.shown("deleteOk", t.screen(4))));
               TRY_COMPARE(t.timers->events.size(), 3);
           })
        << Target([](auto& t) { return t.eventPart(1, "rowSwitch"); })
        << Step([sample](auto& t) {
               QVERIFY(t.eventsShown(3));
               QTest::qWait(200);
               QCOMPARE(t.received("^07F4742"), QStringList());
               for (int i = 0; i < 3; ++i)
                   QCOMPARE(t.timers->events.at(i).block, sample.at(i + 1).block);
               // The switch did not go, and the user is told so.
               QVERIFY(t.rig.dismissMessage("Unable to complete this action."));
           });
    QTest::newRow("flash load while recording starts")
        << Step([](auto& t) {
               t.showTab(0);
               QVERIFY(t.rig.click(t.rig.shown("gearButton", t.screen(0))));
               TRY_VERIFY(t.rig.shown("flashLoadButton", t.screen(0)));
           })
        << "^050$" // the status query: its answer closes the settings window
        << Step([](auto& t) { t.rig.state->pressRecord(); })
        << Target([](auto& t) { return t.rig.shown("flashLoadButton", t.screen(0)); })
        << Step([](auto& t) {
               TRY_VERIFY(!t.rig.item("homeSettingWindowLoader", t.screen(0))->property("active").toBool());
               TRY_COMPARE(t.received("^017$").size(), 1);
               t.rig.state->pressStop();
               TRY_COMPARE(t.rig.graph->comm.getStatusIcon(), 16);
           });
    // Today is Thursday 26 October 2017; the today list holds the 2nd, 3rd
    // and 5th events. The focused 3rd row's select is answered (the 5th event)
    // just as Save is tapped: the write carries the today number and must
    // reach the recorder before the full-list query the answer leads to.
    QTest::newRow("save under the today filter while the select is answered")
        << Step([sample](auto& t) {
               t.timers->events = { sample.at(3), sample.at(0), sample.at(4), sample.at(6), sample.at(2) };
               t.timers->today = QDate(2017, 10, 26);
               t.showTab(4);
               t.rig.graph->tev.showToday();
               QVERIFY(t.eventsShown(3));
           })
        << "^07F4755"
        << Step([](auto& t) { QVERIFY(t.rig.click(t.eventPart(2, "rowFocusLower"))); })
        << Target([](auto& t) { return t.eventPart(2, "rowSave"); })
        << Step([sample](auto& t) {
               TRY_COMPARE(t.received("^07F4742").size(), 1);
               const QStringList lines = t.received("^07F47(42|5D)");
               QVERIFY2(lines.first().startsWith("07F47420300"), qPrintable(lines.join(' ')));
               TRY_VERIFY(t.eventsShown(3) && t.received("^07F475DDD0000$").size() >= 1);
               const QList<sim::SimTimerEvent> expected { sample.at(3), sample.at(0), sample.at(4), sample.at(6), sample.at(2) };
               for (int i = 0; i < expected.size(); ++i)
                   QCOMPARE(t.timers->events.at(i).block, expected.at(i).block);
               t.rig.graph->tev.showAll();
           });
}

void TstTapsAmidAnswers::tapWhileAnswersWait()
{
    QFETCH(Step, prepare);
    QFETCH(QString, held);
    QFETCH(Step, trigger);
    QFETCH(Target, target);
    QFETCH(Step, check);
    prepare(*this);
    if (QTest::currentTestFailed())
        return;
    QTest::qWait(300); // what the preparation started has settled
    rig.recorder->holdAnswersTo = QRegularExpression(held);
    trigger(*this);
    TRY_VERIFY(rig.recorder->holdsAnswers());
    QQuickItem* tapped = target(*this);
    QVERIFY(tapped && tapped->isVisible());
    const QPoint at = AppRig::centre(tapped);
    rig.recorder->clearLog();
    // Nothing else runs from here to the tap: eleven writes unanswered (or
    // writes already waiting for the flow control), then the held answers
    // written into the socket, then the tap.
    Telnet& telnet = rig.graph->telnet;
    while (telnet.unansweredWrites() <= 10 && telnet.queuedWrites() == 0)
        telnet.sendData("055\r\n");
    rig.recorder->releaseAnswers();
    rig.clickAt(at);
    check(*this);
}

QTEST_MAIN(TstTapsAmidAnswers)
#include "tst_tapsamidanswers_e2e.moc"
