#include "version.h"

Version::Version(QObject* parent)
    : QObject(parent)
    , version(QStringLiteral("2.0.0"))
{
}

QString Version::getVersion()
{
    return version;
}
