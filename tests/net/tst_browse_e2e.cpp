// The browse tab end to end: the application's objects and main window
// against a simulated recorder, driven with mouse and keyboard. After every
// action the recorder has received exactly the request and its tree has
// changed so, and the list on the screen shows it.
#include <QFont>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>
#include <memory>

#include "globals.h"
#include "mediafiles.h"
#include "netenv.h"
#include "simlink.h"
#include "windowrig.h"

class TstBrowseE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void tabShowsTheCurrentFolder();
    void openUpAndSort();
    void makeFolder();
    void renameFile();
    void deleteWithConfirmation();
    void copyThroughThePicker();
    void selectFile();
    void undo();
    void editRightHeldElsewhere();
    void mediumChangeClosesWhatIsOpen();
    void cdNotice();
    void noQmlWarnings();

private:
    // The visible item of that name inside within (the window when null).
    QQuickItem* find(const QString& name, QQuickItem* within = nullptr) const
    {
        QList<QQuickItem*> todo { within ? within : window->contentItem() };
        while (!todo.isEmpty()) {
            QQuickItem* i = todo.takeFirst();
            if (i->objectName() == name && i->isVisible())
                return i;
            todo << i->childItems();
        }
        return nullptr;
    }
    QQuickItem* screenList() const { return find("browseList"); }
    void click(QQuickItem* target)
    {
        QVERIFY(target);
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    }
    void clickRow(const QString& name, QQuickItem* list = nullptr) { click(find("row_" + name, list ? list : screenList())); }
    // The names of the rows on the screen, top to bottom.
    QStringList rows(QQuickItem* list = nullptr) const
    {
        QMap<qreal, QString> byPlace;
        QList<QQuickItem*> todo { find("browseListView", list ? list : screenList()) };
        while (!todo.isEmpty() && todo.first()) {
            QQuickItem* i = todo.takeFirst();
            if (i->objectName().startsWith("row_") && i->isVisible() && i->height() > 0)
                byPlace.insert(i->mapToScene(QPointF()).y(), i->objectName().mid(4));
            todo << i->childItems();
        }
        return byPlace.values();
    }
    // Waits until the screen shows the recorder's folder at path.
    bool shows(const QString& path)
    {
        return QTest::qWaitFor([&] {
            return !graph->browse.listing() && graph->browse.nowFolderName() == path && graph->browse.commandPending == 0
                && rows() == files->entryNames(medium, path) && find("browseList")
                && find("folderName", screenList())->property("text").toString() == (path.isEmpty() ? "ROOT" : path.section('\\', -1));
        }, 10000);
    }
    // Browse requests other than the listing walk and its refresh.
    QStringList requests() const
    {
        return recorder->receivedLines(connection).filter(QRegularExpression("^07F6B(0[1-4]|1[345]|2[2-7])"));
    }
    void type(const QString& text)
    {
        QQuickItem* field = nullptr;
        for (QQuickItem* i : find("nameWindow")->findChildren<QQuickItem*>()) {
            if (i->inherits("QQuickTextInput"))
                field = i;
        }
        click(field);
        QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text) {
            for (const QEvent::Type t : { QEvent::KeyPress, QEvent::KeyRelease }) {
                QKeyEvent key(t, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QGuiApplication::sendEvent(window, &key);
            }
        }
    }
    QQuickItem* button(const QString& text, QObject* within)
    {
        for (QQuickItem* i : within->findChildren<QQuickItem*>()) {
            if (i->property("text").toString() == text && i->isVisible())
                return i;
        }
        return nullptr;
    }
    void shoot(const QString& name) { QVERIFY(!windowrig::saveFrame(window, name).isNull()); }

    QString medium = QStringLiteral("SD1");
    std::unique_ptr<sim::SimRecorder> recorder;
    sim::RecorderState* state = nullptr;
    sim::MediaFiles* files = nullptr;
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<ObjectGraph> graph;
    QQuickWindow* window = nullptr;
    int connection = 0;
};

void TstBrowseE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    windowrig::collectWarnings();
    recorder = simlink::startRecorder(0);
    QVERIFY(recorder);
    recorder->model = 1; // a unit with a CD drive
    state = sim::statusModel(*recorder);
    files = sim::mediaFiles(*recorder);

    engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    graph = std::make_unique<ObjectGraph>();
    graph->publish(engine->rootContext(), multiFontFor(QLocale(QLocale::English)));
    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    window = qobject_cast<QQuickWindow*>(engine->rootObjects().value(0));
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    connection = simlink::logIn(*graph, *recorder);
    QVERIFY(connection);
}

void TstBrowseE2e::cleanupTestCase()
{
    engine.reset();
    g_rootContext = nullptr;
    graph.reset();
    recorder.reset();
    windowrig::stopCollecting();
}

void TstBrowseE2e::tabShowsTheCurrentFolder()
{
    QQuickItem* tab = nullptr;
    for (QQuickItem* i : window->findChildren<QQuickItem*>()) {
        if (i->property("icon").toString().endsWith("tab/browse.svg"))
            tab = i;
    }
    QTRY_VERIFY(!find("loginscreenbase")); // the main screens show a moment after the login
    click(tab);
    QVERIFY(shows("LIVE"));
    QVERIFY(find("currentBadge", screenList()));
    QVERIFY(!find("viewOnlyBadge"));
    shoot("browse_list.png");
}

void TstBrowseE2e::openUpAndSort()
{
    clickRow("2017");
    QVERIFY(shows("LIVE\\2017"));
    QVERIFY(find("setToCurrent")); // the shown folder is not the current one
    recorder->clearLog();
    click(find("upIcon", screenList()));
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests(), QStringList { "07F6B0200\\LIVE" });
    recorder->clearLog();
    click(find("sortByNameTool"));
    QVERIFY(shows("LIVE"));
    QCOMPARE(rows(), QStringList({ "2017", "Closing.wav", "Interview.wav", "Opening.wav" }));
    QCOMPARE(requests(), QStringList { "07F6B03010100" });
}

void TstBrowseE2e::makeFolder()
{
    recorder->clearLog();
    click(find("createFolderTool"));
    type("Neu Ü");
    click(button("OK", find("nameWindow")));
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests(), QStringList { "07F6B15000100Neu Ü" });
    QVERIFY(rows().contains("Neu Ü"));
}

void TstBrowseE2e::renameFile()
{
    clickRow("Interview.wav");
    QTRY_VERIFY(find("fileInfo") && find("fileInfo")->property("text").toString().startsWith("Name: Interview.wav\n"));
    shoot("browse_filemenu.png");
    const int number = graph->browse.entries().at(rows().indexOf("Interview.wav"))->property("number").toInt();
    recorder->clearLog();
    click(find("fileRename"));
    QCOMPARE(find("nameWindow")->property("field").toString(), QString("Interview.wav"));
    type("Talk");
    click(button("OK", find("nameWindow")));
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests(), QStringList { QString("07F6B2300%1Talk.wav").arg(QString::number(number).rightJustified(2, '0') + "00") });
    QVERIFY(rows().contains("Talk.wav") && !rows().contains("Interview.wav"));
}

void TstBrowseE2e::deleteWithConfirmation()
{
    clickRow("Closing.wav");
    click(find("fileDelete"));
    QVERIFY(find("deleteCheck"));
    QCOMPARE(find("deleteCheck")->property("text").toString(), QString("Delete selected file?\nClosing.wav"));
    shoot("browse_delete.png");
    recorder->clearLog();
    click(find("deleteOk"));
    QVERIFY(shows("LIVE"));
    QCOMPARE(requests().size(), 1);
    QVERIFY(requests().first().startsWith("07F6B2400"));
    QVERIFY(!rows().contains("Closing.wav"));
}

void TstBrowseE2e::copyThroughThePicker()
{
    clickRow("Opening.wav");
    click(find("fileCopy"));
    QQuickItem* picker = find("copyPicker");
    QVERIFY(picker);
    QTRY_COMPARE(rows(picker), QStringList({ "2017", "Neu Ü" })); // the folders alone
    shoot("browse_picker.png");
    recorder->clearLog();
    clickRow("2017", picker);
    QTRY_VERIFY(graph->browse.nowFolderName() == "LIVE\\2017" && !graph->browse.listing());
    click(find("pasteButton", picker));
    QVERIFY(shows("LIVE\\2017"));
    QCOMPARE(requests(), QStringList({ "07F6B0400A:\\LIVE\\Opening.wav", "07F6B0415A:\\LIVE\\2017\\Opening.wav" }));
    QCOMPARE(rows(), QStringList({ "Encore.mp3", "Opening.wav" }));
}

void TstBrowseE2e::selectFile()
{
    recorder->clearLog();
    clickRow("Encore.mp3");
    click(find("fileSelect"));
    QTRY_COMPARE(files->currentFileName(medium), QString("Encore.mp3"));
    QVERIFY(shows("LIVE\\2017"));
    QCOMPARE(requests().filter("07F6B27").size(), 1);
    QVERIFY(find("rowIcon", find("row_Encore.mp3", screenList()))->property("source").toString().contains("FileCheck"));
}

void TstBrowseE2e::undo()
{
    // The last change was the copy.
    recorder->clearLog();
    click(find("undoTool"));
    QTRY_VERIFY(!files->entryNames(medium, "LIVE\\2017").contains("Opening.wav"));
    QVERIFY(shows("LIVE\\2017"));
    QCOMPARE(requests(), QStringList { "07F6B25" });
}

// A second application holds the edit right: the tab gives the notice.
void TstBrowseE2e::editRightHeldElsewhere()
{
    click(find("goToCurrentTool"));
    QVERIFY(shows("LIVE\\2017"));
    graph->permission.returnPermission();
    ObjectGraph other;
    QVERIFY(simlink::logIn(other, *recorder));
    other.permission.requestPermission();
    QTRY_VERIFY(other.permission.okPermission());
    graph->permission.requestPermission();
    const QString notice = "Not available.\nAnother KZ470 Control app is currently accessing the Browse, Playlists or Timer Event Pages.";
    QTRY_VERIFY(!graph->permission.okPermission() && button(notice, window));
    QVERIFY(!find("browseList"));
    other.permission.returnPermission();
    QTRY_VERIFY_WITH_TIMEOUT(graph->permission.okPermission(), 6000);
    QVERIFY(shows("LIVE\\2017"));
}

// A medium change while a menu, a name window or the delete question is
// open closes it, and nothing is sent for the old medium's entries.
void TstBrowseE2e::mediumChangeClosesWhatIsOpen()
{
    clickRow("Encore.mp3");
    click(find("fileDelete"));
    QVERIFY(find("deleteCheck"));
    recorder->clearLog();
    state->selectMedium("SD2");
    medium = "SD2";
    QTRY_VERIFY(!find("deleteCheck"));
    QVERIFY(shows(""));
    clickRow("REHEARSAL");
    QVERIFY(shows("REHEARSAL"));
    clickRow("Rehearsal A.wav");
    click(find("fileRename"));
    state->selectMedium("SD1");
    medium = "SD1";
    QTRY_VERIFY(!find("nameWindow"));
    QVERIFY(shows("LIVE\\2017"));
    QCOMPARE(requests().filter(QRegularExpression("^07F6B(1[345]|2[346])")), QStringList());
}

void TstBrowseE2e::cdNotice()
{
    state->selectMedium("CD");
    QTRY_VERIFY(find("browseNotice"));
    QCOMPARE(find("browseNotice")->property("text").toString(), QString("BROWSE screen is not available when current media is CD."));
    shoot("browse_cd.png");
    state->selectMedium("SD1");
    QVERIFY(shows("LIVE\\2017"));
}

void TstBrowseE2e::noQmlWarnings()
{
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

QTEST_MAIN(TstBrowseE2e)
#include "tst_browse_e2e.moc"
