// Actions on the browse tab's rows made after an edit, while the recorder has
// already numbered its files and folders anew but the folder has not been read
// again: the rows on the screen still carry the old numbers. Through the real
// window against a simulated recorder that answers late; its answer to the
// first query of the re-read waits until the second action has been made.
// Afterwards the recorder's medium holds exactly what the user did, and the
// file menu never showed another file's information.
#include <QtTest>
#include <functional>

#include "apprig.h"
#include "mediafiles.h"
#include "netenv.h"
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
    // The screen shows the recorder's folder at path, read to its end.
    bool shows(const QString& path) const
    {
        const Browse& b = rig.graph->browse;
        return !b.listing() && !b.holding() && b.commandPending == 0 && b.nowFolderName() == path
            && rig.rowNames("row_", find("browseListView")) == files->entryNames("SD1", path);
    }
    // Every folder and file of the medium, depth first, and the current file.
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
        return all << "current: " + files->currentFileName("SD1");
    }
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

    AppRig rig;
    sim::MediaFiles* files = nullptr;
    sim::SimVolume start;
    QStringList startTree;
    QTimer infoWatch; // what the file menu's information showed
    QStringList infoSeen;
};

void TstNumberedTapsBrowse::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState&) {}));
    files = sim::mediaFiles(*rig.recorder);
    QVERIFY(rig.showTab(2));
    QTRY_VERIFY(shows("LIVE"));
    start = files->volume("SD1");
    startTree = tree();
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
            const QString told = "Unable to complete this action.";
            QTRY_VERIFY(t.rig.textShown(told));
            QVERIFY(t.rig.click(t.rig.withText(told)));
            QTRY_VERIFY(!t.rig.textShown(told));
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
        QTRY_VERIFY(!t.infoSeen.isEmpty());
        for (const QString& info : qAsConst(t.infoSeen))
            QVERIFY2(info.startsWith("Name: Interview.wav\n"), qPrintable(info));
        t.tap({ "fileSelect" });
        QTRY_COMPARE(t.files->currentFileName("SD1"), QString("Interview.wav"));
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
    QTRY_VERIFY(shows(folder));
}

// The medium as it was, shown from the recorder's current folder.
void TstNumberedTapsBrowse::cleanup()
{
    infoWatch.stop();
    infoSeen.clear();
    rig.recorder->releaseAnswers();
    rig.recorder->answerLatencyMs = 0;
    QVERIFY(QMetaObject::invokeMethod(rig.screen(2), "closeAll"));
    files->volume("SD1") = start;
    rig.graph->browse.goToCurrentFolder();
    QTRY_VERIFY(shows("LIVE"));
    QCOMPARE(tree(), startTree);
}

QTEST_MAIN(TstNumberedTapsBrowse)
#include "tst_numberedtaps_browse_e2e.moc"
