#pragma once

#include <QString>

// Readers for the fields of reply lines. Every reader accepts any text: a
// field that is missing or not a number reads as 0.
namespace replyfields {

inline int decimal(const QString& text)
{
    return text.toInt(nullptr, 10);
}

inline int hex(const QString& text)
{
    return text.toInt(nullptr, 16);
}

// Two characters compared with "00": anything else (a short field too) is on.
inline bool flag(const QString& data)
{
    return data.left(2) != QLatin1String("00");
}

// The 4-digit number field at pos: the low pair first, then the high pair.
inline int numberField(const QString& data, int pos)
{
    return decimal(data.mid(pos + 2, 2)) * 100 + decimal(data.mid(pos, 2));
}

// Hours, minutes, seconds and hundredths as a time in frames.
inline int frames(const QString& h, const QString& m, const QString& s, const QString& f)
{
    return decimal(h) * 360000 + decimal(m) * 6000 + decimal(s) * 100 + decimal(f);
}

// Decimal text right-justified to two characters; longer texts stay whole.
inline QString pad2(int value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace replyfields
