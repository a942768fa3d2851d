#include "namerules.h"

namespace namerules {

QString cleaned(QString name)
{
    static const QString forbidden = QStringLiteral("/:*?\"<>|\\");
    QString out;
    out.reserve(name.size());
    for (const QChar c : qAsConst(name)) {
        if (c.unicode() < 0x20 || forbidden.contains(c))
            continue;
        out += c;
    }
    return out;
}

QByteArray cutUtf8(const QString& text, int maxBytes)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= maxBytes)
        return bytes;
    // One byte more than allowed, then back to the start of the character that
    // byte belongs to, which goes as well.
    bytes.truncate(maxBytes + 1);
    while (!bytes.isEmpty() && (quint8(bytes.back()) & 0xC0) == 0x80)
        bytes.chop(1);
    bytes.chop(1);
    return bytes;
}

QByteArray encodedName(const QString& name, int maxBytes)
{
    return cutUtf8(cleaned(name), maxBytes);
}

QString audioExtension(const QString& fileName)
{
    for (const QLatin1String ext : { QLatin1String(".mp3"), QLatin1String(".wav") }) {
        if (fileName.endsWith(ext, Qt::CaseInsensitive))
            return ext;
    }
    return QString();
}

} // namespace namerules
