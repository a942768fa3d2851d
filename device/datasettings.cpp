#include "datasettings.h"

#include <QFile>
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
        // Create the file owner-only before anything is written into it.
        if (!QFile::exists(path)) {
            settings.sync();
            restrictToOwner(path);
        }
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
