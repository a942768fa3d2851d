// A rename tapped on the rows read before an edit that renumbers the
// playlists, through the real window against a simulated recorder answering
// late: the state query that leads to the new list waits while the rename is
// confirmed, or while its name window stays open. Nothing the person did not
// choose is renamed; made again on the fresh row, the rename takes.
#include <QtTest>
#include <algorithm>
#include <functional>

#include "apprig.h"
#include "netenv.h"
#include "playlistcommands.h"
#include "windowrig.h"

class TstNumberedTapsPlaylist;
using Step = std::function<void(TstNumberedTapsPlaylist&)>;
Q_DECLARE_METATYPE(Step)

static QStringList sorted(QStringList names)
{
    std::sort(names.begin(), names.end()); // the recorder's order
    return names;
}

class TstNumberedTapsPlaylist : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init();
    void cleanup() { rig.stop(); }
    void renameAfterRenumbering_data();
    void renameAfterRenumbering();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }

public:
    QQuickItem* in(const QString& name) const { return rig.shown(name, rig.screen(3)); }
    void tap(const QString& row, const char* part)
    {
        QTRY_VERIFY2(in(row), qPrintable(row));
        QVERIFY2(rig.click(rig.shown(part, in(row))), part);
    }
    void typeName(const QString& text, bool confirm = true)
    {
        QTRY_VERIFY(in("nameWindow"));
        QVERIFY(rig.typeInto(rig.textInput(in("nameWindow")), text));
        if (confirm)
            QVERIFY(rig.click(rig.withText("OK", in("nameWindow"))));
    }
    QStringList names() const { return book->names("SD1"); }
    QStringList rows() const
    {
        QMap<qreal, QString> byPlace;
        for (QQuickItem* i : rig.allShown("ppl_", rig.screen(3)))
            byPlace.insert(i->y(), i->property("pplName").toString());
        return byPlace.values();
    }
    // No answer has come for a while, and the rows show the recorder's playlists.
    void listShown()
    {
        QSignalSpy read(&rig.graph->pl, &Playlist::pplRecived), redrawn(&rig.graph->pl, &Playlist::readyToRedraw);
        for (int seen = -1; seen != read.count() + redrawn.count(); QTest::qWait(300))
            seen = read.count() + redrawn.count();
        QTRY_COMPARE_WITH_TIMEOUT(rows(), names(), 20000);
    }

    AppRig rig;
    sim::PlaylistBook* book = nullptr;
    QStringList renames; // what the recorder should receive
};

void TstNumberedTapsPlaylist::init()
{
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState& state) { state.panel.playArea = 2; }));
    book = sim::playlistBook(*rig.recorder);
    QVERIFY(rig.showTab(3));
    listShown();
    renames.clear();
}

void TstNumberedTapsPlaylist::renameAfterRenumbering_data()
{
    QTest::addColumn<Step>("edit");
    QTest::addColumn<QStringList>("afterEdit");
    QTest::addColumn<QString>("chosen"); // renamed next, on the rows from before the edit
    QTest::addColumn<bool>("openAcross");

    const QStringList start = { "Bühne Süd.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "Ωδή 2026.ppl" };
    const QList<std::tuple<const char*, Step, QStringList, QString>> edits = {
        { "create", [](auto& t) { QVERIFY(t.rig.click(t.in("playlistFooterButton"))); t.typeName("b0"); },
          sorted(start + QStringList { "b0.ppl" }), "set3.ppl" },
        { "save as", [](auto& t) { t.tap("ppl_set1.ppl", "pplLoad"); t.typeName("Kopie"); },
          sorted(start + QStringList { "Kopie.ppl" }), "set3.ppl" },
        { "delete", [](auto& t) {
              t.tap("ppl_Bühne Süd.ppl", "pplDelete");
              QTRY_VERIFY(t.in("deleteOk"));
              QVERIFY(t.rig.click(t.in("deleteOk")));
              QTRY_VERIFY_WITH_TIMEOUT(!t.rig.graph->pl.execCommand(), 20000);
          }, QStringList(start.mid(1)), "set3.ppl" },
        { "rename", [](auto& t) {
              t.renames << "07F4543" + sim::numberField(4) + "a1";
              t.tap("ppl_set3.ppl", "pplRename");
              t.typeName("a1");
          }, sorted({ "Bühne Süd.ppl", "a1.ppl", "set1.ppl", "set2.ppl", "Ωδή 2026.ppl" }), "set2.ppl" },
    };
    for (const bool across : { false, true }) {
        for (const auto& [name, edit, afterEdit, chosen] : edits)
            QTest::addRow("%s, then rename; %s", name, across ? "window open across the new list" : "confirmed at once")
                << edit << afterEdit << chosen << across;
    }
}

void TstNumberedTapsPlaylist::renameAfterRenumbering()
{
    QFETCH(Step, edit);
    QFETCH(QStringList, afterEdit);
    QFETCH(QString, chosen);
    QFETCH(bool, openAcross);

    // A busy recorder: late answers, and the state query that the edit's
    // result leads to waits, so the rows stay those from before the edit.
    rig.recorder->answerLatencyMs = 200;
    rig.recorder->holdAnswersTo = QRegularExpression("^07F4500$");
    edit(*this);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(rig.recorder->holdsAnswers(), 20000);
    QCOMPARE(names(), afterEdit);
    tap("ppl_" + chosen, "pplRename");
    typeName("neu", !openAcross);
    rig.recorder->holdAnswersTo = QRegularExpression();
    rig.recorder->releaseAnswers();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.item("plInputWindowLoader", rig.screen(3))->property("active").toBool(), 20000);
    rig.recorder->answerLatencyMs = 0;
    listShown();
    QCOMPARE(names(), afterEdit);

    // Renamed again on its fresh row, it takes the name.
    renames << "07F4543" + sim::numberField(names().indexOf(chosen) + 1) + "neu";
    tap("ppl_" + chosen, "pplRename");
    typeName("neu");
    QStringList expected = afterEdit;
    expected.replace(expected.indexOf(chosen), "neu.ppl");
    QTRY_COMPARE_WITH_TIMEOUT(names(), sorted(expected), 20000);
    QCOMPARE(rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F4543")), renames);
}

QTEST_MAIN(TstNumberedTapsPlaylist)
#include "tst_numberedtaps_playlist_e2e.moc"
