// The playlist tab end to end: the application's objects and main window
// against a simulated recorder, driven with mouse and keyboard. After every
// action the recorder has received exactly the request, its playlists have
// changed so, and the screen shows them; the home screen's time skip then
// steps through the same playlists over FTP. Every test starts on a recorder
// as it starts up, with the tab showing its playlists.
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>
#include <memory>

#include "apprig.h"
#include "netenv.h"
#include "playlistcommands.h"
#include "simunits.h"
#include "windowrig.h"

class TstPlaylistE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init();
    void cleanup() { app.close(); unit.reset(); }
    void listShowsTheRecorderPlaylists();
    void loadAnother();
    void createSaveAsRenameDelete();
    void assignAndClearEntries();
    void timeSkipStepsThroughTheSamePlaylists();
    void noQmlWarnings();

private:
    QQuickItem* find(const QString& name, QQuickItem* within = nullptr) const { return app.shown(name, within); }
    void click(QQuickItem* target)
    {
        QVERIFY(target);
        reveal(target);
        QVERIFY(app.click(target));
    }
    void clickIn(const QString& row, const char* part) { click(find(part, find(row))); }
    // Wheels the list until the item lies clear of the footer.
    void reveal(QQuickItem* target)
    {
        QQuickItem* area = find("pplArea");
        if (!area || !area->isAncestorOf(target))
            return;
        const qreal bottom = area->mapToScene(QPointF(0, area->height())).y() - 60 * window->property("ptSize").toReal();
        for (int turns = 0; turns < 40 && target->mapToScene(QPointF(0, target->height())).y() > bottom; ++turns) {
            const QPointF at = area->mapToScene(QPointF(area->width() / 2, area->height() / 2));
            QWheelEvent wheel(at, at, QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QGuiApplication::sendEvent(window, &wheel);
            TRY_VERIFY(!area->property("moving").toBool());
        }
    }
    // The playlist rows on the screen, top to bottom, as "name date".
    QStringList rows() const
    {
        QMap<qreal, QString> byPlace;
        for (QQuickItem* i : app.allShown("ppl_"))
            byPlace.insert(i->y(), i->property("pplName").toString() + " " + i->property("pplDateTime").toString());
        return byPlace.values();
    }
    // The recorder's playlists of the current medium, as rows() gives them.
    QStringList recorderRows() const
    {
        QStringList out;
        for (const QString& name : book->names(state->currentMediumName()))
            out << name + " " + book->playlist(state->currentMediumName(), name).dateTime;
        return out;
    }
    bool listShown()
    {
        return QTest::qWaitFor([&] { return rows() == recorderRows() && find("playlistTitle")->property("text") == "PLAYLISTS"; }, simlink::waitMs);
    }
    // The loaded playlist's entries on the screen, as the recorder holds them.
    bool entriesShown()
    {
        return QTest::qWaitFor([&] {
            QStringList names = QVector<QString>(100, "?").toList();
            for (QQuickItem* row : app.allShown("entry_"))
                names[row->property("entryNumber").toInt()] = row->property("entryName").toString();
            return names == book->entryNames(state->currentMediumName(), state->current().playlist);
        }, simlink::waitMs);
    }
    // Playlist edits the recorder received since the log was cleared.
    QStringList requests() const
    {
        return unit->recorder.receivedLines(app.connection).filter(QRegularExpression("^07F(45(4[013])|31(0000|4B)|6B26)"));
    }
    // Types over the text of the open name window and confirms it with OK.
    void enterName(const QString& text, const QString& picture = QString())
    {
        QVERIFY(app.typeInto(app.textInput(find("nameWindow")), text));
        if (!picture.isEmpty())
            shoot(picture);
        click(app.withText("OK", find("nameWindow")));
    }
    // The buttons of a playlist row by their pictures' last words; "none"
    // for one that does not show (while the list is made anew).
    QString icons(const QString& row) const
    {
        QQuickItem* shownRow = find(row);
        QStringList words;
        for (const char* part : { "pplLoad", "pplDelete", "pplRename" }) {
            QQuickItem* button = shownRow ? find(part, shownRow) : nullptr;
            words << (button ? button->property("source").toString().section('_', -1).section('.', 0, 0) : "none");
        }
        return words.join(' ');
    }
    // Loads the playlist on its row, and the list shows it loaded.
    void load(const QString& name)
    {
        clickIn("ppl_" + name, "pplLoad");
        TRY_COMPARE(graph->comm.getPlayList(), name);
        QVERIFY(listShown());
        TRY_COMPARE(icons("ppl_" + name), QStringLiteral("SaveAs Edit current"));
    }
    void shoot(const QString& name) { QVERIFY(app.shoot(name)); }

    std::unique_ptr<SimUnit> unit;
    sim::RecorderState* state = nullptr;
    sim::PlaylistBook* book = nullptr;
    AppRig app;
    ObjectGraph* graph = nullptr;
    QQuickWindow* window = nullptr;
};

void TstPlaylistE2e::init()
{
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:01"));
    QVERIFY(unit->start());
    state = unit->services.state;
    book = sim::playlistBook(unit->recorder);
    state->panel.playArea = 2; // the playlist screen works in the playlist play area only

    QVERIFY(app.start());
    window = app.window;
    graph = app.graph.get();
    QVERIFY(app.logIn(unit->recorder));
    click(find("tabPlaylistButton"));
    QVERIFY(listShown());
}

void TstPlaylistE2e::listShowsTheRecorderPlaylists()
{
    // The loaded playlist's row offers save-as and edit, and carries the mark.
    QCOMPARE(icons("ppl_set1.ppl"), QStringLiteral("SaveAs Edit current"));
    QCOMPARE(icons("ppl_set2.ppl"), QStringLiteral("Load Delete Rename"));
    shoot("playlist_list.png");
}

void TstPlaylistE2e::loadAnother()
{
    unit->recorder.clearLog();
    load("set2.ppl");
    QCOMPARE(requests(), QStringList { "07F310000A:/_playlists/set2.ppl" });
    QCOMPARE(icons("ppl_set2.ppl"), QStringLiteral("SaveAs Edit current"));

    // Its entries: the full playlist, 99 recordings.
    clickIn("ppl_set2.ppl", "pplDelete");
    QVERIFY(entriesShown());
    QCOMPARE(find("playlistTitle")->property("text").toString(), QStringLiteral("Entries in playlist"));
    QCOMPARE(find("entryCount")->property("text").toString(), QStringLiteral("99"));
    QCOMPARE(find("playlistDate")->property("text").toString(), QStringLiteral("2026/05/02 08:00"));
    shoot("playlist_entries_full.png");
    const QString faults = windowrig::layoutFaults(find("pplArea")->parentItem()).join("; "); // the bar clear of the buttons
    click(find("playlistFooterButton"));
    QVERIFY(listShown());
    QCOMPARE(faults, QString());
}

void TstPlaylistE2e::createSaveAsRenameDelete()
{
    load("set2.ppl");
    QStringList expected = book->names("SD1");
    unit->recorder.clearLog();
    click(find("playlistFooterButton"));
    QCOMPARE(find("nameWindow")->property("title").toString(), QStringLiteral("New playlist name"));
    enterName("Neue Liste é", "playlist_name.png");
    expected.insert(1, "Neue Liste é.ppl");
    TRY_COMPARE(book->names("SD1"), expected);
    QVERIFY(listShown());

    // Saved as a copy of the loaded playlist, which the copy then is.
    clickIn("ppl_set2.ppl", "pplLoad");
    QCOMPARE(find("nameWindow")->property("title").toString(), QStringLiteral("Playlist name"));
    enterName("Kopie");
    TRY_COMPARE(graph->comm.getPlayList(), QStringLiteral("Kopie.ppl"));
    expected.insert(1, "Kopie.ppl");
    QCOMPARE(book->names("SD1"), expected);
    QVERIFY(listShown());
    QCOMPARE(book->entryNames("SD1", "Kopie.ppl"), book->entryNames("SD1", "set2.ppl"));

    const int renamed = book->names("SD1").indexOf("set3.ppl") + 1;
    clickIn("ppl_set3.ppl", "pplRename");
    QCOMPARE(find("nameWindow")->property("field").toString(), QStringLiteral("set3.ppl"));
    enterName("leer.ppl");
    expected.removeOne("set3.ppl");
    expected.insert(3, "leer.ppl");
    TRY_COMPARE(book->names("SD1"), expected);
    QVERIFY(listShown());

    clickIn("ppl_leer.ppl", "pplDelete");
    QCOMPARE(find("deleteCheck")->property("text").toString(), QStringLiteral("Delete selected playlist?\nleer.ppl"));
    shoot("playlist_delete.png");
    click(find("deleteOk"));
    expected.removeOne("leer.ppl");
    TRY_COMPARE(book->names("SD1"), expected);
    QVERIFY(listShown());
    TRY_VERIFY(!graph->pl.execCommand());
    QCOMPARE(requests(), QStringList({ "07F4540Neue Liste é", "07F4541Kopie",
                                       "07F4543" + sim::numberField(renamed) + "leer.ppl",
                                       "07F6B26A:\\_playlists\\leer.ppl" }));
}

void TstPlaylistE2e::assignAndClearEntries()
{
    load("set2.ppl");
    clickIn("ppl_set1.ppl", "pplLoad");
    TRY_COMPARE(state->current().playlist, QStringLiteral("set1.ppl"));
    QVERIFY(listShown());
    TRY_COMPARE(icons("ppl_set1.ppl"), QStringLiteral("SaveAs Edit current"));
    clickIn("ppl_set1.ppl", "pplDelete");
    QVERIFY(entriesShown());
    QStringList entries = book->entryNames("SD1", "set1.ppl");
    QCOMPARE(entries.at(5), QString());

    unit->recorder.clearLog();
    clickIn("entry_5", "entryButton");
    TRY_VERIFY(find("row_Closing.wav", find("takePicker")));
    int take = 0;
    for (QObject* entry : graph->browse.entries())
        take = entry->property("name") == "Closing.wav" ? entry->property("number").toInt() : take;
    click(find("row_Closing.wav", find("takePicker")));
    entries[5] = "Closing.wav";
    TRY_COMPARE(book->entryNames("SD1", "set1.ppl"), entries);
    QVERIFY(entriesShown());

    clickIn("entry_5", "entryInfo");
    TRY_COMPARE(find("infoDataA")->property("text").toString(), QStringLiteral("WAV 44.1kHz"));
    QCOMPARE(find("infoFolder")->property("text").toString(), QStringLiteral("SD1 ROOT/LIVE"));
    click(find("infoClose"));

    QVERIFY(!entries.at(12).isEmpty());
    clickIn("entry_12", "entryButton");
    entries[12].clear();
    TRY_COMPARE(book->entryNames("SD1", "set1.ppl"), entries);
    QVERIFY(entriesShown());
    QCOMPARE(requests(), QStringList({ "07F314B010500" + sim::numberField(take), "07F314B001200" }));

    // Another controller's change, announced: the entries are read again.
    book->playlist("SD1", "set1.ppl").entries[0] = book->playlist("SD1", "set1.ppl").entries[1];
    book->announce(5000);
    QVERIFY(entriesShown());
    click(find("playlistFooterButton"));
    QVERIFY(listShown());
}

// The home screen's time skip lists the playlists over FTP and loads the
// next one by name: the same files in the same order as the playlist tab.
void TstPlaylistE2e::timeSkipStepsThroughTheSamePlaylists()
{
    const QStringList names = book->names("SD1");
    click(find("tabHomeButton"));
    for (int step = 1; step <= 2; ++step) {
        const QString next = names.at((names.indexOf(state->current().playlist) + 1) % names.size());
        unit->recorder.clearLog();
        click(find("forwardButton"));
        TRY_COMPARE(graph->comm.getPlayList(), next);
        TRY_VERIFY(app.textShown(next)); // on the recorder's display
        QCOMPARE(requests(), QStringList { "07F310000A:/_playlists/" + next });
    }
}

void TstPlaylistE2e::noQmlWarnings()
{
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

QTEST_MAIN(TstPlaylistE2e)
#include "tst_playlist_e2e.moc"
