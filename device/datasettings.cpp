#include "datasettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

const QString settingsOrganization = QStringLiteral("KELDAR");
const QString settingsApplication = QStringLiteral("KZ470Control");

namespace {

// The file holds passwords: only its owner may read it.
void restrictToOwner(const QString& path)
{
    QFile file(path);
    if (file.exists())
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Creates the file empty and owner-only before the first value goes in, so
// it is never readable by others, not even for a moment.
void createOwnerOnly(const QString& path)
{
    if (QFile::exists(path))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace

DataSettings::DataSettings(QObject* parent)
    : QObject(parent)
{
}

QString DataSettings::fileName()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, settingsOrganization, settingsApplication);
    return settings.fileName();
}

void DataSettings::setValue(const QString& group, const QString& key, const QVariant& value)
{
    QString path;
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, settingsOrganization, settingsApplication);
        settings.setIniCodec("UTF-8");
        path = settings.fileName();
        createOwnerOnly(path);
        settings.beginGroup(group);
        settings.setValue(key, value);
        settings.endGroup();
    }
    restrictToOwner(path);
}

QString DataSettings::getValue(const QString& group, const QString& key)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, settingsOrganization, settingsApplication);
    settings.setIniCodec("UTF-8");
    settings.beginGroup(group);
    const QString value = settings.value(key, QString()).toString();
    settings.endGroup();
    return value;
}
