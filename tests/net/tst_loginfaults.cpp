// A recorder that misbehaves during and after the login, a link that drops in
// the middle of a walk (settings menu, browse listing, playlists, timer
// events), and a flood of discovery answers: the application and its window
// against simulated recorders. After each fault, within the time-outs, the
// window is usable again: the login screen or the main window shows with no
// overlay left, a new login to a well-behaved recorder works and the settings
// file is intact.
#include <QFile>
#include <QQmlContext>
#include <QUdpSocket>
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
#include "recorderstate.h"
#include "simunits.h"
#include "udpmachinelist.h"
#include "windowrig.h"

using Behaviour = sim::SimRecorder::Behaviour;

Q_DECLARE_METATYPE(Behaviour)

namespace {

// What the recorder does once the login has gone through, or from the start.
enum class AfterLogin { Nothing, Flood, MegabyteLine, SplitBytes, SplitBytesFromStart };

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(AfterLogin)

class TstLoginFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { app.close(); unit.reset(); }
    void recorderFault_data();
    void recorderFault();
    void linkDrop_data();
    void linkDrop();
    void discoveryFlood();
    void closesWithoutQmlWarnings() { app.close(); QCOMPARE(windowrig::takeWarnings(), QStringList()); }

private:
    QQuickItem* item(const char* name) const { return app.item(name); }
    bool loginScreenShown() const { return item("loginscreenbase")->isVisible(); }
    bool overlayShown() const { return item("loginConnecting")->isVisible() || item("powerConnecting")->isVisible(); }
    void logInThroughWindow();
    void logInAndOut();

    std::unique_ptr<SimUnit> unit;
    AppRig app;
    ObjectGraph* graph = nullptr;
    QByteArray settingsAfterLogin;
};

void TstLoginFaults::initTestCase()
{
    netenv::requirePrivateNetwork();
    QFile::remove(DataSettings::fileName());
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Studio A"), QStringLiteral("00:1B:47:00:00:11"));
    QVERIFY(unit->start());
    QVERIFY(app.start());
    graph = app.graph.get();
    // A silent recorder is given up on sooner than the ten seconds of a real one.
    graph->telnet.loginTimeoutMs = 1500;

    // The address form: seven taps on the title.
    for (int n = 0; n < 7; ++n)
        QVERIFY(app.click(item("loginTitle")));
    QTRY_VERIFY(item("loginold")->isVisible());
    logInAndOut();
    settingsAfterLogin = fileBytes(DataSettings::fileName());
    QVERIFY(settingsAfterLogin.contains(netenv::recorderAddress(0).toUtf8()));
}

void TstLoginFaults::logInThroughWindow()
{
    item("address")->setProperty("text", netenv::recorderAddress(0));
    item("password")->setProperty("text", unit->recorder.password);
    QVERIFY(app.click(item("loginButton")));
}

// A new login to the recorder, behaving well, reaches the main window; the
// logout brings the login screen back.
void TstLoginFaults::logInAndOut()
{
    logInThroughWindow();
    QTRY_VERIFY_WITH_TIMEOUT(!loginScreenShown() && graph->comm.getLoginComp(), 8000);
    QVERIFY(!overlayShown());
    graph->comm.logoutRequest();
    QTRY_VERIFY(loginScreenShown());
    QTRY_COMPARE(graph->comm.getLoginState(), 0);
}

void TstLoginFaults::recorderFault_data()
{
    QTest::addColumn<Behaviour>("behaviour");
    QTest::addColumn<AfterLogin>("afterLogin");
    QTest::addColumn<bool>("loggedIn"); // where the fault leaves the window

    QTest::newRow("drops on connect") << Behaviour::DropOnConnect << AfterLogin::Nothing << false;
    QTest::newRow("drops after the prompt") << Behaviour::DropAfterPrompt << AfterLogin::Nothing << false;
    QTest::newRow("drops on the password") << Behaviour::DropOnPassword << AfterLogin::Nothing << false;
    QTest::newRow("drops on the model query") << Behaviour::DropOnModelQuery << AfterLogin::Nothing << false;
    QTest::newRow("drops after the model answer") << Behaviour::DropAfterLogin << AfterLogin::Nothing << false;
    QTest::newRow("silent") << Behaviour::Silent << AfterLogin::Nothing << false;
    QTest::newRow("silent after the prompt") << Behaviour::StopAfterPrompt << AfterLogin::Nothing << false;
    QTest::newRow("garbage") << Behaviour::Garbage << AfterLogin::Nothing << false;
    // The dialogue's answers are told by how a received piece begins: one
    // split into single bytes is never recognised, and the login times out.
    QTest::newRow("byte by byte from the start") << Behaviour::Normal << AfterLogin::SplitBytesFromStart << false;
    QTest::newRow("floods unrequested lines") << Behaviour::Normal << AfterLogin::Flood << true;
    QTest::newRow("a line of megabytes") << Behaviour::Normal << AfterLogin::MegabyteLine << true;
    QTest::newRow("byte by byte once logged in") << Behaviour::Normal << AfterLogin::SplitBytes << true;
}

void TstLoginFaults::recorderFault()
{
    QFETCH(Behaviour, behaviour);
    QFETCH(AfterLogin, afterLogin);
    QFETCH(bool, loggedIn);
    sim::SimRecorder& recorder = unit->recorder;
    recorder.behaviour = behaviour;
    recorder.splitBytes = afterLogin == AfterLogin::SplitBytesFromStart;
    logInThroughWindow();

    if (loggedIn) {
        QTRY_VERIFY_WITH_TIMEOUT(!loginScreenShown() && graph->comm.getLoginComp(), 8000);
        switch (afterLogin) {
        case AfterLogin::Flood:
            for (int i = 0; i < 20000; ++i)
                recorder.sendLineToLoggedIn(i % 2 ? QStringLiteral("0D011") : QStringLiteral("0FF6AZZ%1").arg(i));
            break;
        case AfterLogin::MegabyteLine:
            recorder.sendToAll("0" + QByteArray(4 * 1024 * 1024, 'D') + "\r\n0D011\r\n");
            break;
        case AfterLogin::SplitBytes:
            recorder.splitBytes = true;
            break;
        default:
            break;
        }
        // Still logged in, and following the recorder.
        unit->services.state->setStatus(sim::RecorderState::Playing);
        QTRY_COMPARE_WITH_TIMEOUT(graph->comm.getStatusIcon(), 17, 10000);
        QVERIFY(!loginScreenShown());
        recorder.splitBytes = false;
        unit->services.state->setStatus(sim::RecorderState::Stopped);
        graph->comm.logoutRequest();
    }
    // The attempt and its retries end in the login screen, with nothing over it.
    QTRY_VERIFY_WITH_TIMEOUT(loginScreenShown() && graph->comm.getLoginState() == 0, 15000);
    QVERIFY(!overlayShown());
    QVERIFY(!graph->comm.getLoginComp());
    QVERIFY(!graph->permission.okPermission());

    recorder.behaviour = Behaviour::Normal;
    recorder.splitBytes = false;
    recorder.disconnectAll();
    logInAndOut();
    QCOMPARE(fileBytes(DataSettings::fileName()), settingsAfterLogin);
}

void TstLoginFaults::linkDrop_data()
{
    QTest::addColumn<QString>("command"); // the walk's requests begin so
    QTest::addColumn<int>("step");        // the link drops when the step-th one arrives
    QTest::addColumn<QString>("tab");     // the screen whose edit right starts the walk; "" the login

    QTest::newRow("settings menu, page count") << "07F6A7A10" << 1 << "";
    QTest::newRow("browse listing, folder info") << "07F6B10" << 1 << "tabBrowseButton";
    QTest::newRow("browse listing, a file") << "07F6B21" << 2 << "tabBrowseButton";
    QTest::newRow("playlist walk, the files") << "07F4505" << 1 << "tabPlaylistButton";
    QTest::newRow("playlist walk, the entries") << "07F4510" << 2 << "tabPlaylistButton";
    QTest::newRow("timer-event walk, the list") << "07F475D" << 1 << "tabTimerEventButton";
    QTest::newRow("timer-event walk, a record") << "07F4757" << 5 << "tabTimerEventButton";
}

// The link drops in the middle of a walk: from that request on, the recorder
// drops every command, retries included, until the window has given up.
void TstLoginFaults::linkDrop()
{
    QFETCH(QString, command);
    QFETCH(int, step);
    QFETCH(QString, tab);
    sim::SimRecorder& recorder = unit->recorder;
    int seen = 0;
    QObject drop; // the watch ends with the row
    connect(&recorder, &sim::SimRecorder::lineReceived, &drop, [&](int, const QString& line) {
        if (line.startsWith(command) && ++seen == step)
            recorder.behaviour = Behaviour::DropOnModelQuery;
    });
    logInThroughWindow();
    if (!tab.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT((!loginScreenShown() && graph->comm.getLoginComp()) || seen >= step, 8000);
        if (seen < step)
            QVERIFY(app.click(item(tab.toLatin1())));
    }
    QTRY_VERIFY_WITH_TIMEOUT(seen >= step, 8000);
    QTRY_VERIFY_WITH_TIMEOUT(loginScreenShown() && graph->comm.getLoginState() == 0, 15000);
    QVERIFY(!overlayShown());
    QVERIFY(!graph->permission.okPermission() && !graph->pl.execCommand());
    QVERIFY(graph->browse.getDialogString().isEmpty() && !graph->browse.listing());

    recorder.behaviour = Behaviour::Normal;
    logInAndOut();
    QCOMPARE(fileBytes(DataSettings::fileName()), settingsAfterLogin);
}

// Hundreds of recorders answer the probe at once, from as many addresses: the
// list stays bounded (512 rows), the real recorder stays on it and can be
// logged in to.
void TstLoginFaults::discoveryFlood()
{
    QTRY_VERIFY(graph->udpc.isDiscoveryRunning());
    QHostAddress to;
    quint16 port = 0;
    const auto seen = connect(&unit->services.discovery, &sim::DiscoveryAnswerer::probeAnswered, this,
                              [&](const QHostAddress& from, quint16 replyPort) {
                                  to = from;
                                  port = replyPort;
                              });
    QTRY_VERIFY_WITH_TIMEOUT(port != 0, 5000);
    disconnect(seen);

    for (int i = 0; i < 600; ++i) {
        QUdpSocket socket;
        QVERIFY(socket.bind(QHostAddress(quint32(0x7f000100 + i)), 0));
        const QByteArray answer = QStringLiteral("KZ470\nKZ-470MX\nFlood %1\n00:1b:47:01:%2:%3\nSD1\n1\n0\n")
                                      .arg(i)
                                      .arg(i / 256, 2, 16, QLatin1Char('0'))
                                      .arg(i % 256, 2, 16, QLatin1Char('0'))
                                      .toUtf8();
        socket.writeDatagram(answer, to, port);
        if (i % 50 == 49)
            QTest::qWait(20); // more at once would only overflow the receive buffer
    }
    // The rows as the login screen gets them.
    const auto listed = [this](const QString& mac) {
        graph->udpc.refreshList();
        const auto rows = app.engine->rootContext()->contextProperty("loginModel").value<QList<QObject*>>();
        for (QObject* row : rows) {
            if (qobject_cast<UdpMachineList*>(row)->macaddr() == mac)
                return int(rows.size());
        }
        return 0;
    };
    QTRY_COMPARE_WITH_TIMEOUT(listed(QStringLiteral("00:1B:47:00:00:11")), 512, 5000);
    QVERIFY(loginScreenShown() && !overlayShown());
    logInAndOut();
}

QTEST_MAIN(TstLoginFaults)

#include "tst_loginfaults.moc"
