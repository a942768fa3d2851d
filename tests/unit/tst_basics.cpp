// Number fields, the settings file and the font choice.
#include <QFile>
#include <QFont>
#include <QLocale>
#include <QSettings>
#include <QtTest>

#include "datasettings.h"
#include "objectgraph.h"
#include "replyfields.h"
#include "telnet.h"

class TestBasics : public QObject
{
    Q_OBJECT
private slots:
    void numberField_data();
    void numberField();
    void readingNumberFields_data();
    void readingNumberFields();
    void settingsRoundTrip();
    void multiFont();
};

void TestBasics::numberField_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("field"); // "yyyy": refused, the command left as it was
    QTest::newRow("123") << 123 << QByteArray("2301");
    QTest::newRow("0") << 0 << QByteArray("0000");
    QTest::newRow("5") << 5 << QByteArray("0500");
    QTest::newRow("105") << 105 << QByteArray("0501");
    QTest::newRow("1200") << 1200 << QByteArray("0012");
    QTest::newRow("9999") << 9999 << QByteArray("9999");
    for (int value : { 10000, 12345, -1, -9999 })
        QTest::newRow(qPrintable(QString::number(value))) << value << QByteArray("yyyy");
}

void TestBasics::numberField()
{
    QFETCH(int, value);
    QFETCH(QByteArray, field);
    char command[] = "07F6B11xxyyyy\r\n";
    const bool fits = field != "yyyy";
    QCOMPARE(setCommandNumberField(command + 9, value), fits);
    QCOMPARE(QByteArray(command), QByteArray("07F6B11xx") + field + "\r\n");
    // Reading the field back gives the value again.
    if (fits)
        QCOMPARE(replyfields::numberField(QString::fromLatin1(command), 9), value);
    QVERIFY(!setCommandNumberField(nullptr, value));
}

void TestBasics::readingNumberFields_data()
{
    // Replies are read leniently: a missing or non-numeric pair counts as 0.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("value");
    QTest::newRow("at start") << "2301" << 0 << 123;
    QTest::newRow("inside") << "FF03DD0500xx" << 6 << 5;
    QTest::newRow("high pair missing") << "23" << 0 << 23;
    QTest::newRow("past end") << "2301" << 4 << 0;
    QTest::newRow("high pair not digits") << "23a1" << 0 << 23;
    QTest::newRow("empty") << "" << 0 << 0;
}

void TestBasics::readingNumberFields()
{
    QFETCH(QString, text);
    QFETCH(int, pos);
    QFETCH(int, value);
    QCOMPARE(replyfields::numberField(text, pos), value);
}

void TestBasics::settingsRoundTrip()
{
    QFile::remove(DataSettings::fileName());
    DataSettings settings;
    QCOMPARE(settings.getValue("Login", "Address"), QString());
    const QString password = QString::fromUtf8("pässwörd-日本");
    settings.setValue("Login", "ps", password);
    settings.setValue("Login", "Address", "10.47.0.11");
    QCOMPARE(settings.getValue("Login", "ps"), password);
    QCOMPARE(settings.getValue("Login", "Address"), QStringLiteral("10.47.0.11"));
    QCOMPARE(settings.getValue("Login", "missing"), QString());
    QCOMPARE(settings.getValue("Nothing", "here"), QString());

    // Stored as UTF-8 text in the ini file, in the organisation's folder.
    QVERIFY(DataSettings::fileName().endsWith("KELDAR/KZ470Control.ini"));
    QFile file(DataSettings::fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(password.toUtf8()));
    // It holds passwords: for the owner's eyes only.
    const QFileDevice::Permissions p = file.permissions();
    QVERIFY(p & QFileDevice::ReadOwner);
    QVERIFY(!(p & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther)));
}

void TestBasics::multiFont()
{
    const QVariant japanese = multiFontFor(QLocale(QLocale::Japanese, QLocale::Japan));
    QCOMPARE(japanese.userType(), int(QMetaType::QString));
    QCOMPARE(japanese.toString(), QStringLiteral("Meiryo UI"));
    for (QLocale::Language language : { QLocale::English, QLocale::German, QLocale::Chinese, QLocale::C }) {
        const QVariant other = multiFontFor(QLocale(language));
        QCOMPARE(other.userType(), int(QMetaType::QFont));
        QCOMPARE(other.value<QFont>().family(), QStringLiteral("Arial"));
    }
}

QTEST_MAIN(TestBasics)
#include "tst_basics.moc"
