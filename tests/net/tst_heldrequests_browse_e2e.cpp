// Requests made on the browse tab while they have to wait: after an edit the
// recorder has numbered its entries anew but the folder has not been read
// again, so whatever names a row by its number waits for that reading. Through
// the real window against a simulated recorder that answers late; its answer
// to the first query of the re-read waits until the user has acted.
//
// A waiting window shows that it waits and keeps its own request: its Cancel
// drops only that, OK again replaces it. What waits is dropped when it no
// longer names what it was made on, an undo with the edit it followed, and
// every dropped request the user confirmed is told.
#include <QtTest>
#include <algorithm>
#include <functional>

#include "apprig.h"
#include "mediafiles.h"
#include "netenv.h"
#include "windowrig.h"

class TstHeldRequestsBrowse;
using Step = std::function<void(TstHeldRequestsBrowse&)>;
Q_DECLARE_METATYPE(Step)

namespace {
const QString told = QStringLiteral("Unable to complete this action.");
}

class TstHeldRequestsBrowse : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { rig.stop(); }
    void actionsWhileHeld_data();
    void actionsWhileHeld();
    void cleanup();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }

public:
    QQuickItem* find(const QString& name) const { return rig.shown(name, rig.screen(2)); }
    void tap(const QStringList& names)
    {
        for (const QString& name : names) {
            QTRY_VERIFY2(find(name), qPrintable(name));
            QVERIFY2(rig.click(find(name)), qPrintable(name));
        }
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
    }

    // The list shows the folder the model names, read to its end, and
    // nothing waits.
    bool settled() const
    {
        const Browse& b = rig.graph->browse;
        return !b.listing() && !b.holding() && b.numberingCurrent() && b.commandPending == 0
            && !rig.recorder->holdsAnswers()
            && rig.rowNames("row_", find("browseListView")) == files->entryNames("SD1", b.nowFolderName());
    }
    bool shows(const QString& path) const { return settled() && rig.graph->browse.nowFolderName() == path; }
    // Every folder ("path\") and file of the medium, depth first.
    QStringList tree() const
    {
        QStringList all;
        const std::function<void(const sim::SimFolder&, const QString&)> walk = [&](const sim::SimFolder& f, const QString& path) {
            for (const sim::SimFile& file : f.files)
                all << path + file.name;
            for (const sim::SimFolder& sub : f.folders) {
                all << path + sub.name + "\\";
                walk(sub, path + sub.name + "\\");
            }
        };
        walk(files->volume("SD1").root, QString());
        return all;
    }
    // What the medium lost ("-") and gained ("+") since the start; a folder's
    // entries go and come with it.
    QStringList mediumChanges() const
    {
        const QStringList now = tree();
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
        return only(startTree, now, "-") + only(now, startTree, "+");
    }
    // The end state as one line, so that a failure shows all of it.
    static QString describe(const QStringList& medium, const QString& current, const QString& shown,
        const QStringList& open, bool toldUser, const QStringList& sent)
    {
        QStringList changes = medium;
        changes.sort();
        return QString("medium: %1 | current: %2 | shown: %3 | open: %4 | told: %5 | sent: %6")
            .arg(changes.join(' '), current, shown.isEmpty() ? QString("ROOT") : shown, open.join(' '),
                toldUser ? "yes" : "no", sent.join(' '));
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
            rig.textShown(told), sent);
    }

    AppRig rig;
    sim::MediaFiles* files = nullptr;
    sim::SimVolume start;
    QStringList startTree;
    int linesBeforeHeld = 0;
    QStringList missed; // what did not show while requests waited
};

void TstHeldRequestsBrowse::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState&) {}));
    files = sim::mediaFiles(*rig.recorder);
    QVERIFY(rig.showTab(2));
    QTRY_VERIFY(shows("LIVE"));
    start = files->volume("SD1");
    startTree = tree();
}

void TstHeldRequestsBrowse::actionsWhileHeld_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Step>("firstEdit");
    QTest::addColumn<Step>("whileHeld");       // before the folder has been read again
    QTest::addColumn<QStringList>("forbidden"); // line heads the recorder must not get after the first edit
    QTest::addColumn<QStringList>("medium");    // what the medium lost and gained, in the end
    QTest::addColumn<QString>("current");       // the recorder's current file then
    QTest::addColumn<QString>("shown");         // the folder shown then
    QTest::addColumn<bool>("toldUser");         // a confirmed request was dropped

    const auto deleting = [](const QString& row) {
        return Step([row](auto& t) { t.tap({ row, row.startsWith("menu_") ? "folderDelete" : "fileDelete", "deleteOk" }); });
    };
    const Step deleteClosing = deleting("row_Closing.wav");
    const QString closing = "-LIVE\\Closing.wav";

    // The Select made earlier is not the delete question's to drop.
    QTest::newRow("one Cancel drops every waiting request") << "LIVE" << deleteClosing << Step([](auto& t) {
        t.tap({ "row_Interview.wav", "fileSelect" });
        QTRY_VERIFY(!t.find("fileMenu"));
        t.tap({ "row_Opening.wav", "fileDelete", "deleteOk" });
        t.waits("deleteCheck");
        t.tap({ "deleteCancel" });
    }) << QStringList() << QStringList { closing } << "Interview.wav" << "LIVE" << false;
    // The name confirmed last is the one the file gets.
    QTest::newRow("a waiting rename takes the user's correction") << "LIVE" << deleteClosing << Step([](auto& t) {
        t.tap({ "row_Interview.wav", "fileRename" });
        t.name("Talk");
        t.waits("nameWindow");
        t.name("Talk2");
    }) << QStringList() << QStringList { closing, "-LIVE\\Interview.wav", "+LIVE\\Talk2.wav" } << "Opening.wav"
       << "LIVE" << false;
    // The sort was made on LIVE, which is no longer shown when it could go;
    // the undo would have taken back the delete instead.
    QTest::newRow("an Undo is dropped with the edit it followed") << "LIVE" << deleteClosing << Step([](auto& t) {
        t.tap({ "row_2017", "sortByNameTool", "undoTool" });
    }) << QStringList { "07F6B25", "07F6B0301" } << QStringList { closing } << "Opening.wav" << "LIVE\\2017" << true;
    // Folders are numbered level by level from the root: Archive's old number
    // is Empty's once Café Müller is gone.
    QTest::newRow("a dropped folder open is told") << "" << deleting("menu_Café Müller") << Step([](auto& t) {
        t.tap({ "row_Archive" });
    }) << QStringList() << QStringList { "-Café Müller\\" } << "Opening.wav" << "" << true;
}

void TstHeldRequestsBrowse::actionsWhileHeld()
{
    QFETCH(QString, folder);
    QFETCH(Step, firstEdit);
    QFETCH(Step, whileHeld);
    QFETCH(QStringList, forbidden);
    QFETCH(QStringList, medium);
    QFETCH(QString, current);
    QFETCH(QString, shown);
    QFETCH(bool, toldUser);
    if (folder.isEmpty())
        rig.graph->browse.openFolder(0);
    QTRY_VERIFY(shows(folder));
    // Late answers: each 200 ms after its request.
    rig.recorder->answerLatencyMs = 200;
    // The re-read after the first edit starts with the current folder's query.
    rig.recorder->holdAnswersTo = QRegularExpression("^07F6B00$");
    firstEdit(*this);
    QTRY_VERIFY(rig.recorder->holdsAnswers());
    QVERIFY(!rig.graph->browse.listing());
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
    QCOMPARE(endState(forbidden), describe(medium, current, shown, {}, toldUser, {}));
    QVERIFY(settledOnce && settledAgain);
    QCOMPARE(missed.join(", "), QString());
}

// The medium as it was, shown from the recorder's current folder.
void TstHeldRequestsBrowse::cleanup()
{
    missed.clear();
    rig.recorder->releaseAnswers();
    rig.recorder->answerLatencyMs = 0;
    QVERIFY(QMetaObject::invokeMethod(rig.screen(2), "closeAll"));
    if (rig.textShown(told))
        QVERIFY(rig.click(rig.withText(told)));
    QTRY_VERIFY(!rig.textShown(told));
    files->volume("SD1") = start;
    rig.graph->browse.goToCurrentFolder();
    QTRY_VERIFY_WITH_TIMEOUT(shows("LIVE"), 20000);
    QCOMPARE(tree(), startTree);
}

QTEST_MAIN(TstHeldRequestsBrowse)
#include "tst_heldrequests_browse_e2e.moc"
