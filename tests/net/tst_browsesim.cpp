// The media browser's model against a simulated recorder over the real
// command channel, holding the edit right: listings equal the recorder's
// tree, every edit changes the tree and the model lists it anew, refusals
// fail, and interruptions end in a clean list.
#include <QQmlContext>
#include <QQmlEngine>
#include <QtTest>
#include <functional>
#include <memory>

#include "globals.h"
#include "mediafiles.h"
#include "netenv.h"
#include "simlink.h"

using Action = std::function<void(Browse&)>;
Q_DECLARE_METATYPE(Action)

class TstBrowseSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init();
    void cleanup();
    void listingEqualsTree_data();
    void listingEqualsTree();
    void edits_data();
    void edits();
    void interruptedWalkRecovers_data();
    void interruptedWalkRecovers();

private:
    // The published list's names.
    QStringList shown() const
    {
        QStringList names;
        for (QObject* o : engine.rootContext()->contextProperty("browseModel").value<QList<QObject*>>())
            names << o->property("name").toString();
        return names;
    }
    // Waits until the model shows folder path of medium as the recorder has it.
    bool shows(const QString& path, const QString& medium = QStringLiteral("SD1"))
    {
        // An event loop of its own: the test's usual wait sleeps between passes.
        const auto done = [&] {
            return !app->browse.listing() && app->browse.nowFolderName() == path && app->browse.commandPending == 0
                && shown() == files->entryNames(medium, path);
        };
        QEventLoop loop;
        QTimer check;
        connect(&check, &QTimer::timeout, &loop, [&] {
            if (done())
                loop.quit();
        });
        check.start(2);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return done();
    }
    int number(const QString& name) const
    {
        for (QObject* o : engine.rootContext()->contextProperty("browseModel").value<QList<QObject*>>()) {
            if (o->property("name").toString() == name)
                return o->property("number").toInt();
        }
        return -1;
    }
    void open(const QString& name) { app->browse.openFolder(number(name)); }
    int walkLines() const
    {
        return recorder->receivedLines().filter(QRegularExpression("^07F6B(1[01]|2[01])")).size();
    }

    QQmlEngine engine;
    std::unique_ptr<sim::SimRecorder> recorder;
    sim::RecorderState* state = nullptr;
    sim::MediaFiles* files = nullptr;
    std::unique_ptr<ObjectGraph> app;
};

void TstBrowseSim::init()
{
    g_rootContext = engine.rootContext();
    recorder = simlink::startRecorder(0);
    QVERIFY(recorder);
    state = sim::statusModel(*recorder);
    files = sim::mediaFiles(*recorder);
    app = std::make_unique<ObjectGraph>();
    // As the window does when the right is granted.
    connect(&app->permission, &Permission::okPermissionChanged, &app->browse, [this] {
        if (app->permission.okPermission())
            app->browse.restartBrowse();
    });
    // As the window does on its browse tab when a login completes.
    connect(&app->comm, &Communication::loginCompChanged, &app->permission, [this] {
        if (app->comm.getLoginComp())
            app->permission.requestPermission();
    });
    QVERIFY(simlink::logIn(*app, *recorder));
    QVERIFY(shows("LIVE"));
}

void TstBrowseSim::cleanup()
{
    app.reset();
    recorder.reset();
    g_rootContext = nullptr;
}

void TstBrowseSim::listingEqualsTree_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<bool>("split");
    QTest::newRow("names split inside characters") << QStringList { "Café Müller" } << true;
    QTest::newRow("playlists, as the FTP server lists them") << QStringList { "_playlists" } << false;
}

void TstBrowseSim::listingEqualsTree()
{
    QFETCH(QStringList, path);
    QFETCH(bool, split);
    files->splitInsideCharacters = split;
    recorder->replyDelayMs = split ? 3 : 0;
    // One walk request in flight at any time.
    int inFlight = 0, most = 0;
    connect(recorder.get(), &sim::SimRecorder::lineReceived, this, [&](int, const QString& line) {
        if (QRegularExpression("^07F6B(1[01]|2[01])").match(line).hasMatch())
            most = qMax(most, ++inFlight);
    });
    connect(&app->telnet, &Telnet::readyRead, this, [&](const QString& line) {
        if (line.startsWith("FF6B9") || line.startsWith("FF6BA"))
            --inFlight;
    });
    app->browse.upFolder();
    QVERIFY(shows(""));
    QString at;
    for (const QString& name : path) {
        open(name);
        at += (at.isEmpty() ? "" : "\\") + name;
        QVERIFY2(shows(at), qPrintable(QString("%1 %2 %3 %4").arg(shown().size()).arg(app->browse.listing()).arg(walkLines()).arg(app->browse.nowFolderName())));
    }
    QCOMPARE(most, 1);
    if (path == QStringList { "_playlists" })
        QCOMPARE(shown(), state->medium("SD1").playlistSubfolders + state->medium("SD1").playlists);
}

void TstBrowseSim::edits_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("refused");   // operation the recorder is told to refuse
    QTest::addColumn<QString>("folder");    // where to look afterwards
    QTest::addColumn<QStringList>("after"); // its entries then
    QTest::addColumn<bool>("failed");

    const QStringList live { "2017", "Opening.wav", "Interview.wav", "Closing.wav" };
    auto num = [this](const QString& name) { return number(name); };
    QTest::newRow("twelve folders at once") << Action([](Browse& b) {
        for (int i = 0; i < 12; ++i)
            b.createFolder(QString("Ordner Ä %1 ").arg(i, 2, 10, QChar('0')) + QString(100, QChar(0x00E9)));
    }) << "" << "LIVE" << QStringList {} << false;
    QTest::newRow("playlist deleted by path") << Action([](Browse& b) { b.deleteFileFullPath("A:\\_playlists\\set2.ppl"); })
        << "" << "_playlists" << QStringList { "Bühne Süd.ppl", "set1.ppl", "set3.ppl", "Ωδή 2026.ppl" } << false;
    QTest::newRow("refused new folder") << Action([](Browse& b) { b.createFolder("X"); }) << "15" << "LIVE" << live << true;
    QTest::newRow("refused copy") << Action([](Browse& b) { b.copyFile("A:\\LIVE\\Opening.wav", "A:\\LIVE\\2017\\Opening.wav"); })
        << "04" << "LIVE\\2017" << QStringList { "Encore.mp3" } << true;
    QTest::newRow("name taken") << Action([num](Browse& b) { b.renameFile(num("Opening.wav"), "closing", "Opening.wav"); })
        << "" << "LIVE" << live << true;
    QTest::newRow("nothing to undo") << Action([](Browse& b) { b.undo(); }) << "" << "LIVE" << live << true;
}

void TstBrowseSim::edits()
{
    QFETCH(Action, action);
    QFETCH(QString, refused);
    QFETCH(QString, folder);
    QFETCH(QStringList, after);
    QFETCH(bool, failed);
    if (!refused.isEmpty())
        files->refuse << refused;
    files->coalesceResults = true; // each edit's answers arrive together
    files->workingAnswers = 2;
    QSignalSpy failures(&app->browse, &Browse::execFailed);
    action(app->browse);
    QTRY_COMPARE(failures.count(), failed ? 1 : 0);
    QVERIFY(shows("LIVE"));
    if (QTest::currentDataTag() == QString("twelve folders at once")) {
        // Each names the shown folder by its number, so each went after the
        // one before had been answered and the folder read again; every
        // line arrived whole.
        const QStringList lines = recorder->receivedLines().filter(QRegularExpression("^07F6B(15|11000100$)"));
        for (int i = 1; i < lines.size(); ++i)
            QVERIFY2(!(lines.at(i - 1).startsWith("07F6B15") && lines.at(i).startsWith("07F6B15")), qPrintable(lines.join(' ')));
        QCOMPARE(files->entryNames("SD1", "LIVE").size(), 16);
        QCOMPARE(recorder->receivedLines().filter(QRegularExpression("^07F6B15000100Ordner Ä \\d\\d é{52}$")).size(), 12);
        return;
    }
    QCOMPARE(files->entryNames("SD1", folder), after);
    QCOMPARE(app->browse.dialogString, QString());
}

void TstBrowseSim::interruptedWalkRecovers_data()
{
    QTest::addColumn<QString>("interruption");
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QString>("folder"); // shown at the end
    QTest::newRow("medium change") << "medium" << "SD2" << "";
    QTest::newRow("status 0") << "status" << "SD1" << "Archive";
    QTest::newRow("edit right lost and regained") << "right" << "SD1" << "Archive";
}

void TstBrowseSim::interruptedWalkRecovers()
{
    QFETCH(QString, interruption);
    QFETCH(QString, medium);
    QFETCH(QString, folder);
    app->browse.upFolder();
    QVERIFY(shows(""));
    recorder->clearLog();
    open("Archive");
    QTRY_VERIFY(walkLines() > 50);
    if (interruption == "medium") {
        state->selectMedium(medium);
    } else if (interruption == "status") {
        state->setStatus(0);
        QTRY_COMPARE(app->browse.getBrowseDialogString(), QString("SD1 is not available"));
        QVERIFY(shown().isEmpty());
        state->setStatus(sim::RecorderState::Stopped);
    } else {
        state->revokeEditRight(); // the keep-alive gets it back
    }
    QVERIFY2(shows(folder, medium), qPrintable(shown().join('|')));
    QCOMPARE(app->browse.getBrowseDialogString(), QString());
}

QTEST_MAIN(TstBrowseSim)
#include "tst_browsesim.moc"
