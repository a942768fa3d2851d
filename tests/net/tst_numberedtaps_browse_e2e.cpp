// Actions on the browse tab's rows made after an edit, while the recorder has
// already numbered its files and folders anew but the folder has not been read
// again: the rows on the screen still carry the old numbers. Through the real
// window against a simulated recorder that answers late; its answer to the
// first query of the re-read waits until the user has acted.
// - Afterwards the recorder's medium holds exactly what the user did, and the
//   file menu never showed another file's information.
// - A waiting window shows that it waits and keeps its own request: its
//   Cancel drops only that, OK again replaces it. What waits is dropped when
//   it no longer names what it was made on (also when another controller
//   has the shown folder's number list another folder), an undo with the
//   edit it followed, and every dropped request the user confirmed is told,
//   also when the application closes its window: the link or the medium
//   goes, or the tab allows no edit any more (the recorder turns read-only
//   or plays, another play mode, the home tab chosen, which gives the edit
//   right back); nothing is sent while that lasts. A look at the playlist
//   tab, which keeps the edit right, changes nothing.
// - Closing the application while a request waits sends it not and tells
//   nothing into the window being torn down.
// - A path built on a row (a copy's source, a timer event's playback file)
//   names the folder that listed the row, also when another folder is being
//   opened by the time it is used.
// - A request on the shown folder (a new folder, a sort) reaches the folder
//   shown when the user chose it (for a window, when it opened) or nothing,
//   told, when an Undo has the folder's number list another one; an Undo
//   chosen while an edit is unanswered goes only if that edit was taken.
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>

#include "apprig.h"
#include "mediafiles.h"
#include "netenv.h"
#include "recorderstate.h"
#include "timereventcommands.h"
#include "windowrig.h"

class TstNumberedTapsBrowse;
using Step = std::function<void(TstNumberedTapsBrowse&)>;
Q_DECLARE_METATYPE(Step)

class TstNumberedTapsBrowse : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { rig.stop(); }
    void secondActionOnOldRows_data();
    void secondActionOnOldRows();
    void actionsWhileHeld_data();
    void actionsWhileHeld();
    void pathsNameTheRowsFolder_data();
    void pathsNameTheRowsFolder();
    void deleteWhileTheFolderIsNumberedAnew();
    void whatWasChosen_data();
    void whatWasChosen();
    void cleanup();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }
    void closedWhileRequestsWait();

public:
    QQuickItem* find(const QString& name) const { return rig.shown(name, rig.screen(2)); }
    void tap(const QStringList& names) { QCOMPARE(rig.tapEach(names, rig.screen(2)), QString()); }
    // Taps within an open picker (the list under it holds rows of the same names).
    void tapIn(const char* host, const QStringList& names)
    {
        QQuickItem* picker = nullptr;
        TRY_VERIFY((picker = rig.item(host) ? rig.item(host)->property("item").value<QQuickItem*>() : nullptr));
        QCOMPARE(rig.tapEach(names, picker), QString());
    }
    // Holds the recorder's answers to the lines that match from now on.
    void holdAnswersTo(const char* pattern)
    {
        rig.recorder->releaseAnswers();
        rig.recorder->holdAnswersTo = QRegularExpression(pattern);
    }
    // Focuses the timer event of that row and taps a part of its row.
    void eventPart(int row, const char* part)
    {
        QQuickItem* list = rig.shown("timerEventListView", rig.screen(4));
        TRY_VERIFY(list && list->property("count").toInt() == events.size());
        QQuickItem* item = AppRig::rowAt(list, row);
        QVERIFY(item);
        if (rig.graph->tev.focus() != row)
            QVERIFY(rig.click(rig.shown("rowFocusUpper", item)));
        TRY_COMPARE(rig.graph->tev.focus(), row);
        TRY_VERIFY(rig.shown(part, item));
        QVERIFY(rig.click(rig.shown(part, item)));
    }
    // The list shows the folder the model names, read to its end, and
    // nothing waits.
    bool settled() const
    {
        const Browse& b = rig.graph->browse;
        return !b.listing() && !b.anyHeld() && b.numberingCurrent() && b.commandPending == 0
            && !rig.recorder->holdsAnswers()
            && rig.rowNames("row_", find("browseListView")) == files->entryNames("SD1", b.nowFolderName());
    }
    // The screen shows the recorder's folder at path, read to its end.
    bool shows(const QString& path) const { return settled() && rig.graph->browse.nowFolderName() == path; }
    // Shows the folder at path, tapped open from the root.
    void walkTo(const QString& path)
    {
        rig.graph->browse.openFolder(0);
        TRY_VERIFY(shows(""));
        for (const QString& name : path.split('\\', Qt::SkipEmptyParts))
            tap({ "row_" + name });
        TRY_VERIFY(shows(path));
    }
    // Shows the folder, makes the first edit with answers 200 ms late, and
    // holds the answer to the first query of the re-read after it.
    void editThenHold(const QString& folder, const Step& firstEdit)
    {
        if (folder.isEmpty())
            rig.graph->browse.openFolder(0);
        TRY_VERIFY(shows(folder));
        rig.recorder->answerLatencyMs = 200;
        rig.recorder->holdAnswersTo = QRegularExpression("^07F6B00$");
        firstEdit(*this);
        TRY_VERIFY(rig.recorder->holdsAnswers());
        QVERIFY(!rig.graph->browse.listing());
    }
    // Every folder and file of the medium, depth first, and the current file.
    QStringList tree() const { return files->tree("SD1") << "current: " + files->currentFileName("SD1"); }
    // The tree at the start with these changes: "path" is gone (a folder with
    // all it held), "old>new" renamed in its place.
    QStringList startTreeWith(const QStringList& changes, const QString& current) const
    {
        QStringList expected;
        for (QString entry : startTree) {
            for (const QString& change : changes) {
                if (change.contains('>') && entry == change.section('>', 0, 0))
                    entry = change.section('>', 1);
                else if (!change.contains('>') && entry.startsWith(change))
                    entry.clear();
            }
            if (entry.startsWith("current: "))
                entry = "current: " + current;
            if (!entry.isEmpty())
                expected << entry;
        }
        return expected;
    }

    // Types a name into the open name window and confirms it.
    void name(const QString& text)
    {
        QQuickItem* window = find("nameWindow");
        QVERIFY(window);
        QVERIFY(rig.typeInto(rig.textInput(window), text));
        QCOMPARE(rig.textInput(window)->property("text").toString(), text);
        QVERIFY(rig.click(rig.withText("OK", window)));
    }
    // The window stays open and shows that its request waits, and the tab
    // shows that it is busy. What does not show is noted, and reported after
    // the recorder's end state.
    void waits(const QString& window)
    {
        const auto appears = [this](const QString& name, const QString& where, const std::function<QQuickItem*()>& within) {
            if (!QTest::qWaitFor([&] { return within() && rig.shown(name, within()); }, 1000))
                missed << name + " in " + where;
        };
        appears("waitingNote", window, [this, window] { return find(window); });
        appears("browseBusy", "the browse tab", [this] { return rig.screen(2); });
        if (QQuickItem* busy = find("browseBusy")) {
            const double contrast = contrastOn(busy);
            if (contrast < 3)
                missed << QString("browseBusy plain to see (contrast %1:1)").arg(contrast, 0, 'f', 2);
        }
    }
    // The contrast on the screen between the brightest pixel of the item and
    // its top left corner: what shows on it against what lies around.
    double contrastOn(QQuickItem* item) const
    {
        const QImage frame = windowrig::frame(rig.window);
        const qreal scale = frame.width() / qreal(rig.window->width());
        const QRect area = QRectF(item->mapToScene(QPointF()) * scale, item->size() * scale).toAlignedRect()
            .intersected(frame.rect());
        if (area.isEmpty())
            return 0;
        const auto luminance = [](QRgb rgb) {
            const auto linear = [](int v) {
                const double c = v / 255.0;
                return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
        };
        double brightest = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                brightest = std::max(brightest, luminance(frame.pixel(x, y)));
        }
        return (brightest + 0.05) / (luminance(frame.pixel(area.topLeft())) + 0.05);
    }

    // What the medium lost ("-") and gained ("+") since the start; a folder's
    // entries go and come with it.
    QStringList mediumChanges() const
    {
        const QStringList now = files->tree("SD1"), before = startTree.mid(0, startTree.size() - 1);
        const auto only = [](const QStringList& in, const QStringList& notIn, const QString& sign) {
            QStringList out;
            for (const QString& entry : in) {
                if (notIn.contains(entry))
                    continue;
                const bool inside = std::any_of(in.begin(), in.end(), [&](const QString& folder) {
                    return folder != entry && folder.endsWith('\\') && entry.startsWith(folder) && !notIn.contains(folder);
                });
                if (!inside)
                    out << sign + entry;
            }
            return out;
        };
        return only(before, now, "-") + only(now, before, "+");
    }
    // The end state as one line, so that a failure shows all of it; `told`
    // counts the drops reported.
    static QString describe(const QStringList& medium, const QString& current, const QString& shown,
        const QStringList& open, int told, const QStringList& sent)
    {
        QStringList changes = medium;
        changes.sort();
        return QString("medium: %1 | current: %2 | shown: %3 | open: %4 | told: %5 | sent: %6")
            .arg(changes.join(' '), current, shown.isEmpty() ? QString("ROOT") : shown, open.join(' '),
                told == 0 ? QString("no") : told == 1 ? QString("once") : QString("%1 times").arg(told), sent.join(' '));
    }
    QString endState(const QStringList& forbidden) const
    {
        QStringList open;
        for (const QString& window : QStringList { "nameWindow", "deleteCheck", "fileMenu", "folderMenu", "copyPicker" }) {
            if (find(window))
                open << window;
        }
        QStringList sent;
        for (const QString& line : rig.recorder->receivedLines().mid(linesBeforeHeld)) {
            for (const QString& head : forbidden) {
                if (line.startsWith(head))
                    sent << line;
            }
        }
        return describe(mediumChanges(), files->currentFileName("SD1"), rig.graph->browse.nowFolderName(), open,
            toldCount, sent);
    }

    AppRig rig;
    sim::MediaFiles* files = nullptr;
    QList<sim::SimTimerEvent> events; // the recorder's timer events at the start
    sim::SimVolume start;
    int startFolderIndex = 0; // the recorder's play folder
    QStringList startTree;
    QTimer infoWatch; // what the file menu's information showed
    QStringList infoSeen;
    int linesBeforeHeld = 0;
    QStringList missed; // what did not show while requests waited
    // Drops the browse model reported: each shows the message below (which
    // a later login's menu walk takes away).
    int toldCount = 0;
    const QString told = QStringLiteral("Unable to complete this action.");
};

void TstNumberedTapsBrowse::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState&) {}));
    files = sim::mediaFiles(*rig.recorder);
    QVERIFY(rig.showTab(2));
    TRY_VERIFY(shows("LIVE"));
    start = files->volume("SD1");
    startFolderIndex = sim::statusModel(*rig.recorder)->medium("SD1").folderIndex;
    startTree = tree();
    events = sim::timerEvents(*rig.recorder)->events;
    connect(&rig.graph->browse, &Browse::execFailed, this, [this] { ++toldCount; });
    connect(&infoWatch, &QTimer::timeout, this, [this] {
        QQuickItem* info = find("fileInfo");
        const QString text = info ? info->property("text").toString() : QString();
        if (!text.isEmpty() && (infoSeen.isEmpty() || infoSeen.last() != text))
            infoSeen << text;
    });
}

void TstNumberedTapsBrowse::secondActionOnOldRows_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Step>("firstEdit");
    QTest::addColumn<Step>("secondAction"); // on the rows from before the edit
    QTest::addColumn<Step>("afterwards");   // once the folder has been read again
    QTest::addColumn<QStringList>("changes"); // what the user did to the medium, in the end
    QTest::addColumn<QString>("current");     // the recorder's current file then

    const auto deleting = [](const QString& row) {
        return Step([row](auto& t) { t.tap({ row, row.startsWith("menu_") ? "folderDelete" : "fileDelete", "deleteOk" }); });
    };
    const Step renameInterview = [](auto& t) {
        t.tap({ "row_Interview.wav", "fileRename" });
        QVERIFY(t.rig.typeInto(t.rig.textInput(t.find("nameWindow")), "Talk"));
        QVERIFY(t.rig.click(t.rig.withText("OK", t.find("nameWindow"))));
    };
    // The request made on the old row does not reach the entry that took its
    // number; the user is told, taps the message away and does it again on
    // the rows now shown.
    const auto again = [](Step action) {
        return Step([action](auto& t) {
            QVERIFY(t.rig.dismissMessage(t.told));
            action(t);
        });
    };
    const Step deleteOpening = deleting("row_Opening.wav");
    const QString opening = "LIVE\\Opening.wav";
    // Files are numbered over the medium: Interview.wav's old number is
    // Closing.wav's once Opening.wav is gone.
    QTest::newRow("delete the next file") << "LIVE" << deleteOpening << deleting("row_Interview.wav")
        << again(deleting("row_Interview.wav")) << QStringList { opening, "LIVE\\Interview.wav" } << "";
    QTest::newRow("rename the next file") << "LIVE" << deleteOpening << renameInterview << again(renameInterview)
        << QStringList { opening, "LIVE\\Interview.wav>LIVE\\Talk.wav" } << "";
    // The menu tapped open on the old row shows that file's information or
    // none; Select in it (or, when it closed, in the menu of the row tapped
    // again) makes that file the current one.
    QTest::newRow("tap the next file, select it") << "LIVE" << deleteOpening << Step([](auto& t) {
        t.infoWatch.start(5);
        t.tap({ "row_Interview.wav" });
    }) << Step([](auto& t) {
        if (!t.find("fileMenu"))
            t.tap({ "row_Interview.wav" });
        TRY_VERIFY(!t.infoSeen.isEmpty());
        for (const QString& info : qAsConst(t.infoSeen))
            QVERIFY2(info.startsWith("Name: Interview.wav\n"), qPrintable(info));
        t.tap({ "fileSelect" });
        TRY_COMPARE(t.files->currentFileName("SD1"), QString("Interview.wav"));
    }) << QStringList { opening } << "Interview.wav";
    // Folders are numbered level by level from the root: Archive's old number
    // is Empty's once Café Müller is gone.
    QTest::newRow("delete the next folder") << "" << deleting("menu_Café Müller") << deleting("menu_Archive")
        << again(deleting("menu_Archive")) << QStringList { "Café Müller\\", "Archive\\" } << "Opening.wav";
}

void TstNumberedTapsBrowse::secondActionOnOldRows()
{
    QFETCH(QString, folder);
    QFETCH(Step, firstEdit);
    QFETCH(Step, secondAction);
    QFETCH(Step, afterwards);
    QFETCH(QStringList, changes);
    QFETCH(QString, current);
    editThenHold(folder, firstEdit);
    const QString currentAfterFirst = files->currentFileName("SD1");
    secondAction(*this);
    rig.recorder->releaseAnswers();
    QTRY_VERIFY_WITH_TIMEOUT(shows(folder), 20000);
    // The action on the old row changed no other entry.
    QCOMPARE(tree(), startTreeWith({ changes.first() }, currentAfterFirst));
    afterwards(*this);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(shows(folder), 20000);
    const QStringList expected = startTreeWith(changes, current);
    QCOMPARE(tree(), expected);
    QTest::qWait(500);
    QCOMPARE(tree(), expected); // and it stays so
    // (A select is followed by the recorder's change notice and one more reading.)
    TRY_VERIFY(shows(folder));
}

void TstNumberedTapsBrowse::actionsWhileHeld_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Step>("firstEdit");
    QTest::addColumn<Step>("whileHeld");       // before the folder has been read again
    QTest::addColumn<QStringList>("forbidden"); // line heads the recorder must not get after the first edit
    QTest::addColumn<QStringList>("medium");    // what the medium lost and gained, in the end
    QTest::addColumn<QString>("current");       // the recorder's current file then
    QTest::addColumn<QString>("shown");         // the folder shown then
    QTest::addColumn<int>("told");              // confirmed requests dropped and told

    const auto deleting = [](const QString& row) {
        return Step([row](auto& t) { t.tap({ row, row.startsWith("menu_") ? "folderDelete" : "fileDelete", "deleteOk" }); });
    };
    const Step deleteClosing = deleting("row_Closing.wav");
    const QString closing = "-LIVE\\Closing.wav";

    // The Select made earlier is not the delete question's to drop.
    QTest::newRow("one Cancel drops every waiting request") << "LIVE" << deleteClosing << Step([](auto& t) {
        t.tap({ "row_Interview.wav", "fileSelect" });
        TRY_VERIFY(!t.find("fileMenu"));
        t.tap({ "row_Opening.wav", "fileDelete", "deleteOk" });
        t.waits("deleteCheck");
        t.tap({ "deleteCancel" });
    }) << QStringList() << QStringList { closing } << "Interview.wav" << "LIVE" << 0;
    // The name confirmed last is the one the file gets.
    QTest::newRow("a waiting rename takes the user's correction") << "LIVE" << deleteClosing << Step([](auto& t) {
        t.tap({ "row_Interview.wav", "fileRename" });
        t.name("Talk");
        t.waits("nameWindow");
        t.name("Talk2");
    }) << QStringList() << QStringList { closing, "-LIVE\\Interview.wav", "+LIVE\\Talk2.wav" } << "Opening.wav"
       << "LIVE" << 0;
    // The sort was made on LIVE, which is no longer shown when it could go;
    // the undo would have taken back the delete instead.
    QTest::newRow("an Undo is dropped with the edit it followed") << "LIVE" << deleteClosing << Step([](auto& t) {
        t.tap({ "row_2017", "sortByNameTool", "undoTool" });
    }) << QStringList { "07F6B25", "07F6B0301" } << QStringList { closing } << "Opening.wav" << "LIVE\\2017" << 2;
    // Folders are numbered level by level from the root: Archive's old number
    // is Empty's once Café Müller is gone.
    QTest::newRow("a dropped folder open is told") << "" << deleting("menu_Café Müller") << Step([](auto& t) {
        t.tap({ "row_Archive" });
    }) << QStringList() << QStringList { "-Café Müller\\" } << "Opening.wav" << "" << 1;

    // A delete (or a rename) confirmed and waiting, whose window the
    // application closes: it is dropped, and the user told.
    const auto closedBy = [](Step end, const QString& window = "deleteCheck") {
        return Step([end, window](auto& t) {
            if (window == "deleteCheck") {
                t.tap({ "row_Opening.wav", "fileDelete", "deleteOk" });
            } else {
                t.tap({ "row_Opening.wav", "fileRename" });
                t.name("R14");
            }
            t.waits(window);
            end(t);
            if (!QTest::qWaitFor([&] { return !t.find(window); }, simlink::waitMs))
                t.missed << window + " closed";
        });
    };
    // The tab allows no edit while the folder is read again: its window
    // closes at once, and nothing is sent while the state lasts. What the
    // application sees of the recorder's state afterwards is `seen`.
    using Change = std::function<void(sim::RecorderState&)>;
    const auto lockedWhile = [](Change begin, Change end, const QString& window,
                                std::function<bool(const Communication&)> seen) {
        return Step([begin, end, window, seen](auto& t) {
            begin(*sim::statusModel(*t.rig.recorder));
            if (!QTest::qWaitFor([&] { return !t.find(window); }, simlink::waitMs))
                t.missed << window + " closed when the tab allowed no edit";
            t.rig.recorder->releaseAnswers();
            QTest::qWaitFor([&] { return t.settled(); }, 20000);
            end(*sim::statusModel(*t.rig.recorder));
            TRY_VERIFY(seen(t.rig.graph->comm));
        });
    };
    const auto play = [](sim::RecorderState& s) { s.pressPlay(); };
    const auto stop = [](sim::RecorderState& s) { s.pressStop(); };
    const auto stopped = [](const Communication& c) { return c.getStatusIcon() == 16; };
    const auto playMode = [](int mode) {
        return [mode](sim::RecorderState& s) {
            s.panel.playMode = mode;
            s.announce();
        };
    };
    QTest::newRow("the link goes: told") << "LIVE" << deleteClosing << closedBy([](auto& t) {
        QSignalSpy logins(&t.rig.graph->comm, &Communication::loginCompChanged);
        t.rig.recorder->disconnectAll();
        TRY_VERIFY(logins.count() >= 2 && t.rig.graph->comm.getLoginComp());
        QVERIFY(t.rig.showTab(2));
    }) << QStringList { "07F6B24" } << QStringList { closing } << "Opening.wav" << "LIVE" << 1;
    QTest::newRow("the medium changes: told") << "LIVE" << deleteClosing << closedBy([](auto& t) {
        sim::statusModel(*t.rig.recorder)->selectMedium("SD2");
        TRY_COMPARE(t.rig.graph->comm.getCurrentMedia(), QString("SD2"));
        sim::statusModel(*t.rig.recorder)->selectMedium("SD1");
        TRY_COMPARE(t.rig.graph->comm.getCurrentMedia(), QString("SD1"));
    }) << QStringList { "07F6B24" } << QStringList { closing } << "Opening.wav" << "LIVE" << 1;
    QTest::newRow("the recorder turns read-only: told") << "LIVE" << deleteClosing << closedBy([](auto& t) {
        sim::statusModel(*t.rig.recorder)->setReadOnly(true);
        TRY_VERIFY(t.rig.graph->permission.isReadOnly());
        sim::statusModel(*t.rig.recorder)->setReadOnly(false);
        TRY_VERIFY(!t.rig.graph->permission.isReadOnly());
    }) << QStringList { "07F6B24" } << QStringList { closing } << "Opening.wav" << "LIVE" << 1;
    QTest::newRow("the recorder starts playing: the delete told") << "LIVE" << deleteClosing
        << closedBy(lockedWhile(play, stop, "deleteCheck", stopped)) << QStringList { "07F6B24" } << QStringList { closing }
        << "Opening.wav" << "LIVE" << 1;
    QTest::newRow("the recorder starts playing: the rename told") << "LIVE" << deleteClosing
        << closedBy(lockedWhile(play, stop, "nameWindow", stopped), "nameWindow") << QStringList { "07F6B23" }
        << QStringList { closing } << "Opening.wav" << "LIVE" << 1;
    QTest::newRow("the play mode leaves CONTINUE: told") << "LIVE" << deleteClosing
        << closedBy(lockedWhile(playMode(1), playMode(0), "deleteCheck",
                                [](const Communication& c) { return c.getPlayMode() == "CONTINUE"; }))
        << QStringList { "07F6B24" }
        << QStringList { closing } << "Opening.wav" << "LIVE" << 1;
    // The home tab gives the edit right back: the tab is not available. The
    // message is tapped away before the tab is chosen again.
    QTest::newRow("the home tab looked at: told") << "LIVE" << deleteClosing << closedBy([](auto& t) {
        QVERIFY(t.rig.showTab(0));
        if (QTest::qWaitFor([&t] { return t.rig.textShown(t.told); }, 2000))
            QVERIFY(t.rig.dismissMessage(t.told));
        QVERIFY(t.rig.showTab(2));
    }) << QStringList { "07F6B24" } << QStringList { closing } << "Opening.wav" << "LIVE" << 1;
    // The playlist tab keeps the edit right: the question waits while the
    // user looks at it, and is still waiting when they come back.
    QTest::newRow("the playlist tab looked at: the delete goes") << "LIVE" << deleteClosing << Step([](auto& t) {
        t.tap({ "row_Opening.wav", "fileDelete", "deleteOk" });
        t.waits("deleteCheck");
        QVERIFY(t.rig.showTab(3));
        QVERIFY(t.rig.showTab(2));
        t.waits("deleteCheck");
    }) << QStringList() << QStringList { closing, "-LIVE\\Opening.wav" } << "" << "LIVE" << 0;
}

void TstNumberedTapsBrowse::actionsWhileHeld()
{
    QFETCH(QString, folder);
    QFETCH(Step, firstEdit);
    QFETCH(Step, whileHeld);
    QFETCH(QStringList, forbidden);
    QFETCH(QStringList, medium);
    QFETCH(QString, current);
    QFETCH(QString, shown);
    QFETCH(int, told);
    editThenHold(folder, firstEdit);
    if (QTest::currentTestFailed())
        return;
    linesBeforeHeld = rig.recorder->receivedLines().size();
    whileHeld(*this);
    if (QTest::currentTestFailed())
        return;
    rig.recorder->releaseAnswers();
    // Whatever waited has gone or been dropped, and the folder shown is read
    // (a select is followed by the recorder's change notice and one more
    // reading).
    const auto settle = [this] { return QTest::qWaitFor([this] { return settled(); }, 20000); };
    const bool settledOnce = settle();
    QTest::qWait(500);
    const bool settledAgain = settle();
    QCOMPARE(endState(forbidden), describe(medium, current, shown, {}, told, {}));
    QVERIFY(settledOnce && settledAgain);
    QCOMPARE(missed.join(", "), QString());
}

void TstNumberedTapsBrowse::pathsNameTheRowsFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Step>("steps");
    QTest::addColumn<QStringList>("medium"); // what the medium lost and gained, in the end
    QTest::addColumn<QString>("event");      // the playback file of the recorder's first timer event then
    QTest::addColumn<bool>("toldUser");

    const QString untouched = events.value(0).option;
    // The rows of the folder left stay until the shown folder's answer; the
    // file menu opened on one stays until the new list is read.
    QTest::newRow("copy from the rows left by Up") << "Café Müller" << Step([](auto& t) {
        t.holdAnswersTo("^07F6B11");
        t.tap({ "upIcon" });
        TRY_COMPARE(t.rig.graph->browse.nowFolderNumber(), 0);
        t.tap({ "row_Grüße aus Köln.mp3", "fileCopy" });
        t.rig.recorder->releaseAnswers();
        TRY_VERIFY(t.shows(""));
        t.tapIn("browseFolderBrowseLoader", { "row_Empty" });
        TRY_VERIFY(t.shows("Empty"));
        t.tapIn("browseFolderBrowseLoader", { "pasteButton" });
    }) << QStringList { "+Empty\\Grüße aus Köln.mp3" } << untouched << false;
    QTest::newRow("copy from the rows left by go to current") << "LIVE\\2017" << Step([](auto& t) {
        t.holdAnswersTo("^07F6B11");
        t.tap({ "goToCurrentTool" });
        TRY_COMPARE(t.rig.graph->browse.nowFolderNumber(), t.rig.graph->browse.currentFolderNumber());
        t.tap({ "row_Encore.mp3" });
        t.holdAnswersTo("^07F6B10"); // the new folder's name is known, its rows not yet
        TRY_COMPARE(t.rig.graph->browse.nowFolderName(), QString("LIVE"));
        t.tap({ "fileCopy" });
        t.rig.recorder->releaseAnswers();
        TRY_VERIFY(t.shows("LIVE"));
        t.tapIn("browseFolderBrowseLoader", { "upIcon" });
        TRY_VERIFY(t.shows(""));
        t.tapIn("browseFolderBrowseLoader", { "row_Empty" });
        TRY_VERIFY(t.shows("Empty"));
        t.tapIn("browseFolderBrowseLoader", { "pasteButton" });
    }) << QStringList { "+Empty\\Encore.mp3" } << untouched << false;
    // A timer event's playback file, picked in its picker on the rows left by
    // Up or by the tap on a folder, then saved.
    const auto pickedAfter = [](const char* opener) {
        return Step([opener](auto& t) {
            QVERIFY(t.rig.showTab(4));
            t.eventPart(0, "rowOption");
            t.holdAnswersTo("^07F6B11");
            QTest::qWait(500); // not a double click on the option's place
            t.tapIn("timerEventBrowseLoader", { opener });
            TRY_VERIFY(t.rig.graph->browse.nowFolderName() != "LIVE");
            t.tapIn("timerEventBrowseLoader", { "row_Opening.wav" });
            TRY_VERIFY(!t.rig.item("timerEventBrowseLoader")->property("active").toBool());
            t.rig.recorder->releaseAnswers();
            QVERIFY(t.rig.click(t.rig.shown("rowSave", AppRig::rowAt(t.rig.shown("timerEventListView"), 0))));
            TRY_VERIFY(t.rig.recorder->receivedLines().filter(QRegularExpression("^07F4742")).size() == 1);
            QVERIFY(t.rig.showTab(2));
        });
    };
    QTest::newRow("timer event file picked on the rows left by Up") << "LIVE" << pickedAfter("upIcon") << QStringList()
        << "\\LIVE\\Opening.wav" << false;
    QTest::newRow("timer event file picked on the rows left by a folder tap") << "LIVE" << pickedAfter("row_2017")
        << QStringList() << "\\LIVE\\Opening.wav" << false;
}

void TstNumberedTapsBrowse::pathsNameTheRowsFolder()
{
    QFETCH(QString, folder);
    QFETCH(Step, steps);
    QFETCH(QStringList, medium);
    QFETCH(QString, event);
    QFETCH(bool, toldUser);
    walkTo(folder);
    if (QTest::currentTestFailed())
        return;
    rig.recorder->clearLog();
    rig.recorder->answerLatencyMs = 200;
    steps(*this);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 20000);
    QTest::qWait(500);
    const auto end = [this](const QStringList& medium, const QString& event, bool told) {
        QStringList changes = medium;
        changes.sort();
        return QString("medium: %1 | event: %2 | told: %3")
            .arg(changes.join(' '), event, told ? "yes" : "no");
    };
    QCOMPARE(end(mediumChanges(), sim::timerEvents(*rig.recorder)->events.value(0).option, toldCount > 0),
             end(medium, event, toldUser));
}

void TstNumberedTapsBrowse::whatWasChosen_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Step>("steps");
    QTest::addColumn<QStringList>("forbidden"); // line heads the recorder must not get from the decisive taps
    QTest::addColumn<QStringList>("medium");    // what the medium lost and gained, in the end
    QTest::addColumn<QString>("current");       // the recorder's current file then
    QTest::addColumn<QString>("shown");         // the folder shown then
    QTest::addColumn<int>("told");              // requests refused or dropped, told

    // At the root LIVE is deleted and Café Müller, which takes its number,
    // opened. The Undo brings LIVE back under that number, and the folder
    // shown, read again by its number, is LIVE. Answers come 250 ms late.
    const auto afterUndo = [](Step then) {
        return Step([then](auto& t) {
            t.tap({ "menu_LIVE", "folderDelete", "deleteOk" });
            TRY_VERIFY(t.shows(""));
            t.tap({ "row_Café Müller" });
            TRY_VERIFY(t.shows("Café Müller"));
            t.rig.recorder->answerLatencyMs = 250;
            t.linesBeforeHeld = t.rig.recorder->receivedLines().size();
            t.tap({ "undoTool" });
            then(t);
        });
    };
    // The name window opened over Café Müller, 0.3 s after the Undo: the
    // folder is made there, or nowhere and the user is told; never in LIVE.
    QTest::newRow("new folder: OK once LIVE shows under the window") << "" << afterUndo([](auto& t) {
        QTest::qWait(300);
        t.tap({ "createFolderTool" });
        QTRY_VERIFY_WITH_TIMEOUT(t.shows("LIVE"), simlink::waitMs);
        t.name("New");
    }) << QStringList { "07F6B15" } << QStringList() << "" << "LIVE" << 1;
    // Tapped before Café Müller's own name was read, so the sort knows the
    // folder by its number alone, which the Undo gives to LIVE.
    QTest::newRow("sort tapped before the opened folder is read") << "" << Step([](auto& t) {
        t.tap({ "menu_LIVE", "folderDelete", "deleteOk" });
        TRY_VERIFY(t.shows(""));
        t.rig.recorder->answerLatencyMs = 250;
        t.holdAnswersTo("^07F6B11");
        t.tap({ "row_Café Müller" });
        TRY_VERIFY(t.rig.recorder->holdsAnswers());
        t.linesBeforeHeld = t.rig.recorder->receivedLines().size();
        t.tap({ "undoTool", "sortByNameTool" });
        t.rig.recorder->releaseAnswers();
    }) << QStringList { "07F6B03" } << QStringList() << "" << "LIVE" << 1;
    QTest::newRow("new folder with nothing moving goes") << "LIVE" << Step([](auto& t) {
        t.rig.recorder->answerLatencyMs = 250;
        t.tap({ "createFolderTool" });
        t.name("New");
    }) << QStringList() << QStringList { "+LIVE\\New\\" } << "Opening.wav" << "LIVE" << 0;
    // The rename is refused (the name is taken); the Undo, tapped while it
    // was unanswered, meant it, and would take back the delete instead. Told
    // twice: the refusal, and the Undo dropped.
    QTest::newRow("refused rename, then Undo") << "LIVE" << Step([](auto& t) {
        t.tap({ "row_Closing.wav", "fileDelete", "deleteOk" });
        TRY_VERIFY(t.shows("LIVE"));
        t.rig.recorder->answerLatencyMs = 300;
        t.linesBeforeHeld = t.rig.recorder->receivedLines().size();
        t.tap({ "row_Opening.wav", "fileRename" });
        t.name("Interview");
        QTest::qWait(150);
        t.tap({ "undoTool" });
    }) << QStringList { "07F6B25" } << QStringList { "-LIVE\\Closing.wav" } << "Opening.wav" << "LIVE" << 2;
    // Go to current tapped 0.2 s after a change of the current folder, before
    // its answer: it opens the folder the change made current (LIVE was).
    QTest::newRow("go to current just after a Select") << "Café Müller" << Step([](auto& t) {
        t.rig.recorder->answerLatencyMs = 250;
        t.tap({ "row_Ωmega.wav", "fileSelect" });
        QTest::qWait(200);
        t.tap({ "goToCurrentTool" });
    }) << QStringList() << QStringList() << "Ωmega.wav" << "Café Müller" << 0;
    QTest::newRow("go to current just after set to current") << "LIVE\\2017" << Step([](auto& t) {
        t.rig.recorder->answerLatencyMs = 250;
        t.tap({ "setToCurrent" });
        QTest::qWait(200);
        t.tap({ "goToCurrentTool" });
    }) << QStringList() << QStringList() << "Encore.mp3" << "LIVE\\2017" << 0;
}

void TstNumberedTapsBrowse::whatWasChosen()
{
    QFETCH(QString, folder);
    QFETCH(Step, steps);
    QFETCH(QStringList, forbidden);
    QFETCH(QStringList, medium);
    QFETCH(QString, current);
    QFETCH(QString, shown);
    QFETCH(int, told);
    walkTo(folder);
    if (QTest::currentTestFailed())
        return;
    linesBeforeHeld = rig.recorder->receivedLines().size();
    steps(*this);
    if (QTest::currentTestFailed())
        return;
    const bool settled = QTest::qWaitFor([this] { return this->settled(); }, 20000);
    QTest::qWait(500);
    QCOMPARE(endState(forbidden), describe(medium, current, shown, {}, told, {}));
    QVERIFY(settled && this->settled());
    QCOMPARE(missed.join(", "), QString());
}

// Three folders of the same two takes; LIVE is shown. Another controller
// removes the first while a delete confirmed on LIVE's second take waits
// for the folder to be read again: the shown folder's number then lists
// STUDIO, and the take's number STUDIO's second take, of the same name.
void TstNumberedTapsBrowse::deleteWhileTheFolderIsNumberedAnew()
{
    sim::SimVolume& volume = files->volume("SD1");
    int id = 1000;
    const auto takes = [&id](const QString& name) {
        sim::SimFolder folder;
        folder.id = ++id;
        folder.name = name;
        folder.date = QDateTime(QDate(2017, 10, 26), QTime(9, 0));
        for (const char* take : { "TAKE0001.WAV", "TAKE0002.WAV" }) {
            sim::SimFile file;
            file.id = ++id;
            file.name = take;
            file.length = 3000;
            file.size = 176400 * 30;
            file.date = folder.date;
            folder.files.push_back(file);
        }
        return folder;
    };
    volume.root.folders = { takes("A"), takes("LIVE"), takes("STUDIO") };
    volume.root.files.clear();
    volume.currentFolderId = volume.root.folders.at(1).id;
    volume.currentFileId = volume.root.folders.at(1).files.front().id;
    // As when another controller changed the medium: read from the start.
    const auto toldElsewhere = [this] {
        QSignalSpy readAgain(&rig.graph->browse, &Browse::numberingCurrentChanged);
        rig.recorder->sendLineToLoggedIn("0FF6AF602");
        TRY_VERIFY(!readAgain.isEmpty());
    };
    toldElsewhere();
    rig.graph->browse.goToCurrentFolder();
    TRY_VERIFY(shows("LIVE"));

    rig.recorder->answerLatencyMs = 200;
    holdAnswersTo("^07F6B00$");
    volume.root.folders.erase(volume.root.folders.begin());
    toldElsewhere();
    TRY_VERIFY(rig.recorder->holdsAnswers());
    const QStringList before = tree();
    linesBeforeHeld = rig.recorder->receivedLines().size();
    tap({ "row_TAKE0002.WAV", "fileDelete", "deleteOk" });
    waits("deleteCheck");
    rig.recorder->releaseAnswers();
    QTRY_VERIFY_WITH_TIMEOUT(shows("STUDIO"), 20000);
    QTest::qWait(500);
    const auto end = [](const QStringList& lost, int told, const QStringList& sent) {
        return QString("lost: %1 | told: %2 | sent: %3").arg(lost.join(' ')).arg(told).arg(sent.join(' '));
    };
    QStringList lost;
    for (const QString& entry : before) {
        if (!tree().contains(entry))
            lost << entry;
    }
    const QStringList sent = rig.recorder->receivedLines().mid(linesBeforeHeld).filter(QRegularExpression("^07F6B24"));
    const QString ended = end(lost, toldCount, sent);
    files->volume("SD1") = start;
    toldElsewhere();
    QCOMPARE(ended, end({}, 1, {}));
    QCOMPARE(missed.join(", "), QString());
}

// Closed with a delete confirmed and waiting, and a timer event's playback
// file picked and waiting: neither goes, nothing is told while the windows
// are torn down, and nothing is printed.
void TstNumberedTapsBrowse::closedWhileRequestsWait()
{
    QVERIFY(rig.showTab(4));
    eventPart(0, "rowOption");
    QTest::qWait(500); // not a double click on the option's place
    TRY_VERIFY(rig.item("timerEventBrowseLoader")->property("active").toBool());
    QVERIFY(rig.showTab(2));
    editThenHold("LIVE", [](auto& t) { t.tap({ "row_Closing.wav", "fileDelete", "deleteOk" }); });
    tap({ "row_Opening.wav", "fileDelete", "deleteOk" });
    waits("deleteCheck");
    QVERIFY(rig.showTab(4));
    tapIn("timerEventBrowseLoader", { "row_Interview.wav" });
    QVERIFY(rig.graph->browse.anyHeld());
    QVERIFY(rig.item("timerEventBrowseLoader")->property("active").toBool());
    linesBeforeHeld = rig.recorder->receivedLines().size();
    connect(&rig.graph->browse, &Browse::execFailed, this, [this] { missed << "told while closing"; });
    rig.close();
    rig.recorder->releaseAnswers();
    QTest::qWait(1000);
    missed << rig.recorder->receivedLines().mid(linesBeforeHeld).filter(QRegularExpression("^07F6B2[47]"));
    missed << windowrig::takeWarnings();
    QCOMPARE(missed.join(", "), QString());
}

// The medium as it was, shown from the recorder's current folder.
void TstNumberedTapsBrowse::cleanup()
{
    if (!rig.graph)
        return; // closed
    infoWatch.stop();
    infoSeen.clear();
    missed.clear();
    toldCount = 0;
    rig.recorder->releaseAnswers();
    rig.recorder->answerLatencyMs = 0;
    QVERIFY(QMetaObject::invokeMethod(rig.screen(2), "closeAll"));
    if (rig.textShown(told))
        QVERIFY(rig.dismissMessage(told));
    files->volume("SD1") = start;
    sim::statusModel(*rig.recorder)->medium("SD1").folderIndex = startFolderIndex;
    sim::timerEvents(*rig.recorder)->events = events;
    // The current folder may have moved (LIVE deleted): it is read again.
    QSignalSpy readAgain(&rig.graph->browse, &Browse::numberingCurrentChanged);
    rig.recorder->sendLineToLoggedIn("0FF6AF602");
    TRY_VERIFY(!readAgain.isEmpty());
    rig.graph->browse.goToCurrentFolder();
    TRY_VERIFY(shows("LIVE"));
    QCOMPARE(tree(), startTree);
}

QTEST_MAIN(TstNumberedTapsBrowse)
#include "tst_numberedtaps_browse_e2e.moc"
