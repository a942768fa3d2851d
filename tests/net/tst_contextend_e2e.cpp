// Every window of the home, browse, playlist and timer-event tabs belongs to
// the login, the medium and (for those that edit) the list it was opened on.
// Against two simulated recorders, each window is opened through the real
// window, its context ends (a logout and a login to the other recorder, a lost
// link and the automatic reconnection, a medium change on the front panel, a
// change of the read-only state), and then the window is gone and a press
// where its OK was sends nothing to either recorder. Windows of different tabs
// stay open side by side, so one context change serves one window per tab.
#include <QtTest>
#include <functional>
#include <memory>

#include "apprig.h"
#include "netenv.h"
#include "simlink.h"
#include "timereventcommands.h"
#include "windowrig.h"

namespace {

enum Change { Logout = 1, LinkLoss = 2, MediumChange = 4, ReadOnly = 8 };
const int loginEnds = Logout | LinkLoss;
const int all = Logout | LinkLoss | MediumChange | ReadOnly;

// Every line a window's OK may send: time search, flash load, medium, play
// area and play mode, browse and playlist edits, timer-event edits.
const QRegularExpression edits(
    "^(017|02C.*|07F010[0-3]|07F074F0[0-2]|04D0[0146]|07F6B(04|1[345]|2[3-7]).*|07F454[0-3].*|07F314B.*|07F474[0-4].*)$");

} // namespace

class TstContextEndE2e;
using Step = std::function<void(TstContextEndE2e&)>;
Q_DECLARE_METATYPE(Step)

// One window: its tab, the changes that end it, how a person opens it, the
// item that tells it is open (a Loader's "active", else "visible") and its OK.
struct Window { const char* name; int tab; int changes; Step open; const char* host; const char* ok; };

class TstContextEndE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void windowsCloseAndSendNothing_data();
    void windowsCloseAndSendNothing();
    void oldMediumRowsSendNothing_data();
    void oldMediumRowsSendNothing();
    void cleanup();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }

public:
    QQuickItem* screen(int tab) const { return rig.screen(tab); }
    QQuickItem* in(int tab, const QString& name) const { return rig.shown(name, screen(tab)); }
    void tap(int tab, const QString& name)
    {
        QTRY_VERIFY2(in(tab, name), qPrintable(name));
        QVERIFY2(rig.click(in(tab, name)), qPrintable(name));
    }
    void clickIn(int tab, const QString& row, const char* part)
    {
        QTRY_VERIFY2(in(tab, row), qPrintable(row));
        QVERIFY2(rig.click(rig.shown(part, in(tab, row))), part);
    }
    // Gives the open name window a name, so that it offers OK.
    void typeName(int tab) { QVERIFY(rig.typeInto(rig.textInput(screen(tab)), "x")); }
    void showTab(int tab) { QVERIFY(rig.showTab(tab)); }
    void setArea(int area)
    {
        sim::statusModel(*current)->panel.playArea = area;
        sim::statusModel(*current)->announce();
        TRY_COMPARE(rig.graph->comm.getPlayArea(), QString(area == 0 ? "ALL" : "PLAYLIST"));
    }
    // Waits until what count() counts has not grown for 300 ms.
    static void untilQuiet(const std::function<int()>& count)
    {
        for (int seen = -1; seen != count();) {
            seen = count();
            QTest::qWait(300);
        }
    }
    // Waits until the playlist files are read and stay put, each with its date.
    void waitForPlaylists()
    {
        QSignalSpy read(&rig.graph->pl, &Playlist::pplRecived), redrawn(&rig.graph->pl, &Playlist::readyToRedraw);
        untilQuiet([&] { return read.count() + redrawn.count(); });
        TRY_VERIFY(rig.graph->pl.allPplNumber() > 0 && rig.graph->pl.pplList.size() == rig.graph->pl.allPplNumber()
                    && std::all_of(rig.graph->pl.pplList.begin(), rig.graph->pl.pplList.end(),
                                   [](const PplRecord& r) { return !r.dateTime.isEmpty(); }));
    }
    // Focuses a timer event and taps a part of its row.
    void eventPart(int row, const char* part);
    QQuickItem* host(const Window& w) const { return rig.item(w.host, screen(w.tab)); }
    bool isOpen(const Window& w) const
    {
        QQuickItem* h = host(w);
        return h && (h->inherits("QQuickLoader") ? h->property("active").toBool() : h->isVisible());
    }
    QStringList sent() const { return (a->receivedLines() + b->receivedLines()).filter(edits); }

    AppRig rig;
    std::unique_ptr<sim::SimRecorder> a, b;
    sim::SimRecorder* current = nullptr;
};

void TstContextEndE2e::eventPart(int row, const char* part)
{
    QQuickItem* list = in(4, "timerEventListView");
    // A list read that the grant of the tab started republishes the list
    // and ends the focus: the list has to stay put first.
    QSignalSpy republished(list, SIGNAL(modelChanged()));
    untilQuiet([&] { return republished.count(); });
    QCOMPARE(list->property("count").toInt(), sim::timerEvents(*current)->events.size());
    QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, row), Q_ARG(int, 0));
    QQuickItem* item = AppRig::rowAt(list, row);
    QVERIFY(item);
    QVERIFY(rig.click(rig.shown("rowFocusUpper", item)));
    TRY_COMPARE(rig.graph->tev.focus(), row);
    QTest::qWait(100); // the rows below move down to make room for the focused one
    TRY_VERIFY(rig.shown(part, item));
    QVERIFY(rig.click(rig.shown(part, item)));
}

namespace {

const Window windows[] = {
    { "settings window", 0, loginEnds, [](auto& t) { t.tap(0, "gearButton"); }, "homeSettingWindowLoader", "flashLoadButton" },
    { "time search", 0, loginEnds, [](auto& t) { t.tap(0, "timeSearchButton"); QVERIFY(t.rig.typeInto(t.in(0, "timeSearchTrack"), "2")); },
      "timeSearchWindowLoader", "timeSearchOk" },
    { "medium list", 0, loginEnds, [](auto& t) { t.tap(0, "currentMediaButton"); }, "mediaSD2", "mediaSD2" },
    { "play area list", 0, loginEnds, [](auto& t) { t.tap(0, "playAreaButton"); }, "areaFOLDER", "areaFOLDER" },
    { "play mode list", 0, loginEnds, [](auto& t) { t.tap(0, "playModeButton"); }, "modeSINGLE", "modeSINGLE" },

    { "file menu", 2, all, [](auto& t) { t.tap(2, "row_Opening.wav"); }, "browseMenuLoader", "fileSelect" },
    { "folder menu", 2, all, [](auto& t) { t.tap(2, "menu_2017"); }, "browseMenuLoader", "folderRename" },
    { "rename window", 2, all, [](auto& t) { t.tap(2, "row_Opening.wav"); t.tap(2, "fileRename"); }, "browseInputWindowLoader", "OK" },
    { "copy picker", 2, all, [](auto& t) { t.tap(2, "row_Opening.wav"); t.tap(2, "fileCopy"); }, "browseFolderBrowseLoader", "pasteButton" },
    { "delete question", 2, all, [](auto& t) { t.tap(2, "row_Opening.wav"); t.tap(2, "fileDelete"); }, "deleteCheck", "deleteOk" },

    { "playlist rename", 3, all, [](auto& t) { t.clickIn(3, "ppl_set2.ppl", "pplRename"); }, "plInputWindowLoader", "OK" },
    { "playlist create", 3, all, [](auto& t) { t.tap(3, "playlistFooterButton"); t.typeName(3); }, "plInputWindowLoader", "OK" },
    { "playlist save-as", 3, all, [](auto& t) { t.clickIn(3, "ppl_set1.ppl", "pplLoad"); t.typeName(3); }, "plInputWindowLoader", "OK" },
    { "playlist delete", 3, all, [](auto& t) { t.clickIn(3, "ppl_set2.ppl", "pplDelete"); }, "plDeleteWindowLoader", "deleteOk" },
    // The two below first open the loaded playlist's entries; entry 5 is empty.
    { "entry information", 3, all, [](auto& t) { t.clickIn(3, "ppl_set1.ppl", "pplDelete"); t.clickIn(3, "entry_0", "entryInfo"); },
      "plInfoWindowLoader", "infoClose" },
    { "take picker", 3, all, [](auto& t) { t.clickIn(3, "ppl_set1.ppl", "pplDelete"); t.clickIn(3, "entry_5", "entryButton"); },
      "playlistBrowseLoader", "row_Opening.wav" },

    { "event type", 4, all, [](auto& t) { t.eventPart(0, "rowTypeBox"); }, "timerEventTypeLoader", "typeOk" },
    { "schedule and calendar", 4, all, [](auto& t) { t.eventPart(0, "rowSchedule"); }, "timerEventScheduleLoader", "scheduleOk" },
    { "time", 4, all, [](auto& t) { t.eventPart(0, "rowTimeBox"); }, "timerEventTimeEditLoader", "timeOk" },
    { "repeat", 4, all, [](auto& t) { t.eventPart(0, "rowRepeatBox"); }, "timerEventRepeatEditLoader", "repeatOk" },
    { "record input", 4, all, [](auto& t) { t.eventPart(1, "rowOption"); }, "timerEventRecInputLoader", "recInputOk" },
    { "playback file picker", 4, all, [](auto& t) { t.eventPart(0, "rowOption"); }, "timerEventBrowseLoader", "cancelButton" },
    { "download target", 4, all, [](auto& t) { t.eventPart(4, "rowOption"); }, "timerEventDlTargetLoader", "OK" },
    { "event delete question", 4, all, [](auto& t) { t.eventPart(0, "rowDelete"); }, "deleteCheck", "deleteOk" },
    { "filter", 4, loginEnds | MediumChange, [](auto& t) { t.tap(4, "filterButton"); }, "timerEventFilterLoader", "filterOk" },
};

} // namespace

void TstContextEndE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    a = simlink::startRecorder(0);
    b = simlink::startRecorder(1);
    QVERIFY(a && b);
    current = a.get();
    QVERIFY(rig.start() && rig.logIn(*a));
}

void TstContextEndE2e::cleanupTestCase()
{
    rig.close();
    a.reset();
    b.reset();
}

void TstContextEndE2e::windowsCloseAndSendNothing_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<Step>("end");
    QTest::addColumn<Step>("restore");
    // A lost link ends the login as a logout does: one window of each tab
    // shows that the tab hears it.
    QTest::addColumn<int>("perTab");
    const Step nothing = [](TstContextEndE2e&) {};
    QTest::newRow("logout, login to another recorder") << int(Logout) << Step([](TstContextEndE2e& t) {
        t.rig.graph->comm.logoutRequest();
        t.current = t.current == t.a.get() ? t.b.get() : t.a.get();
        t.rig.graph->comm.loginRequest(t.current->address().toString(), t.current->password);
    }) << nothing << 99;
    QTest::newRow("link loss, reconnection") << int(LinkLoss) << Step([](TstContextEndE2e& t) {
        QSignalSpy logins(&t.rig.graph->comm, &Communication::loginCompChanged);
        t.current->disconnectAll();
        TRY_VERIFY(!logins.isEmpty());
    }) << nothing << 1;
    QTest::newRow("medium change") << int(MediumChange) << Step([](TstContextEndE2e& t) {
        sim::statusModel(*t.current)->selectMedium("SD2");
        TRY_COMPARE(t.rig.graph->comm.getCurrentMedia(), QString("SD2"));
    }) << Step([](TstContextEndE2e& t) {
        sim::statusModel(*t.current)->selectMedium("SD1");
        TRY_COMPARE(t.rig.graph->comm.getCurrentMedia(), QString("SD1"));
    }) << 99;
    QTest::newRow("read-only") << int(ReadOnly) << Step([](TstContextEndE2e& t) {
        sim::statusModel(*t.current)->setReadOnly(true);
        TRY_VERIFY(t.rig.graph->permission.isReadOnly());
    }) << Step([](TstContextEndE2e& t) {
        sim::statusModel(*t.current)->setReadOnly(false);
        TRY_VERIFY(!t.rig.graph->permission.isReadOnly());
    }) << 99;
}

void TstContextEndE2e::windowsCloseAndSendNothing()
{
    QFETCH(int, change);
    QFETCH(Step, end);
    QFETCH(Step, restore);
    QFETCH(int, perTab);
    // Round k opens the k-th window of each tab that this change ends.
    for (int k = 0; k < perTab; ++k) {
        QList<const Window*> round;
        QMap<int, int> seen;
        for (const Window& w : windows) {
            if ((w.changes & change) && seen[w.tab]++ == k)
                round << &w;
        }
        if (round.isEmpty())
            break;
        // The timer-event tab needs the ALL play area, the playlist tab the
        // PLAYLIST one: the playlist window opens last. The area comes back to
        // ALL while the playlist tab holds the edit right, so the timer-event
        // tab must have read its list when its notice ended out of sight.
        setArea(0);
        std::stable_sort(round.begin(), round.end(), [](auto* x, auto* y) { return (x->tab == 3) < (y->tab == 3); });
        QMap<const Window*, QPoint> okAt;
        for (const Window* w : round) {
            if (w->tab == 3)
                setArea(2);
            showTab(w->tab);
            w->open(*this);
            QTRY_VERIFY2(isOpen(*w), w->name);
            QQuickItem* ok = nullptr;
            QTRY_VERIFY2(ok = rig.shown(w->ok, host(*w)) ?: rig.withText(w->ok, host(*w)), w->name);
            okAt[w] = AppRig::centre(ok);
        }
        a->clearLog();
        b->clearLog();
        end(*this);
        if (change & loginEnds)
            QTRY_VERIFY_WITH_TIMEOUT(rig.graph->comm.getLoginComp() && !rig.item("loginscreenbase")->isVisible()
                                         && rig.graph->menu.drawingFinished, simlink::waitMs);
        for (const Window* w : round) {
            showTab(w->tab);
            QTRY_VERIFY2(!isOpen(*w), w->name);
            rig.clickAt(okAt[w]);
        }
        QTest::qWait(300);
        QVERIFY2(sent().isEmpty(), qPrintable(sent().join(' ')));
        restore(*this);
        // What the presses opened underneath goes, and the browse tab shows
        // the current folder again.
        for (QQuickItem* s : { rig.item("homeMain"), screen(2), screen(3), screen(4)->childItems().at(0) })
            QVERIFY(QMetaObject::invokeMethod(s, "closeAll"));
        if (rig.graph->browse.nowFolderName() != "LIVE")
            rig.graph->browse.goToCurrentFolder();
    }
}

// The rows of a tab show the medium they were read from. After a medium
// change, before the new medium's answer has come, a tap where such a row
// was sends nothing that names an entry, a playlist or an event.
void TstContextEndE2e::oldMediumRowsSendNothing_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<Step>("open");   // shows the row
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("part"); // tapped
    QTest::addColumn<QString>("held"); // the tab's request for the new medium's rows
    QTest::addColumn<QString>("numbered");
    const Step none = [](TstContextEndE2e&) {};
    // Load, clear or assign an entry, an entry's information, rename, save as, create.
    const QString playlistEdits = "^07F(3100|314B|4513|454[0-3])";
    QTest::newRow("browse file") << 2 << none << "row_Opening.wav" << "" << "^07F6B0[05]$" << "^07F6B[12]";
    QTest::newRow("browse folder") << 2 << none << "row_2017" << "" << "^07F6B0[05]$" << "^07F6B[12]";
    QTest::newRow("playlist file") << 3 << Step([](auto& t) { t.waitForPlaylists(); }) << "ppl_set2.ppl" << "pplLoad" << "^07F4500$" << playlistEdits;
    QTest::newRow("playlist entry's clear")
        << 3 << Step([](auto& t) { t.waitForPlaylists(); t.clickIn(3, "ppl_set1.ppl", "pplDelete"); })
        << "entry_0" << "entryButton" << "^07F4500$" << playlistEdits;
    QTest::newRow("playlist entry's information")
        << 3 << Step([](auto& t) { t.waitForPlaylists(); t.clickIn(3, "ppl_set1.ppl", "pplDelete"); })
        << "entry_0" << "entryInfo" << "^07F4500$" << playlistEdits;
    QTest::newRow("timer-event switch") << 4 << none << "" << "rowSwitch" << "^07F475D" << "^07F474";
}

void TstContextEndE2e::oldMediumRowsSendNothing()
{
    QFETCH(int, tab);
    QFETCH(Step, open);
    QFETCH(QString, row);
    QFETCH(QString, part);
    QFETCH(QString, held);
    QFETCH(QString, numbered);
    setArea(tab == 3 ? 2 : 0);
    showTab(tab);
    open(*this);
    QQuickItem* target = nullptr;
    if (tab == 4) {
        QQuickItem* list = in(4, "timerEventListView");
        TRY_VERIFY(list && list->property("count").toInt() > 1);
        target = rig.shown(part, AppRig::rowAt(list, 1));
    } else {
        QTRY_VERIFY2(in(tab, row), qPrintable(row));
        target = part.isEmpty() ? in(tab, row) : rig.shown(part, in(tab, row));
    }
    QVERIFY(target);
    const QPoint at = AppRig::centre(target);

    current->holdAnswersTo = QRegularExpression(held);
    sim::statusModel(*current)->selectMedium("SD2");
    TRY_VERIFY(rig.graph->comm.getCurrentMedia() == "SD2" && current->holdsAnswers());
    current->clearLog();
    rig.clickAt(at);
    QTest::qWait(300);
    const QStringList sent = current->receivedLines().filter(QRegularExpression(numbered));
    QVERIFY2(sent.isEmpty(), qPrintable(sent.join(' ')));

    // The new medium's answer comes, and the tab shows its rows.
    current->releaseAnswers();
    if (tab == 2)
        TRY_VERIFY(rig.graph->browse.nowFolderName() == "" && !rig.graph->browse.listing());
}

// Back to the first medium, with nothing held and nothing open.
void TstContextEndE2e::cleanup()
{
    current->releaseAnswers();
    for (QQuickItem* s : { rig.item("homeMain"), screen(2), screen(3), screen(4)->childItems().at(0) })
        QVERIFY(QMetaObject::invokeMethod(s, "closeAll"));
    if (rig.graph->comm.getCurrentMedia() != "SD1") {
        sim::statusModel(*current)->selectMedium("SD1");
        TRY_COMPARE(rig.graph->comm.getCurrentMedia(), QString("SD1"));
    }
}

QTEST_MAIN(TstContextEndE2e)
#include "tst_contextend_e2e.moc"
