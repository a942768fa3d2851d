// Taps on the browse tab's rows made after an edit, while the recorder has
// already numbered its files and folders anew but the folder has not been read
// again: the rows on the screen still carry the old numbers. Through the real
// window against a simulated recorder that answers late; its answer to the
// first query of the re-read waits until the second action has been made, so
// that the action lands on the rows from before the edit. Afterwards the
// recorder's medium holds exactly what the user did, and the file menu never
// showed another file's information.
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
    void tap(const QString& name)
    {
        QTRY_VERIFY2(find(name), qPrintable(name));
        QVERIFY2(rig.click(find(name)), qPrintable(name));
    }
    // The entries of the shown folder on the screen, top to bottom.
    QStringList rows() const
    {
        QMap<qreal, QString> byPlace;
        QQuickItem* view = find("browseListView");
        for (QQuickItem* i : view ? rig.allShown("row_", view) : QList<QQuickItem*>())
            byPlace.insert(i->mapToScene(QPointF()).y(), i->objectName().mid(4));
        return byPlace.values();
    }
    // The screen shows the recorder's folder at path, read to its end.
    bool shows(const QString& path) const
    {
        const Browse& b = rig.graph->browse;
        return !b.listing() && !b.property("holding").toBool() && b.commandPending == 0 && b.nowFolderName() == path
            && rows() == files->entryNames("SD1", path);
    }
    // Every folder and file of the medium, depth first, and the current file.
    QStringList tree()
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
    // The tree at the start less what is gone, with renamed.first() renamed
    // to renamed.last() in its place.
    QStringList startTreeLess(const QStringList& gone, const QStringList& renamed, const QString& current) const
    {
        QStringList expected;
        for (const QString& entry : startTree) {
            if (entry.startsWith("current: "))
                expected << "current: " + current;
            else if (std::none_of(gone.begin(), gone.end(), [&](const QString& g) { return entry.startsWith(g); }))
                expected << (!renamed.isEmpty() && entry == renamed.first() ? renamed.last() : entry);
        }
        return expected;
    }
    // The file menu's information text whenever it changes.
    void watchInfo()
    {
        connect(&infoWatch, &QTimer::timeout, this, [this] {
            QQuickItem* info = find("fileInfo");
            const QString text = info ? info->property("text").toString() : QString();
            if (!text.isEmpty() && (infoSeen.isEmpty() || infoSeen.last() != text))
                infoSeen << text;
        });
        infoWatch.start(5);
    }

    AppRig rig;
    sim::MediaFiles* files = nullptr;
    sim::SimVolume start;
    QStringList startTree;
    QTimer infoWatch;
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
}

void TstNumberedTapsBrowse::secondActionOnOldRows_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Step>("firstEdit");   // confirmed through the window
    QTest::addColumn<Step>("secondAction"); // made on the rows from before the edit
    QTest::addColumn<Step>("afterwards");   // once the folder has been read again
    QTest::addColumn<QStringList>("gone");  // what the two actions removed from the tree
    QTest::addColumn<QStringList>("renamed"); // old entry, new entry
    QTest::addColumn<QString>("current"); // the recorder's current file afterwards

    const Step deleteOpening = [](auto& t) {
        t.tap("row_Opening.wav");
        t.tap("fileDelete");
        t.tap("deleteOk");
    };
    const Step deleteInterview = [](auto& t) {
        t.tap("row_Interview.wav");
        t.tap("fileDelete");
        t.tap("deleteOk");
    };
    const Step renameInterview = [](auto& t) {
        t.tap("row_Interview.wav");
        t.tap("fileRename");
        QVERIFY(t.rig.typeInto(t.rig.textInput(t.find("nameWindow")), "Talk"));
        QVERIFY(t.rig.click(t.rig.withText("OK", t.find("nameWindow"))));
    };
    const Step deleteArchive = [](auto& t) {
        t.tap("menu_Archive");
        t.tap("folderDelete");
        t.tap("deleteOk");
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
    const QString opening = "LIVE\\Opening.wav";
    // Files are numbered over the medium: Interview.wav's old number is
    // Closing.wav's once Opening.wav is gone.
    QTest::newRow("delete the next file") << "LIVE" << deleteOpening << deleteInterview << again(deleteInterview)
                                          << QStringList { opening, "LIVE\\Interview.wav" } << QStringList() << "";
    QTest::newRow("rename the next file") << "LIVE" << deleteOpening << renameInterview << again(renameInterview)
                                          << QStringList { opening } << QStringList { "LIVE\\Interview.wav", "LIVE\\Talk.wav" } << "";
    // The menu tapped open on the old row shows that file's information or
    // none; Select in it (or, when it closed, in the menu of the row tapped
    // again) makes that file the current one.
    QTest::newRow("tap the next file, select it") << "LIVE" << deleteOpening << Step([](auto& t) {
        t.watchInfo();
        t.tap("row_Interview.wav");
    }) << Step([](auto& t) {
        if (!t.find("fileMenu"))
            t.tap("row_Interview.wav");
        QTRY_VERIFY(!t.infoSeen.isEmpty());
        for (const QString& info : qAsConst(t.infoSeen))
            QVERIFY2(info.startsWith("Name: Interview.wav\n"), qPrintable(info));
        t.tap("fileSelect");
        QTRY_COMPARE(t.files->currentFileName("SD1"), QString("Interview.wav"));
    }) << QStringList { opening } << QStringList() << "Interview.wav";
    // Folders are numbered level by level from the root: Archive's old number
    // is Empty's once Café Müller is gone.
    QTest::newRow("delete the next folder") << "" << Step([](auto& t) {
        t.tap("menu_Café Müller");
        t.tap("folderDelete");
        t.tap("deleteOk");
    }) << deleteArchive << again(deleteArchive) << QStringList { "Café Müller\\", "Archive\\" } << QStringList() << "Opening.wav";
}

void TstNumberedTapsBrowse::secondActionOnOldRows()
{
    QFETCH(QString, folder);
    QFETCH(Step, firstEdit);
    QFETCH(Step, secondAction);
    QFETCH(Step, afterwards);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, renamed);
    QFETCH(QString, current);

    if (folder.isEmpty())
        rig.graph->browse.openFolder(0);
    QTRY_VERIFY(shows(folder));
    // Late answers: each write of the recorder waits for the one before it
    // and then a little more (the polls keep it busy, so more would pile up).
    rig.recorder->replyDelayMs = 25;
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
    QCOMPARE(tree(), startTreeLess({ gone.first() }, {}, currentAfterFirst));
    afterwards(*this);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(shows(folder), 20000);

    // What the user removed is gone, what was renamed has its new name in its
    // place, nothing else changed, and it stays so.
    const QStringList expected = startTreeLess(gone, renamed, current);
    QCOMPARE(tree(), expected);
    QTest::qWait(500);
    QCOMPARE(tree(), expected);
    // (A select is followed by the recorder's change notice and one more reading.)
    QTRY_VERIFY(shows(folder));
}

// The medium as it was, shown from the recorder's current folder.
void TstNumberedTapsBrowse::cleanup()
{
    infoWatch.stop();
    infoWatch.disconnect();
    infoSeen.clear();
    rig.recorder->releaseAnswers();
    rig.recorder->replyDelayMs = 0;
    QVERIFY(QMetaObject::invokeMethod(rig.screen(2), "closeAll"));
    files->volume("SD1") = start;
    rig.graph->browse.goToCurrentFolder();
    QTRY_VERIFY(shows("LIVE"));
    QCOMPARE(tree(), startTree);
}

QTEST_MAIN(TstNumberedTapsBrowse)
#include "tst_numberedtaps_browse_e2e.moc"
