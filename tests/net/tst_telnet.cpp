// The command channel against a simulated recorder: login dialogue, framing,
// text decoding, a new link and flow control. (A refused password and silent
// recorders are seen through the application's link and window.)
#include <QtTest>

#include <chrono>
#include <numeric>
#include <thread>

#include "netenv.h"
#include "simrecorder.h"
#include "telnet.h"
#include "wirecapture.h"

using sim::SimRecorder;

class TestTelnet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init();
    void cleanup();

    void loginDialogue_data();
    void loginDialogue();
    void framing_data();
    void framing();
    void reconnectAbortsOldLink();
    void commandsDuringLoginAreDropped();
    void flowControlQueues();
    void flowControlOnTheWire_data();
    void flowControlOnTheWire();

private:
    bool login(Telnet& telnet);

    SimRecorder* recorder = nullptr;
    SimRecorder* second = nullptr;
};

void TestTelnet::init()
{
    recorder = new SimRecorder(QHostAddress(netenv::recorderAddress(0)), this);
    recorder->password = QStringLiteral("pass");
    QString error;
    QVERIFY2(recorder->start(&error), qPrintable(error));
}

void TestTelnet::cleanup()
{
    delete recorder;
    recorder = nullptr;
    delete second;
    second = nullptr;
}

bool TestTelnet::login(Telnet& telnet)
{
    QSignalSpy connected(&telnet, &Telnet::connectedToServer);
    telnet.connectToServer(recorder->address().toString(), recorder->password, false);
    return connected.wait(3000) && recorder->connections().size() >= 1;
}

// The login dialogue: the empty first line, the password, the model query
// (unless skipped, for this login only); the model the answer names, or a
// failure when it names none; a refused password, reported once.
void TestTelnet::loginDialogue_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("modelAnswer"); // the recorder's own when empty
    QTest::addColumn<int>("model");               // -1: the login fails, -2: the password is refused
    QTest::addColumn<QStringList>("framed");
    QTest::addColumn<bool>("skip");

    const QStringList own;
    QTest::newRow("KZ-470MX") << "pass" << own << 0 << QStringList() << false;
    QTest::newRow("model query skipped") << "pass" << QStringList { "0FF6AE401" } << 0 << QStringList() << true;
    QTest::newRow("model 02") << "pass" << QStringList { "0FF6AE402" } << -1 << QStringList() << false;
    QTest::newRow("refusal") << "pass" << QStringList { "0F2" } << -1 << QStringList() << false;
    QTest::newRow("wrong password") << "wrong" << own << -2 << QStringList() << false;
    QTest::newRow("a notice before the answer is framed")
        << "pass" << QStringList { "0D011", "0FF6AE401" } << 1 << QStringList { "D011" } << false;
    // The line breaks and NUL are removed, so the text stays one password line.
    QTest::newRow("password cannot make lines") << QString::fromLatin1("ab\r\n07F1141\0cd", 14) << own << 0
                                                << QStringList() << false;
}

void TestTelnet::loginDialogue()
{
    QFETCH(QString, password);
    QFETCH(QStringList, modelAnswer);
    QFETCH(int, model);
    QFETCH(bool, skip);
    const QString sent = QString(password).remove(QRegularExpression(QStringLiteral("[\r\n\0]")));
    recorder->password = model == -2 ? QStringLiteral("pass") : sent;
    if (!modelAnswer.isEmpty())
        recorder->setReply("07F6A64", modelAnswer);
    Telnet telnet;
    telnet.skipModelQuery = skip;
    telnet.loginTimeoutMs = 250; // a refusal ends the dialogue: no time-out follows it
    QSignalSpy connected(&telnet, &Telnet::connectedToServer);
    QSignalSpy failed(&telnet, &Telnet::errorConnectedToServer);
    QSignalSpy refused(&telnet, &Telnet::passwordFailed);
    QSignalSpy lines(&telnet, &Telnet::readyRead);
    telnet.connectToServer(recorder->address().toString(), password, false);
    QVERIFY((model == -2 ? refused : model < 0 ? failed : connected).wait(3000));
    QCOMPARE(recorder->receivedLines(), QStringList({ "", sent, "07F6A64" }).mid(0, skip || model == -2 ? 2 : 3));
    QVERIFY(!telnet.skipModelQuery); // the next login asks again
    QStringList framed;
    for (const auto& args : lines)
        framed << args.at(0).toString();
    QTEST(framed, "framed");
    QTest::qWait(300); // neither a time-out after a login nor a second report
    QCOMPARE(connected.size(), model < 0 ? 0 : 1);
    QCOMPARE(failed.size(), model == -1 ? 1 : 0);
    QCOMPARE(refused.size(), model == -2 ? 1 : 0);
    if (model >= 0)
        QCOMPARE(connected.at(0).at(0).toInt(), model);
    else if (model == -1)
        QCOMPARE(telnet.socketState(), QAbstractSocket::UnconnectedState);
}

void TestTelnet::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("line cut between chunks")
        << QList<QByteArray> { "0D011\r\n0D5", "012\r\n" } << QStringList { "D011", "D5012" };
    QTest::newRow("bare CR LF yields nothing") << QList<QByteArray> { "\r\n" } << QStringList {};
    QTest::newRow("CR LF completes a pending line")
        << QList<QByteArray> { "0D0", "\r\n" } << QStringList { "D0" };
    QTest::newRow("text not starting with 0 is dropped")
        << QList<QByteArray> { "abc\r\n0D011\r\n" } << QStringList { "D011" };
    QTest::newRow("every CR removed") << QList<QByteArray> { "0D0\r\r\n" } << QStringList { "D0" };
    QTest::newRow("text after NUL ignored")
        << QList<QByteArray> { QByteArray("0D011\r\n\0" "0D5012\r\n", 15) } << QStringList { "D011" };
    // An empty chunk logs in again: the new link forgets the partial line.
    QTest::newRow("new link forgets a partial line")
        << QList<QByteArray> { "0D0", "", "11\r\n0D5002\r\n" } << QStringList { "D5002" };
    QTest::newRow("line without CR carried on")
        << QList<QByteArray> { "0D0\n", "11\r\n" } << QStringList { "D0\n11" };
    QTest::newRow("several lines in one chunk")
        << QList<QByteArray> { "0D010\r\n0DD005\r\n0D5002\r\n" } << QStringList { "D010", "DD005", "D5002" };
    // Cut inside the three-byte character 日 and inside Ü.
    const QByteArray name = QString::fromUtf8("0FF6BA0Ünïcödé 日本語\r\n").toUtf8();
    const int cutInCjk = name.indexOf("\xe6\x97\xa5") + 1;
    QTest::newRow("characters cut between chunks") << QList<QByteArray> { name.left(8), name.mid(8, cutInCjk - 8), name.mid(cutInCjk) }
                                                   << QStringList { QString::fromUtf8("FF6BA0Ünïcödé 日本語") };
    QTest::newRow("endless line dropped")
        << QList<QByteArray> { "0" + QByteArray(Telnet::maxPartialLine + 100, 'A'), QByteArray(5000, 'B'), "\r\n0D011\r\n" }
        << QStringList { "D011" };
}

void TestTelnet::framing()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, lines);
    Telnet telnet;
    QVERIFY(login(telnet));
    QSignalSpy received(&telnet, &Telnet::readyRead);
    // Each chunk its own segment, taken in before the next.
    for (const QByteArray& chunk : chunks) {
        if (chunk.isEmpty())
            QVERIFY(login(telnet));
        else
            recorder->sendToAll(chunk);
        QTest::qWait(40);
    }
    QStringList got;
    for (const auto& args : received)
        got << args.at(0).toString();
    // A line carried over a bare LF keeps no LF: it is joined with the next piece.
    for (QString& l : lines)
        l.remove(QLatin1Char('\n'));
    QCOMPARE(got, lines);
}

void TestTelnet::reconnectAbortsOldLink()
{
    second = new SimRecorder(QHostAddress(netenv::recorderAddress(1)), this);
    second->password = "other";
    second->model = 1;
    QVERIFY(second->start());
    Telnet telnet;
    QVERIFY(login(telnet));
    QSignalSpy closedFirst(recorder, &SimRecorder::connectionClosed);
    QSignalSpy connected(&telnet, &Telnet::connectedToServer);
    QSignalSpy failed(&telnet, &Telnet::errorConnectedToServer);
    telnet.connectToServer(second->address().toString(), "other", false);
    QVERIFY(connected.wait(3000));
    QCOMPARE(connected.at(0).at(0).toInt(), 1);
    QTRY_COMPARE(closedFirst.size(), 1);
    QCOMPARE(failed.size(), 0);
    // Commands now reach the second recorder only.
    recorder->clearLog();
    telnet.sendData("050\r\n");
    QTRY_VERIFY(second->receivedLines().contains("050"));
    QVERIFY(recorder->receivedLines().isEmpty());
}

void TestTelnet::commandsDuringLoginAreDropped()
{
    // A keep-alive that fires while the link is being made must not be taken
    // for the password.
    recorder->replyDelayMs = 200;
    Telnet telnet;
    QSignalSpy connected(&telnet, &Telnet::connectedToServer);
    QSignalSpy wrong(&telnet, &Telnet::passwordFailed);
    telnet.connectToServer(recorder->address().toString(), "pass", false);
    telnet.sendData("07F6A7E11\r\n"); // still connecting
    QSignalSpy opened(recorder, &SimRecorder::connectionOpened);
    QVERIFY(opened.wait(3000));
    QTest::qWait(50);
    telnet.sendData("07F6A7E11\r\n"); // connected, awaiting the prompt
    QVERIFY(connected.wait(3000));
    QCOMPARE(wrong.size(), 0);
    QCOMPARE(recorder->receivedLines(), QStringList({ "", "pass", "07F6A64" }));
    // Once logged in, commands go out.
    telnet.sendData("07F6A7E11\r\n");
    QTRY_COMPARE(recorder->receivedLines().last(), QStringLiteral("07F6A7E11"));
}

// Of 30 writes without an answer, eleven go out at once; the rest wait in
// order and go out eleven after each 1 ms pause, so the 12th and the 23rd
// follow a pause. A write never waits inside itself, and a later write never
// overtakes one that waits. A closed link forgets what waits.
void TestTelnet::flowControlQueues()
{
    Telnet telnet;
    QVERIFY(login(telnet));
    QTest::qWait(50); // nothing more arrives; the count starts from the last reply
    telnet.connectToServer(recorder->address().toString(), "pass", false);
    QSignalSpy connected(&telnet, &Telnet::connectedToServer);
    QVERIFY(connected.wait(3000));
    QTest::qWait(50);
    const int pausesBefore = telnet.pauseCount();
    QStringList made;
    for (int write = 1; write <= 30; ++write) {
        made << QStringLiteral("0AA%1").arg(write, 2, 10, QLatin1Char('0'));
        telnet.sendData(QByteArray(made.last().toLatin1() + "\r\n").constData());
        QCOMPARE(telnet.queuedWrites(), qMax(0, write - 11));
    }
    QCOMPARE(telnet.pauseCount(), pausesBefore);
    QTRY_COMPARE(recorder->receivedLines().filter("0AA"), made);
    QCOMPARE(telnet.pauseCount() - pausesBefore, 2);

    // An answer starts the count anew: eleven more go at once, the twelfth
    // waits, and the link closes before it goes.
    QSignalSpy answered(&telnet, &Telnet::readyRead);
    recorder->sendToAll("0D011\r\n");
    QVERIFY(answered.wait(3000));
    for (int write = 31; write <= 42; ++write)
        telnet.sendData("0AB\r\n");
    QCOMPARE(telnet.queuedWrites(), 1);
    const int oldLink = recorder->connections().last()->id();
    QSignalSpy oldLinkClosed(recorder, &SimRecorder::connectionClosed);
    telnet.close();
    QCOMPARE(telnet.queuedWrites(), 0);
    QVERIFY(oldLinkClosed.wait(3000));
    QVERIFY(login(telnet));
    QTest::qWait(50);
    // The eleven that had gone out reached the old link; the one that waited
    // went nowhere, and the new link carries the login alone.
    QCOMPARE(recorder->receivedLines(oldLink).filter("0AB").size(), 11);
    const int newLink = recorder->connections().last()->id();
    QVERIFY(newLink != oldLink);
    QCOMPARE(recorder->receivedLines(newLink), QStringList({ "", "pass", "07F6A64" }));
}

// Watched on the network, while the recorder says nothing but one line: no
// more than eleven writes reach it without its text or a pause of at least
// 1 ms between them (only a lower bound on time is checked), and the burst
// pauses exactly once, before its 12th write.
// - A burst of 22 writes made from a reply handler, with another timer due
//   and the thread kept busy for a few milliseconds right after it.
// - Writes made while that reply had already arrived but was not yet read:
//   the recorder gets them after its reply, so the reply answers none of them.
// - Writes of several lines each count once each.
void TestTelnet::flowControlOnTheWire_data()
{
    QTest::addColumn<QList<int>>("beforeRead"); // lines of each write made while the reply waits unread
    QTest::addColumn<QList<int>>("inHandler");  // lines of each write made by the reply's handler
    QTest::addColumn<int>("busyMs");            // the handler's work after them
    const QList<int> none;
    QTest::newRow("burst from a reply handler, a timer due") << none << QVector<int>(22, 1).toList() << 4;
    QTest::newRow("writes made while the reply waits unread")
        << QVector<int>(5, 1).toList() << QVector<int>(17, 1).toList() << 0;
    QTest::newRow("twelve writes of two lines") << none << QVector<int>(12, 2).toList() << 0;
}

void TestTelnet::flowControlOnTheWire()
{
    QFETCH(QList<int>, beforeRead);
    QFETCH(QList<int>, inHandler);
    QFETCH(int, busyMs);
    WireCapture capture;
    QString error;
    QVERIFY2(capture.start(&error), qPrintable(error));
    Telnet telnet;
    QList<QByteArray> writes;
    telnet.writeWatcher = [&writes](const QByteArray& w) { writes << w; };
    QVERIFY(login(telnet));
    QVERIFY(telnet.lowDelay());
    QTest::qWait(50);

    const auto busy = [](int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
    };
    QStringList made;
    const auto writeSome = [&](const QList<int>& writes) {
        for (int lines : writes) {
            QByteArray text;
            for (int i = 0; i < lines; ++i) {
                made << QStringLiteral("0AC%1").arg(made.size() + 1, 2, 10, QLatin1Char('0'));
                text += made.last().toLatin1() + "\r\n";
            }
            telnet.sendData(text.constData());
        }
    };
    auto handler = connect(&telnet, &Telnet::readyRead, &telnet, [&] {
        writeSome(inHandler);
        busy(busyMs);
    });
    const int pausesBefore = telnet.pauseCount();
    // The other timer is due by the time the reply is taken in: its turn
    // comes in the same pass of the event loop, after the reply's handler.
    QTimer::singleShot(1, &telnet, [] {});
    busy(2);
    recorder->sendToAll("0D011\r\n");
    writeSome(beforeRead);
    const int total = std::accumulate(beforeRead.begin(), beforeRead.end(), 0)
        + std::accumulate(inHandler.begin(), inHandler.end(), 0);
    QTRY_COMPARE(recorder->receivedLines().filter("0AC").size(), total);
    QCOMPARE(recorder->receivedLines().filter("0AC"), made);
    disconnect(handler);
    capture.stop();
    QCOMPARE(capture.drops(), 0u);

    QCOMPARE(capture.firstFlooding(11, 1000000, writes), QString());
    QCOMPARE(telnet.pauseCount() - pausesBefore, 1);
    QCOMPARE(writes.size(), 3 + beforeRead.size() + inHandler.size());
}

QTEST_GUILESS_MAIN(TestTelnet)
#include "tst_telnet.moc"
