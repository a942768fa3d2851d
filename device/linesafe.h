#pragma once

#include <QChar>
#include <QString>

// A text that goes into a protocol line as one field (a password): CR, LF and
// NUL removed, so that it can neither end the line early nor add lines of its
// own. The stored value is left as the user typed it.
inline QString lineSafe(QString text)
{
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QChar(0));
    return text;
}
