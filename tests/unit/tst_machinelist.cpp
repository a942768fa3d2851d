// The recorder list's rows as parsed from discovery answers, and the
// published interface of the discovery objects. No socket is opened here.
#include <QtTest>

#include "datasettings.h"
#include "udpmachinelist.h"
#include "udppowercontrol.h"

class tst_MachineList : public QObject
{
    Q_OBJECT
private slots:
    void init() { QFile::remove(DataSettings::fileName()); }
    void answerParsing_data();
    void answerParsing();
    void settersNotifyOnlyOnChange();
};

void tst_MachineList::answerParsing_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("cmedia");
    QTest::addColumn<int>("powerstate");
    QTest::addColumn<int>("cmediaicon");
    QTest::addColumn<int>("transporticon");

    auto answer = [](const char* nick, const char* media, const char* power, const char* transport) {
        return QByteArray("anything\nKZ-470MX\n") + nick + "\n00:1B:47:00:00:01\n" + media + '\n' + power + '\n'
            + transport;
    };
    QTest::newRow("empty MAC address is not listed")
        << answer("Stage", "SD1", "1", "0").replace("00:1B:47:00:00:01", "") << -1 << "" << "" << 0 << 0 << 0;
    QTest::newRow("six fields are not listed") << QByteArray("a\nb\nc\nd\ne\nf") << -1 << "" << "" << 0 << 0 << 0;
    QTest::newRow("seven fields, stop on SD") << answer("Stage", "SD1", "1", "0") << 0 << "Stage" << "SD1" << 1 << 2 << 1;
    QTest::newRow("further fields ignored") << answer("Stage", "USB", "1", "1") + "\nmore\nand more" << 0 << "Stage"
                                            << "USB" << 1 << 1 << 2;
    QTest::newRow("nickname of 20 cut to 16") << answer("ABCDEFGHIJKLMNOPQRST", "SD2", "1", "2") << 0
                                              << "ABCDEFGHIJKLMNOP" << "SD2" << 1 << 2 << 4;
    QTest::newRow("nickname cut keeps whole characters") << answer("ABCDEFGHIJKLMNO\xF0\x9F\x8E\xB5", "SD1", "1", "0")
                                                         << 0 << "ABCDEFGHIJKLMNO" << "SD1" << 1 << 2 << 1;
    QTest::newRow("CD-DA shows as CD") << answer("S", "CD-DA", "1", "3") << 0 << "S" << "CD" << 1 << 3 << 3;
    QTest::newRow("mixed case sd kept as received") << answer("S", "Sd2", "1", "4") << 0 << "S" << "Sd2" << 1 << 2 << 3;
    QTest::newRow("sd not at the start") << answer("S", "xsd", "1", "5") << 0 << "S" << "xsd" << 1 << 0 << 2;
    QTest::newRow("usb must be exact") << answer("S", "usb2", "1", "7") << 0 << "S" << "usb2" << 1 << 0 << 0;
    QTest::newRow("transport 15 has no icon") << answer("S", "SD1", "1", "15") << 0 << "S" << "SD1" << 1 << 2 << 0;
    QTest::newRow("negative transport plays") << answer("S", "SD1", "1", "-3") << 0 << "S" << "SD1" << 1 << 2 << 2;
    QTest::newRow("power 0 is standby") << answer("S", "SD1", "0", "1") << 0 << "S" << "" << 0 << 0 << 0;
    QTest::newRow("power 2 is standby") << answer("S", "SD1", "2", "1") << 0 << "S" << "" << 0 << 0 << 0;
    QTest::newRow("negative power is standby") << answer("S", "USB", "-1", "1") << 0 << "S" << "" << 0 << 0 << 0;
    QTest::newRow("power not a number is standby") << answer("S", "USB", "on", "1") << 0 << "S" << "" << 0 << 0 << 0;
    QTest::newRow("text ends at NUL") << answer("Stage", "SD1", "1", "0").replace("Stage", QByteArray("Sta\0ge", 6))
                                      << -1 << "" << "" << 0 << 0 << 0;
}

void tst_MachineList::answerParsing()
{
    QFETCH(QByteArray, datagram);
    const UdpMachineList row(datagram, QHostAddress(QStringLiteral("10.47.0.11")));
    QTEST(row.count(), "count");
    QTEST(row.nickname(), "nickname");
    QTEST(row.cmedia(), "cmedia");
    QTEST(row.powerstate(), "powerstate");
    QTEST(row.cmediaicon(), "cmediaicon");
    QTEST(row.transporticon(), "transporticon");
    if (row.count() == 0) {
        QCOMPARE(row.modelname(), QStringLiteral("KZ-470MX"));
        QCOMPARE(row.macaddr(), QStringLiteral("00:1B:47:00:00:01"));
        QCOMPARE(row.ipaddr(), QStringLiteral("10.47.0.11"));
    }
}

// QML writes the properties; a write of the value already held must not
// notify (the login screen's bindings would loop).
void tst_MachineList::settersNotifyOnlyOnChange()
{
    UdpMachineList row { QByteArray(), QHostAddress() };
    UdpPowerControl udpc;
    for (QObject* object : { static_cast<QObject*>(&row), static_cast<QObject*>(&udpc) }) {
        const QMetaObject* meta = object->metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            QVERIFY2(p.isWritable() && p.hasNotifySignal(), p.name());
            const QVariant value = p.type() == QVariant::Bool ? QVariant(true)
                : p.type() == QVariant::Int                   ? QVariant(42)
                                                              : QVariant(QStringLiteral("x"));
            QSignalSpy spy(object, p.notifySignal().methodSignature().prepend('2').constData());
            QVERIFY(p.write(object, value));
            QVERIFY(p.write(object, value));
            QVERIFY2(spy.count() == 1, p.name());
            QCOMPARE(p.read(object), value);
        }
    }
}

QTEST_GUILESS_MAIN(tst_MachineList)
#include "tst_machinelist.moc"
