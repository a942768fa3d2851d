// A rename tapped just after an edit that makes the recorder number its
// playlists anew. The recorder names the playlist to rename by its number,
// and the rows on the screen keep the numbers of the list read before the
// edit until the list has been read again. Through the real window against a
// simulated recorder that answers late: the state query that leads to the
// new list waits while the person renames on a row of the old list, either
// confirming at once or leaving the name window open while the list is read
// again. Nothing the person did not choose is renamed; the rename made again
// on the fresh row renames the chosen playlist.
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "apprig.h"
#include "netenv.h"
#include "playlistcommands.h"
#include "windowrig.h"

class TstNumberedTapsPlaylist;
using Step = std::function<void(TstNumberedTapsPlaylist&)>;
Q_DECLARE_METATYPE(Step)

namespace {

QStringList sorted(QStringList names)
{
    std::sort(names.begin(), names.end()); // the recorder's order
    return names;
}

} // namespace

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
    QQuickItem* in(const QString& name, QQuickItem* within = nullptr) const
    {
        return rig.shown(name, within ? within : rig.screen(3));
    }
    void tapIn(const QString& row, const char* part)
    {
        QTRY_VERIFY2(in(row), qPrintable(row));
        QVERIFY2(rig.click(in(part, in(row))), part);
    }
    void typeName(const QString& text)
    {
        QTRY_VERIFY(in("nameWindow"));
        QVERIFY(rig.typeInto(rig.textInput(in("nameWindow")), text));
    }
    void confirmName() { QVERIFY(rig.click(rig.withText("OK", in("nameWindow")))); }
    bool nameWindowOpen() const { return rig.item("plInputWindowLoader", rig.screen(3))->property("active").toBool(); }
    QStringList names() const { return book->names("SD1"); }
    // The rows on the screen, top to bottom, are the recorder's playlists.
    bool listShown() const
    {
        return QTest::qWaitFor([&] {
            QMap<qreal, QString> byPlace;
            for (QQuickItem* i : rig.allShown("ppl_", rig.screen(3)))
                byPlace.insert(i->y(), i->property("pplName").toString());
            return byPlace.values() == names();
        }, 20000);
    }
    // Waits until no playlist answer has come for a while.
    void untilQuiet()
    {
        QSignalSpy read(&rig.graph->pl, &Playlist::pplRecived), redrawn(&rig.graph->pl, &Playlist::readyToRedraw);
        for (int seen = -1; seen != read.count() + redrawn.count();) {
            seen = read.count() + redrawn.count();
            QTest::qWait(300);
        }
    }
    QStringList renames() const
    {
        return rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F4543"));
    }
    QString renameLine(const QString& name, const QString& to) const
    {
        return "07F4543" + sim::numberField(names().indexOf(name) + 1) + to;
    }

    AppRig rig;
    sim::PlaylistBook* book = nullptr;
    QStringList firstRenames; // renames the edit itself sent
};

void TstNumberedTapsPlaylist::init()
{
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState& state) {
        state.panel.playArea = 2; // the playlist screen works in the playlist play area only
    }));
    book = sim::playlistBook(*rig.recorder);
    QVERIFY(rig.showTab(3));
    QVERIFY(listShown());
    untilQuiet();
    firstRenames.clear();
}

void TstNumberedTapsPlaylist::renameAfterRenumbering_data()
{
    QTest::addColumn<Step>("edit");
    QTest::addColumn<QStringList>("afterEdit"); // the recorder's playlists after the edit
    QTest::addColumn<QString>("chosen");        // the playlist the person renames next
    QTest::addColumn<bool>("openAcross");       // the name window stays open while the list is read again

    const QStringList start = { "Bühne Süd.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "Ωδή 2026.ppl" };
    const Step create = [](auto& t) {
        QVERIFY(t.rig.click(t.in("playlistFooterButton")));
        t.typeName("b0");
        t.confirmName();
    };
    const Step saveAs = [](auto& t) {
        t.tapIn("ppl_set1.ppl", "pplLoad"); // the loaded playlist's row offers save-as
        t.typeName("Kopie");
        t.confirmName();
    };
    const Step remove = [](auto& t) {
        t.tapIn("ppl_Bühne Süd.ppl", "pplDelete");
        QTRY_VERIFY(t.in("deleteOk"));
        QVERIFY(t.rig.click(t.in("deleteOk")));
        QTRY_VERIFY_WITH_TIMEOUT(!t.rig.graph->pl.execCommand(), 20000);
    };
    const Step rename = [](auto& t) {
        const QString line = t.renameLine("set3.ppl", "a1");
        t.tapIn("ppl_set3.ppl", "pplRename");
        t.typeName("a1");
        t.confirmName();
        t.firstRenames << line;
    };
    // Each edit moves the chosen playlist to another number.
    for (const bool across : { false, true }) {
        const char* when = across ? "name window open while the list is read again" : "confirmed before the list is read again";
        QTest::addRow("create, then rename; %s", when) << create << sorted(start + QStringList { "b0.ppl" }) << QString("set3.ppl") << across;
        QTest::addRow("save as, then rename; %s", when) << saveAs << sorted(start + QStringList { "Kopie.ppl" }) << QString("set3.ppl") << across;
        QTest::addRow("delete, then rename; %s", when) << remove << QStringList(start.mid(1)) << QString("set3.ppl") << across;
        QTest::addRow("rename, then rename; %s", when)
            << rename << sorted(QStringList { "Bühne Süd.ppl", "a1.ppl", "set1.ppl", "set2.ppl", "Ωδή 2026.ppl" }) << QString("set2.ppl") << across;
    }
}

void TstNumberedTapsPlaylist::renameAfterRenumbering()
{
    QFETCH(Step, edit);
    QFETCH(QStringList, afterEdit);
    QFETCH(QString, chosen);
    QFETCH(bool, openAcross);

    // A busy recorder: each answer comes late, and the state query that the
    // edit's answer leads to waits for the person's taps.
    rig.recorder->replyDelayMs = 50;
    rig.recorder->holdAnswersTo = QRegularExpression("^07F4500$");
    edit(*this);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(rig.recorder->holdsAnswers(), 20000);
    QCOMPARE(names(), afterEdit);

    // The rows are still those read before the edit.
    tapIn("ppl_" + chosen, "pplRename");
    typeName("neu");
    if (!openAcross)
        confirmName();
    rig.recorder->holdAnswersTo = QRegularExpression();
    rig.recorder->releaseAnswers();
    if (openAcross)
        QTRY_VERIFY_WITH_TIMEOUT(!nameWindowOpen(), 20000); // the chosen playlist has moved
    QVERIFY(listShown());
    QCOMPARE(names(), afterEdit);

    // Renamed again on its fresh row, the chosen playlist gets the name.
    rig.recorder->replyDelayMs = 0;
    untilQuiet();
    QVERIFY(listShown());
    const QString line = renameLine(chosen, "neu");
    tapIn("ppl_" + chosen, "pplRename");
    typeName("neu");
    confirmName();
    QStringList expected = afterEdit;
    expected.replace(expected.indexOf(chosen), "neu.ppl");
    QTRY_COMPARE_WITH_TIMEOUT(names(), sorted(expected), 20000);
    QVERIFY(listShown());
    QCOMPARE(renames(), firstRenames + QStringList { line });
}

QTEST_MAIN(TstNumberedTapsPlaylist)
#include "tst_numberedtaps_playlist_e2e.moc"
