// What only a real link shows of its life (the rest is checked without a
// network): the retries against a refused port, and a recorder that prompts
// again after refusing the password. (A dropped link is rejoined in the menu
// walk's test.)
#include <QSignalSpy>
#include <QtTest>

#include "netenv.h"
#include "simlink.h"

class TestLoginLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void retriesAgainstRefusedPort();
    void refusedPasswordEndsLinkOnce();
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
