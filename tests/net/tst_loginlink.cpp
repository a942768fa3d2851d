// The link's life against simulated recorders: what a login writes and in
// which order, the delayed switch to the main screens, the retries against a
// refused port, logout, a link lost within the switch delay, a refused
// password and a recorder that drops the link.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "modelrig.h"
#include "netenv.h"
#include "signalorder.h"
#include "simlink.h"

class TestLoginLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void loginWritesInOrderAndCompletesLater();
    void retriesAgainstRefusedPort();
    void logoutEndsForGood();
    void failureWithinSwitchDelayKeepsLoginScreen();
    void refusedPasswordEndsLinkOnce();
    void recorderClosingTheLinkIsRejoinedAtOnce();
};

namespace {

QList<int> states(const QSignalSpy& spy)
{
    QList<int> out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toInt();
    return out;
}

} // namespace

void TestLoginLink::loginWritesInOrderAndCompletesLater()
{
    auto recorder = simlink::startRecorder(0);
    QVERIFY(recorder);
    ObjectGraph app;
    QSignalSpy comp(&app.comm, &Communication::loginCompChanged);
    QElapsedTimer sinceLogin;
    bool compReadDirectly = false;
    connect(&app.comm, &Communication::loginStateChanged, this, [&](int state) {
        if (state == 2) {
            sinceLogin.start();
            QTimer::singleShot(0, this, [&] { compReadDirectly = app.comm.getLoginComp(); });
        }
    });

    const QString address = recorder->address().toString();
    app.comm.loginRequest(address, recorder->password);
    QVERIFY(comp.wait(3000));
    const qint64 delay = sinceLogin.elapsed();
    QVERIFY2(delay >= 795 && delay < 1500, qPrintable(QString::number(delay)));
    QCOMPARE(comp.at(0).at(0).toBool(), true);
    QVERIFY(compReadDirectly); // already true for direct reads before the signal

    QStringList expected { "", recorder->password, "07F6A64" };
    expected << fullRefreshLines() << "07F6A7A10" << "07F6A7D" << "07F6A7EFF" << "07F475600";
    QCOMPARE(recorder->receivedLines().mid(0, expected.size()), expected);

    DataSettings settings;
    QCOMPARE(settings.getValue("Login", "Address"), address);
    QCOMPARE(settings.getValue("Login", "ps"), recorder->password);
    QCOMPARE(app.comm.getModel(), 0);
}

void TestLoginLink::retriesAgainstRefusedPort()
{
    ObjectGraph app;
    QSignalSpy state(&app.comm, &Communication::loginStateChanged);
    QSignalSpy comp(&app.comm, &Communication::loginCompChanged);
    app.comm.loginRequest(netenv::recorderAddress(1), QStringLiteral("1234")); // nobody listens there
    QTRY_COMPARE_WITH_TIMEOUT(states(state), (QList<int> { 1, 3, 4, 0 }), 5000);
    QTest::qWait(900);
    QCOMPARE(states(state), (QList<int> { 1, 3, 4, 0 }));
    QVERIFY(!app.comm.getLoginComp());
    for (const QList<QVariant>& args : comp)
        QVERIFY(!args.at(0).toBool());
}

void TestLoginLink::logoutEndsForGood()
{
    auto recorder = simlink::startRecorder(2);
    QVERIFY(recorder);
    ObjectGraph app;
    QVERIFY(simlink::logIn(app, *recorder));
    QTRY_COMPARE(app.comm.getStatusIcon(), 16);

    QSignalSpy opened(recorder.get(), &sim::SimRecorder::connectionOpened);
    QSignalSpy closed(recorder.get(), &sim::SimRecorder::connectionClosed);
    SignalOrder order(app.comm);
    app.comm.logoutRequest();
    QCOMPARE(order.entries, (QStringList { "loginState 4", "loginComp false", "statusIcon 0", "currentMedia \"\"",
                                           "loginState 0" }));
    QVERIFY(closed.wait(2000));
    QTest::qWait(700);
    QCOMPARE(opened.count(), 0); // no reconnection
    QCOMPARE(app.comm.getLoginState(), 0);
}

void TestLoginLink::failureWithinSwitchDelayKeepsLoginScreen()
{
    auto recorder = simlink::startRecorder(3);
    QVERIFY(recorder);
    ObjectGraph app;
    QSignalSpy state(&app.comm, &Communication::loginStateChanged);
    QSignalSpy comp(&app.comm, &Communication::loginCompChanged);
    // The recorder goes away right after the login succeeded.
    connect(&app.comm, &Communication::loginStateChanged, recorder.get(), [&](int s) {
        if (s == 2)
            recorder->stop();
    });
    app.comm.loginRequest(recorder->address().toString(), recorder->password);
    QTRY_COMPARE_WITH_TIMEOUT(states(state), (QList<int> { 1, 2, 3, 4, 0 }), 5000);
    QTest::qWait(1000);
    QVERIFY(!app.comm.getLoginComp());
    for (const QList<QVariant>& args : comp)
        QVERIFY(!args.at(0).toBool());
    QCOMPARE(app.comm.timePollTimerId, 0);
}

void TestLoginLink::refusedPasswordEndsLinkOnce()
{
    auto recorder = simlink::startRecorder(4);
    QVERIFY(recorder);
    ObjectGraph app;
    QSignalSpy state(&app.comm, &Communication::loginStateChanged);
    QSignalSpy popups(&app.comm, &Communication::popupReceived);
    QSignalSpy closed(recorder.get(), &sim::SimRecorder::connectionClosed);
    // A recorder that prompts again at once after refusing.
    connect(recorder.get(), &sim::SimRecorder::lineReceived, this, [&](int id, const QString& line) {
        if (line == QLatin1String("wrong"))
            QTimer::singleShot(20, recorder.get(), [&recorder, id] {
                if (sim::SimConnection* c = recorder->connection(id))
                    c->sendLine(QStringLiteral("Enter Password"));
            });
    });

    app.comm.loginRequest(recorder->address().toString(), QStringLiteral("wrong"));
    QVERIFY(closed.wait(3000));
    QTest::qWait(300);
    QCOMPARE(recorder->receivedLines(), (QStringList { "", "wrong" }));
    QCOMPARE(popups.count(), 1);
    QCOMPARE(popups.at(0).at(0).toInt(), 100);
    QCOMPARE(states(state), (QList<int> { 1, 4, 0 }));
}

QTEST_GUILESS_MAIN(TestLoginLink)
#include "tst_loginlink.moc"

void TestLoginLink::recorderClosingTheLinkIsRejoinedAtOnce()
{
    auto recorder = simlink::startRecorder(5);
    QVERIFY(recorder);
    ObjectGraph app;
    app.comm.loginRequest(recorder->address().toString(), recorder->password);
    QTRY_VERIFY_WITH_TIMEOUT(app.comm.getLoginComp(), 5000);
    QSignalSpy state(&app.comm, &Communication::loginStateChanged);
    recorder->disconnectAll();
    // The fast retry (500 ms) gets through: no fall-back to the last retry.
    QTRY_COMPARE_WITH_TIMEOUT(states(state), (QList<int> { 3, 2 }), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(app.comm.getLoginComp(), 3000);
}
