// The front panel against a simulated recorder: what a person does at the
// recorder reaches the status model, and the home screen's requests reach the
// recorder and move it (a few kinds; the lines of every request and every
// reply are checked without a network).
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <memory>

#include "netenv.h"
#include "simlink.h"

using sim::RecorderState;

class TestRecorderPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void playAtFrontPanelMovesStatusAndTime();
    void requestsReachRecorder();
    void cleanupTestCase();

private:
    std::unique_ptr<sim::SimRecorder> recorder;
    RecorderState* state = nullptr;
    std::unique_ptr<ObjectGraph> app;
    int connection = 0;
    sim::SimMedium sd1;
};

void TestRecorderPanel::initTestCase()
{
    netenv::requirePrivateNetwork();
    recorder = simlink::startRecorder(0);
    QVERIFY(recorder);
    state = sim::statusModel(*recorder);
    sd1 = state->medium("SD1");
    app = std::make_unique<ObjectGraph>();
    connection = simlink::logIn(*app, *recorder);
    QVERIFY(connection != 0);
}

void TestRecorderPanel::cleanupTestCase()
{
    app.reset();
    recorder.reset();
}

// Every case starts stopped at the top of SD1 with the panel's defaults.
void TestRecorderPanel::init()
{
    state->pressStop();
    state->medium("SD1") = sd1;
    state->selectMedium("SD1");
    state->seek(1, 0);
    state->panel = sim::SimPanel();
    state->announce();
    Communication& comm = app->comm;
    QTRY_VERIFY(comm.getStatusIcon() == 16 && comm.getCurrentMedia() == "SD1" && comm.getNowTrackNo() == "001"
                && comm.getPlayArea() == "ALL" && comm.getRepeat() == 0 && comm.getTrackElapsedTimeFlame() == 0
                && comm.getTrackTotalTimeFlame() == 3 * 6000);
}

void TestRecorderPanel::playAtFrontPanelMovesStatusAndTime()
{
    Communication& comm = app->comm;
    QCOMPARE(comm.getTrackTotalTimeFlame(), 3 * 6000);
    const QString remainingAtStart = comm.getRemainingTimeMin() + comm.getRemainingTimeSec();

    state->pressPlay();
    QTRY_COMPARE(comm.getStatusIcon(), 17);
    QTRY_VERIFY(comm.getTrackElapsedTimeFlame() >= 60);
    QTRY_VERIFY(comm.getPlayTimeSec() != "00");
    QVERIFY(comm.getRemainingTimeMin() + comm.getRemainingTimeSec() < remainingAtStart);
    QCOMPARE(comm.getRemainingTimeHour(), QStringLiteral("-00"));
    const int before = comm.getTrackElapsedTimeFlame();
    QTRY_VERIFY(comm.getTrackElapsedTimeFlame() >= before + 30); // still moving
    QCOMPARE(comm.getTitle(), QStringLiteral("Opening"));

    state->pressPause();
    QTRY_COMPARE(comm.getStatusIcon(), 18);
}

namespace {

struct RequestCase
{
    const char* name;
    std::function<void()> prepare;              // on the recorder, before the request
    std::function<void(Communication&)> request;
    QList<QStringList> runs;                     // each written as consecutive lines
    std::function<bool()> recorderFollows;
    std::function<bool(Communication&)> appFollows;
};

} // namespace

void TestRecorderPanel::requestsReachRecorder()
{
    RecorderState& s = *state;
    auto icon = [](int code) { return [code](Communication& c) { return c.getStatusIcon() == code; }; };
    auto nothing = [] {};

    const QList<RequestCase> cases {
        { "play", nothing, [](Communication& c) { c.playRequest(); }, { { "012", "07F6A3F01" } },
          [&] { return s.status() == 17 && s.levelMeterOn(connection); }, icon(17) },
        { "next folder, stopped in the folder area", [&s] { s.panel.playArea = 1; s.announce(); },
          [](Communication& c) {
              QTRY_COMPARE(c.getPlayArea(), QStringLiteral("FOLDER"));
              c.timeSkipNextRequest();
          },
          { { "07F6A1A00" } }, [&s] { return s.current().folderIndex == 2; },
          [](Communication& c) { return c.getFolder() == "LIVE\\2017"; } },
        { "mark", [&s] { s.pressPause(); s.seek(1, 1234); },
          [](Communication& c) { c.markRequest(); }, { { "07F0310", "07F035D", "07F6A63" } },
          [&s] { return s.current().tracks.at(0).marks == QList<int> { 1234 }; }, nullptr },
        { "time search", nothing,
          [](Communication& c) { c.timeSearchRequest("2", "0", "1", "5", "0"); }, { { "02C020001000500" } },
          [&s] { return s.trackNumber() == 2 && s.position() == 6500; },
          [](Communication& c) { return c.getNowTrackNo() == "002"; } },
    };

    Communication& comm = app->comm;
    for (const RequestCase& c : cases) {
        init();
        c.prepare();
        QTRY_VERIFY2(comm.getStatusIcon() == state->status(), c.name);
        recorder->clearLog();
        c.request(comm);
        for (const QStringList& run : c.runs) {
            QTRY_VERIFY2(simlink::containsRun(recorder->receivedLines(connection), run),
                         qPrintable(QStringLiteral("%1: %2 not written").arg(c.name, run.join(' '))));
        }
        QTRY_VERIFY2(c.recorderFollows(), qPrintable(QStringLiteral("%1: recorder").arg(c.name)));
        if (c.appFollows)
            QTRY_VERIFY2(c.appFollows(comm), qPrintable(QStringLiteral("%1: application").arg(c.name)));
    }
}

QTEST_GUILESS_MAIN(TestRecorderPanel)
#include "tst_recorderpanel.moc"
