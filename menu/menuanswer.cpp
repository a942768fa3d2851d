#include "menutree.h"

namespace {

// Reads the decimal digits text[pos, pos + n); -1 when one is not a digit.
int digits(const QString& text, int pos, int n)
{
    int value = 0;
    for (int k = pos; k < pos + n; ++k) {
        const QChar c = text.at(k);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// A number field at pos: low pair, then high pair.
int numberField(const QString& text, int pos)
{
    const int low = digits(text, pos, 2);
    const int high = digits(text, pos + 2, 2);
    return low < 0 || high < 0 ? -1 : low + 100 * high;
}

struct Shape
{
    const char* code;
    int length;  // fixed part; the name follows it
    int ids;     // how many of page, item, subitem it carries
    bool exact;  // no name: the answer is exactly this long
};

const Shape shapes[] = {
    { "01", 18, 3, true }, { "10", 4, 0, false }, { "20", 6, 1, false },  { "11", 8, 1, false },
    { "21", 10, 2, false }, { "13", 12, 2, false }, { "23", 14, 3, false }, { "14", 24, 3, false },
    { "24", 18, 3, false },
};

} // namespace

bool readMenuAnswer(const QString& text, MenuAnswer* answer)
{
    const QString code = text.left(2);
    const Shape* shape = nullptr;
    for (const Shape& s : shapes) {
        if (code == QLatin1String(s.code))
            shape = &s;
    }
    if (!shape || text.size() < shape->length || (shape->exact && text.size() != shape->length))
        return false;

    MenuAnswer a;
    a.code = code;
    int* ids[] = { &a.page, &a.item, &a.subitem };
    for (int k = 0; k < shape->ids; ++k) {
        *ids[k] = digits(text, 2 + 4 * k, 2);
        if (*ids[k] < 0)
            return false;
    }
    // The number that follows the ids: a two-digit count, or a number field.
    const int at = 2 + 4 * shape->ids;
    if (code == QLatin1String("10") || code == QLatin1String("11") || code == QLatin1String("13")) {
        a.count = digits(text, at, 2);
    } else if (code == QLatin1String("01") || code == QLatin1String("14") || code == QLatin1String("24")) {
        a.count = numberField(text, at);
    }
    if (a.count < 0)
        return false;
    if (code == QLatin1String("14")) {
        a.type = digits(text, 18, 2);
        const int readOnly = digits(text, 20, 2);
        const int visible = digits(text, 22, 2);
        if (a.type < 0 || readOnly < 0 || visible < 0)
            return false;
        a.readOnly = readOnly != 0;
        a.visible = visible != 0;
    }
    if (!shape->exact && code != QLatin1String("10") && code != QLatin1String("11")
        && code != QLatin1String("13") && code != QLatin1String("14"))
        a.name = text.mid(shape->length).trimmed();
    *answer = a;
    return true;
}
