#include "timereventcodec.h"

#include <QStringList>

namespace timereventcodec {

namespace {

const QStringList& inputLabels()
{
    static const QStringList labels = { QStringLiteral("ANALOG(UNBAL.)"), QStringLiteral("ANALOG(BAL.)"),
                                        QStringLiteral("DIGITAL(COAX.)"), QStringLiteral("DIGITAL(XLR)"),
                                        QStringLiteral("DIGITAL(Dante)") };
    return labels;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The two characters of text at pos when both are decimal digits, else "00".
QString digits(const QString& text, int pos)
{
    const QString pair = text.mid(pos, 2);
    return pair.size() == 2 && isDigit(pair.at(0)) && isDigit(pair.at(1)) ? pair : QStringLiteral("00");
}

QString twoDigits(int value)
{
    return value >= 0 && value <= 99 ? QString::number(value).rightJustified(2, QLatin1Char('0'))
                                     : QStringLiteral("00");
}

const char weekLetters[] = "SMTWTFS";

} // namespace

const QString& everyDay()
{
    static const QString text = QStringLiteral("EVERY DAY");
    return text;
}

QString recordInputLabel(int code)
{
    return inputLabels().value(code);
}

int recordInputCode(const QString& label)
{
    return qMax(0, inputLabels().indexOf(label));
}

bool isWeek(const QString& date)
{
    return date.startsWith(QLatin1Char('S')) || date.startsWith(QLatin1Char('_'));
}

bool writesOption(int eventType)
{
    return eventType != 2 && eventType != 3;
}

QByteArray encodeBlock(const TimerEventFields& e)
{
    QString block = e.enable ? QStringLiteral("01") : QStringLiteral("00");
    block += twoDigits(e.eventType);
    if (e.date == everyDay()) {
        block += QStringLiteral("00000000");
    } else if (isWeek(e.date)) {
        int week = e.date.startsWith(QLatin1Char('S')) ? 0x81 : 0x80;
        for (int day = 1; day < 7; ++day) {
            if (e.date.mid(day, 1) != QLatin1String("_"))
                week |= 1 << day;
        }
        block += QStringLiteral("000000") + QString::number(week, 16);
    } else {
        block += digits(e.date, 2) + digits(e.date, 5) + digits(e.date, 8) + QStringLiteral("00");
    }
    block += digits(e.time, 0) + digits(e.time, 3) + digits(e.time, 6);
    block += e.eventType == 2 ? twoDigits(recordInputCode(e.option)) : QStringLiteral("00");
    block += twoDigits(e.timeMode);
    block += digits(e.repeatIntervalTime, 0) + digits(e.repeatIntervalTime, 3);
    block += twoDigits(e.repeatEventCount == 100 ? 0 : e.repeatEventCount);
    return block.toLatin1();
}

TimerEventFields decodeRecord(const QString& record)
{
    TimerEventFields e;
    e.enable = digits(record, 0) != QLatin1String("00");
    e.eventType = digits(record, 2).toInt();
    bool hexOk = false;
    const int week = record.mid(10, 2).toInt(&hexOk, 16);
    if (hexOk && (week & 0x80)) {
        for (int day = 0; day < 7; ++day)
            e.date += week & (1 << day) ? QLatin1Char(weekLetters[day]) : QLatin1Char('_');
    } else if (digits(record, 8) == QLatin1String("00")) {
        e.date = everyDay();
    } else {
        e.date = QStringLiteral("20%1/%2/%3").arg(digits(record, 4), digits(record, 6), digits(record, 8));
    }
    e.time = QStringLiteral("%1:%2:%3").arg(digits(record, 12), digits(record, 14), digits(record, 16));
    e.timeMode = digits(record, 20).toInt();
    e.repeatIntervalTime = QStringLiteral("%1:%2").arg(digits(record, 22), digits(record, 24));
    e.repeatEventCount = digits(record, 26).toInt();
    if (e.repeatEventCount == 0)
        e.repeatEventCount = 100;
    e.option = e.eventType == 2 ? recordInputLabel(digits(record, 18).toInt()) : record.mid(blockSize);
    return e;
}

QByteArray optionBytes(const QString& option)
{
    QString text;
    text.reserve(option.size());
    for (QChar c : option) {
        if (c.unicode() >= 0x20)
            text += c;
    }
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > maxOptionBytes) {
        bytes.truncate(maxOptionBytes + 1);
        while (!bytes.isEmpty() && (quint8(bytes.back()) & 0xC0) == 0x80)
            bytes.chop(1);
        bytes.chop(1);
    }
    return bytes;
}

} // namespace timereventcodec
