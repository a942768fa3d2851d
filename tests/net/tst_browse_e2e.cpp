// The browse tab end to end: the application's objects and main window
// against a simulated recorder, driven with mouse and keyboard. After every
// action the recorder has received exactly the request and its tree has
// changed so, and the list on the screen shows it. The recorder sends six
// information fields and takes a long folder name: what shows them keeps
// every text in its box and the scroll bar off buttons and the footer.
// Every test starts on a recorder as it starts up, with the tab showing its
// current folder, LIVE; what a test needs beyond that it makes itself.
#include <QtTest>

#include "apprig.h"
#include "mediafiles.h"
#include "netenv.h"
#include "simlink.h"
#include "windowrig.h"

class TstBrowseE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init();
    void cleanup() { rig.stop(); }
    void tabShowsTheCurrentFolder();
    void openUpAndSort();
    void makeFolder();
    void renameFile();
    void deleteWithConfirmation();
    void copyThroughThePicker();
    void selectFile();
    void undo();
    void editRightHeldElsewhere();
    void lostLinkKeepsTheTab();
    void upUnanswered_data();
    void upUnanswered();
    void noQmlWarnings();

private:
    QQuickItem* find(const QString& name, QQuickItem* within = nullptr) const { return rig.shown(name, within); }
    QQuickItem* screenList() const { return find("browseList"); }
    void click(QQuickItem* target) { QVERIFY(rig.click(target)); }
    void clickRow(const QString& name, QQuickItem* list = nullptr) { click(find("row_" + name, list ? list : screenList())); }
    // The names of the rows on the screen, top to bottom.
    QStringList rows(QQuickItem* list = nullptr) const
    {
        return rig.rowNames("row_", find("browseListView", list ? list : screenList()));
    }
    // Waits until the screen shows the recorder's folder at path.
    bool shows(const QString& path)
    {
        return QTest::qWaitFor([&] {
            return !graph->browse.listing() && graph->browse.nowFolderName() == path && graph->browse.commandPending == 0
                && rows() == files->entryNames(medium, path) && find("browseList")
                && find("folderName", screenList())->property("text").toString() == (path.isEmpty() ? "ROOT" : path.section('\\', -1));
        }, simlink::waitMs);
    }
    // The Up lines the recorder received.
    QStringList ups() const { return rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F6B02")); }
    // Browse requests other than the listing walk and its refresh.
    QStringList requests() const
    {
        return rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F6B(0[1-4]|1[345]|2[2-7])"));
    }
    // Types over the open name window's field and confirms with OK.
    void enterName(const QString& text)
    {
        QVERIFY(rig.typeInto(rig.textInput(find("nameWindow")), text));
        click(rig.withText("OK", find("nameWindow")));
    }
    // Scrolls a question down until the end of its text shows (to within a
    // pixel: a wheel's flick ends on a whole one), with the mouse wheel or
    // with a touchpad gesture whose fingers are still down at the return.
    bool scrolledToEnd(QQuickItem* question, bool touchpad = false)
    {
        QQuickItem* area = question ? find("messageArea", question) : nullptr;
        if (!area)
            return false;
        const auto atEnd = [&] {
            return area->property("contentY").toReal() + area->height() >= area->property("contentHeight").toReal() - 1;
        };
        if (touchpad)
            rig.scroll(area, 0, Qt::ScrollBegin);
        for (int steps = 0; steps < 20 && !atEnd(); ++steps) {
            rig.scroll(area, touchpad ? -20 : -120, touchpad ? Qt::ScrollUpdate : Qt::NoScrollPhase);
            if (touchpad)
                QTest::qWait(16);
            else if (!QTest::qWaitFor([&] { return !area->property("moving").toBool(); }, simlink::waitMs))
                return false;
        }
        return area->property("contentY").toReal() > 0 && atEnd();
    }
    // Whether a question shows its text from the first line on.
    bool fromFirstLine(QQuickItem* question) const
    {
        QQuickItem* area = question ? find("messageArea", question) : nullptr;
        QQuickItem* text = question ? find("message", question) : nullptr;
        return area && text && qAbs(text->mapToScene(QPointF()).y() - area->mapToScene(QPointF()).y()) < 0.5;
    }
    // A folder of the long name in LIVE, made through the model, and LIVE shown.
    void makeLongFolder()
    {
        graph->browse.createFolder(longName);
        QVERIFY(shows("LIVE"));
        QVERIFY(rows().contains(longName));
    }
    // Encore.mp3 in LIVE\2017 becomes the recorder's current file through the
    // file menu's Select; LIVE\2017 shows.
    void selectEncore()
    {
        clickRow("2017");
        QVERIFY(shows("LIVE\\2017"));
        clickRow("Encore.mp3");
        click(find("fileSelect"));
        TRY_COMPARE(files->currentFileName(medium), QString("Encore.mp3"));
        QVERIFY(shows("LIVE\\2017"));
    }
    void shoot(const QString& name) { QVERIFY(rig.shoot(name)); }
    void laidOut(QQuickItem* shown, const QString& picture)
    {
        QVERIFY(shown && rig.shoot(picture));
        QCOMPARE(windowrig::layoutFaults(shown).join("; "), QString());
    }

    QString medium = QStringLiteral("SD1");
    const QString longName = QStringLiteral("Neu Ü rehearsal recordings of the spring concert series at the old town hall, 2nd evening");
    AppRig rig;
    ObjectGraph* graph = nullptr;
    sim::RecorderState* state = nullptr;
    sim::MediaFiles* files = nullptr;
};

void TstBrowseE2e::init()
{
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState&) {}));
    graph = rig.graph.get();
    state = rig.state;
    files = sim::mediaFiles(*rig.recorder);
    files->moreInformation = QStringList { "Format: WAV 48kHz/24bit", "Channel: Stereo" };
    click(find("tabBrowseButton"));
    QVERIFY(shows("LIVE"));
}

void TstBrowseE2e::tabShowsTheCurrentFolder()
{
    QVERIFY(find("currentBadge", screenList()));
    QVERIFY(!find("viewOnlyBadge"));
    shoot("browse_list.png");
}

void TstBrowseE2e::openUpAndSort()
{
    // Scrolled to its end, the longest folder's scroll bar stops above the footer.
    click(find("upIcon", screenList()));
    QVERIFY(shows(""));
    clickRow("Archive");
    QQuickItem* list = find("browseListView", screenList());
    QTRY_VERIFY_WITH_TIMEOUT(!graph->browse.listing() && list->property("count") == 300, 30000);
    QMetaObject::invokeMethod(list, "positionViewAtEnd");
    laidOut(screenList()->parentItem(), "browse_list_end.png");
    click(find("upIcon", screenList()));
    QVERIFY(shows(""));
    clickRow("LIVE");
    QVERIFY(shows("LIVE"));

    clickRow("2017");
    QVERIFY(shows("LIVE\\2017"));
    QVERIFY(find("setToCurrent")); // the shown folder is not the current one
    rig.recorder->clearLog();
    click(find("upIcon", screenList()));
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests(), QStringList { "07F6B0200\\LIVE" });
    rig.recorder->clearLog();
    click(find("sortByNameTool"));
    QVERIFY(shows("LIVE"));
    QCOMPARE(rows(), QStringList({ "2017", "Closing.wav", "Interview.wav", "Opening.wav" }));
    QCOMPARE(requests(), QStringList { "07F6B03010100" });
}

void TstBrowseE2e::makeFolder()
{
    rig.recorder->clearLog();
    click(find("createFolderTool"));
    QVERIFY(rig.typeInto(rig.textInput(find("nameWindow")), longName));
    laidOut(find("nameWindow"), "browse_name_long.png"); // three lines show
    click(rig.withText("OK", find("nameWindow")));
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests(), QStringList { "07F6B15000100" + longName });
    QVERIFY(rows().contains(longName));
}

void TstBrowseE2e::renameFile()
{
    clickRow("Interview.wav");
    TRY_VERIFY(find("fileInfo") && find("fileInfo")->property("text").toString().startsWith("Name: Interview.wav\n"));
    QCOMPARE(find("fileInfo")->property("text").toString().count('\n'), 5);
    laidOut(find("fileMenu"), "browse_filemenu.png");
    const int number = graph->browse.entries().at(rows().indexOf("Interview.wav"))->property("number").toInt();
    rig.recorder->clearLog();
    click(find("fileRename"));
    QCOMPARE(find("nameWindow")->property("field").toString(), QString("Interview.wav"));
    enterName("Talk");
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests(), QStringList { QString("07F6B2300%1Talk.wav").arg(QString::number(number).rightJustified(2, '0') + "00") });
    QVERIFY(rows().contains("Talk.wav") && !rows().contains("Interview.wav"));
}

void TstBrowseE2e::deleteWithConfirmation()
{
    makeLongFolder();
    click(find("menu_" + longName));
    click(find("folderDelete"));
    laidOut(find("deleteCheck"), "browse_delete_long.png");
    // Scrolled to its end and closed, the question opens at its first line
    // again: for the same entry, and for one whose name fits after a gesture
    // that the closing cut short.
    QVERIFY(scrolledToEnd(find("deleteCheck")));
    click(find("deleteCancel"));
    click(find("menu_" + longName));
    click(find("folderDelete"));
    QVERIFY(fromFirstLine(find("deleteCheck")));
    QVERIFY(scrolledToEnd(find("deleteCheck"), true));
    click(find("deleteCancel"));
    clickRow("Closing.wav");
    click(find("fileDelete"));
    QVERIFY(fromFirstLine(find("deleteCheck")));
    QCOMPARE(find("deleteCheck")->property("text").toString(), QString("Delete selected file?\nClosing.wav"));
    shoot("browse_delete.png");
    // Confirmed while the folder is read again (as after a new grant of the
    // edit right), when the shown list is empty: the question waits for the
    // new list and then deletes.
    rig.recorder->replyDelayMs = 150;
    graph->browse.restartBrowse();
    TRY_VERIFY(graph->browse.listing() && graph->browse.entries().isEmpty());
    rig.recorder->clearLog();
    click(find("deleteOk"));
    QVERIFY(find("deleteCheck") && requests().isEmpty());
    rig.recorder->replyDelayMs = 0;
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests().size(), 1);
    QVERIFY(requests().first().startsWith("07F6B2400"));
    QVERIFY(!rows().contains("Closing.wav"));
}

void TstBrowseE2e::copyThroughThePicker()
{
    makeLongFolder();
    clickRow("Opening.wav");
    click(find("fileCopy"));
    QQuickItem* picker = find("copyPicker");
    QVERIFY(picker);
    TRY_COMPARE(rows(picker), QStringList({ "2017", longName })); // the folders alone
    shoot("browse_picker.png");
    rig.recorder->clearLog();
    clickRow("2017", picker);
    TRY_VERIFY(graph->browse.nowFolderName() == "LIVE\\2017" && !graph->browse.listing());
    click(find("pasteButton", picker));
    QVERIFY(shows("LIVE\\2017"));
    QCOMPARE(requests(), QStringList({ "07F6B0400A:\\LIVE\\Opening.wav", "07F6B0415A:\\LIVE\\2017\\Opening.wav" }));
    QCOMPARE(rows(), QStringList({ "Encore.mp3", "Opening.wav" }));
}

void TstBrowseE2e::selectFile()
{
    rig.recorder->clearLog();
    selectEncore();
    QCOMPARE(requests().filter("07F6B27").size(), 1);
    // The check mark follows the recorder's answer for its current file.
    const auto checked = [&] {
        QQuickItem* icon = find("rowIcon", find("row_Encore.mp3", screenList()));
        return icon && icon->property("source").toString().contains("FileCheck");
    };
    TRY_VERIFY(checked());
}

void TstBrowseE2e::undo()
{
    // The last change is a copy into LIVE\2017, which shows.
    graph->browse.copyFile("A:\\LIVE\\Opening.wav", "A:\\LIVE\\2017\\Opening.wav");
    TRY_VERIFY(files->entryNames(medium, "LIVE\\2017").contains("Opening.wav"));
    QVERIFY(shows("LIVE"));
    clickRow("2017");
    QVERIFY(shows("LIVE\\2017"));
    rig.recorder->clearLog();
    click(find("undoTool"));
    TRY_VERIFY(!files->entryNames(medium, "LIVE\\2017").contains("Opening.wav"));
    QVERIFY(shows("LIVE\\2017"));
    QCOMPARE(requests(), QStringList { "07F6B25" });
}

// A second application holds the edit right: the tab gives the notice.
void TstBrowseE2e::editRightHeldElsewhere()
{
    selectEncore();
    click(find("upIcon", screenList()));
    QVERIFY(shows("LIVE"));
    click(find("goToCurrentTool"));
    QVERIFY(shows("LIVE\\2017"));
    graph->permission.returnPermission();
    ObjectGraph other;
    const int otherConnection = simlink::logIn(other, *rig.recorder);
    QVERIFY(otherConnection);
    other.permission.requestPermission();
    TRY_VERIFY(other.permission.okPermission());
    QCOMPARE(state->editRightHolder(), otherConnection);
    rig.recorder->clearLog();
    graph->permission.requestPermission();
    const QString notice = "Not available.\nAnother KZ470 Control app is currently accessing the Browse, Playlists or Timer Event Pages.";
    TRY_VERIFY(!graph->permission.okPermission() && rig.withText(notice));
    QVERIFY(!find("browseList"));
    // Refused, it asks again with its keep-alive; the holder's keep-alive runs too.
    QTRY_VERIFY_WITH_TIMEOUT(rig.recorder->receivedLines(rig.connection).count("07F6A7E11") >= 2, 4000);
    QVERIFY(rig.recorder->receivedLines(otherConnection).contains("07F6A7E11"));
    QVERIFY(!graph->permission.okPermission());
    other.permission.returnPermission();
    TRY_VERIFY(rig.recorder->receivedLines(otherConnection).contains("07F6A7E10"));
    QTRY_VERIFY_WITH_TIMEOUT(graph->permission.okPermission(), simlink::waitMs);
    QCOMPARE(state->editRightHolder(), rig.connection);
    QVERIFY(shows("LIVE\\2017"));
}

// A new link holds no edit right: once the application is logged in again,
// the tab it shows asks for the right anew instead of staying unavailable.
void TstBrowseE2e::lostLinkKeepsTheTab()
{
    selectEncore();
    QVERIFY(graph->permission.okPermission());
    QSignalSpy relogged(&graph->comm, &Communication::loginCompChanged);
    rig.recorder->disconnectAll();
    QTRY_VERIFY_WITH_TIMEOUT(relogged.count() >= 2 && graph->comm.getLoginComp(), simlink::waitMs);
    TRY_VERIFY(graph->permission.okPermission());
    QVERIFY(shows("LIVE\\2017"));
    QVERIFY(find("browseList"));
}

// The recorder leaves every Up line unanswered for a while (as it does for a
// path it no longer has), then answers again. The Up is asked once more and
// then left: at most two Up lines for the tap, and only the markers those
// two losses call for. The tab stays where it is, and where the user opens a
// folder behind the Up, that folder stays; once the recorder answers again,
// nothing moves, and the Up key works as before.
void TstBrowseE2e::upUnanswered_data()
{
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("openAfterMs"); // 2017 opened after the Up; -1 none
    for (int late : { 0, 200, 500 }) {
        QTest::addRow("Up alone for 30 s, %d ms late", late) << late << -1;
        QTest::addRow("2017 opened 3 s after the Up, %d ms late", late) << late << 3000;
    }
    QTest::newRow("2017 opened 300 ms after the Up, 500 ms late") << 500 << 300;
}

void TstBrowseE2e::upUnanswered()
{
    QFETCH(int, late);
    QFETCH(int, openAfterMs);
    const bool alone = openAfterMs < 0;
    if (alone) {
        clickRow("2017");
        QVERIFY(shows("LIVE\\2017"));
    }
    QTest::qWait(500);
    rig.recorder->answerLatencyMs = late;
    rig.recorder->ignoreLines = QRegularExpression("^07F6B02");
    rig.recorder->clearLog();
    const quint64 markers = graph->comm.replyOrder.markersAsked();
    click(find("upIcon", screenList()));
    if (!alone) {
        QTest::qWait(openAfterMs);
        clickRow("2017");
    }
    QTest::qWait(alone ? 30000 : 15000);
    const QString path = "LIVE\\2017";
    QVERIFY(shows(path));
    QVERIFY2(ups().size() <= 2, qPrintable(ups().join(' ')));
    QVERIFY2(graph->comm.replyOrder.markersAsked() - markers <= 4,
             qPrintable(QString::number(graph->comm.replyOrder.markersAsked() - markers)));
    rig.recorder->ignoreLines = QRegularExpression();
    QTest::qWait(late + 2000);
    QVERIFY(shows(path));
    const int before = ups().size();
    QVERIFY(before <= 2);
    click(find("upIcon", screenList()));
    QVERIFY(shows("LIVE"));
    QCOMPARE(ups().mid(before), QStringList { "07F6B0200\\LIVE" });
}

void TstBrowseE2e::noQmlWarnings()
{
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

QTEST_MAIN(TstBrowseE2e)
#include "tst_browse_e2e.moc"
