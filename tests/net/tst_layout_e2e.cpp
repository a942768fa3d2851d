// Long texts and scroll bars on the real window against a simulated recorder
// that sends six information fields per file and takes long names: each case
// is opened as a person would, photographed to <build>/tests/screenshots and
// checked with windowrig::layoutFaults(): every text inside its box, no scroll
// bar over a button or under a footer, none for a list that fits. The rows
// run in order, each on from where the last one left the window.
#include <QtTest>
#include <memory>

#include "apprig.h"
#include "mediafiles.h"
#include "menumodel.h"
#include "netenv.h"
#include "simunits.h"
#include "windowrig.h"

namespace {

const QString longName = QStringLiteral("Rehearsal recordings of the spring concert series at the old town hall, second evening");

} // namespace

class TstLayoutE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase()
    {
        app.close();
        unit.reset();
        windowrig::stopCollecting();
    }
    void nothingGetsInTheWay_data();
    void nothingGetsInTheWay();
    void noQmlWarnings()
    {
        app.close();
        QCOMPARE(windowrig::takeWarnings(), QStringList());
    }

private:
    QQuickItem* find(const QString& name, QQuickItem* within = nullptr) const { return app.shown(name, within); }
    void click(QQuickItem* target) { QVERIFY(app.click(target)); }
    QQuickItem* open(const QString& step);

    std::unique_ptr<SimUnit> unit;
    AppRig app;
};

void TstLayoutE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    windowrig::collectWarnings();
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:01"));
    QVERIFY(unit->start());
    unit->services.state->panel.playArea = 2; // the playlist tab works in the playlist play area only
    sim::mediaFiles(unit->recorder)->moreInformation = QStringList { "Format: WAV 48kHz/24bit", "Channel: Stereo" };
    sim::MenuModel* menu = sim::menuModel(unit->recorder);
    QList<sim::SimMenuPage> shortMenu = menu->realisticMenu(0).mid(0, 1); // a menu that fits on the screen
    shortMenu[0].items = shortMenu[0].items.mid(0, 2);
    menu->load(shortMenu);
    QVERIFY(app.start() && app.logIn(unit->recorder));
}

void TstLayoutE2e::nothingGetsInTheWay_data()
{
    QTest::addColumn<QString>("step");
    for (const char* step : { "menu_fits", "browse_list_end", "browse_name_input_long", "browse_file_info_six_fields",
                              "browse_delete_long_name", "playlist_entries" })
        QTest::newRow(step) << QString::fromLatin1(step);
}

// Opens the case and returns what it shows.
QQuickItem* TstLayoutE2e::open(const QString& step)
{
    ObjectGraph& graph = *app.graph;
    auto shown = [&](const QString& name) { return QTest::qWaitFor([&] { return find(name); }) ? find(name) : nullptr; };
    if (step == "menu_fits") {
        click(find("tabMenuButton"));
        return shown("menuArea");
    }
    if (step == "browse_list_end") {
        click(find("tabBrowseButton"));
        if (!QTest::qWaitFor([&] { return graph.browse.nowFolderName() == "LIVE" && find("upIcon"); }))
            return nullptr;
        click(find("upIcon"));
        click(shown("row_Archive"));
        QQuickItem* list = find("browseListView");
        if (!QTest::qWaitFor([&] { return !graph.browse.listing() && list->property("count").toInt() == 300; }, 30000))
            return nullptr;
        QMetaObject::invokeMethod(list, "positionViewAtEnd");
        return find("browseList")->parentItem();
    }
    if (step == "browse_name_input_long") {
        click(find("upIcon"));
        click(shown("row_Memo.wav") ? find("createFolderTool") : nullptr);
        QQuickItem* window = shown("nameWindow");
        return window && app.typeInto(app.textInput(window), longName) ? window : nullptr;
    }
    if (step == "browse_file_info_six_fields") {
        click(app.withText("OK", find("nameWindow")));
        click(shown("row_Memo.wav"));
        return QTest::qWaitFor([&] { return find("fileInfo") && find("fileInfo")->property("text").toString().count('\n') == 5; })
            ? find("fileMenu") : nullptr;
    }
    if (step == "browse_delete_long_name") {
        click(find("fileDelete")); // the list shows the new folder by now
        click(find("deleteCancel"));
        click(shown(QStringLiteral("menu_") + longName));
        click(shown("folderDelete"));
        return shown("deleteCheck");
    }
    if (step == "playlist_entries") {
        click(find("tabPlaylistButton"));
        click(shown("ppl_set1.ppl") ? find("pplDelete", find("ppl_set1.ppl")) : nullptr); // the loaded playlist's edit button
        return shown("entry_99") ? find("pplArea")->parentItem() : nullptr;
    }
    return nullptr;
}

void TstLayoutE2e::nothingGetsInTheWay()
{
    QFETCH(QString, step);
    QQuickItem* shown = open(step);
    QVERIFY(app.shoot(step + ".png"));
    QVERIFY2(shown, "the case does not show");
    QCOMPARE(windowrig::layoutFaults(shown).join("; "), QString());
}

QTEST_MAIN(TstLayoutE2e)
#include "tst_layout_e2e.moc"
