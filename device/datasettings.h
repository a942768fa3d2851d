#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

extern const QString settingsOrganization;
extern const QString settingsApplication;

// Group/key access to the application's ini settings file. Keeps nothing
// between calls: every call opens the file, so each read sees the last write.
class DataSettings : public QObject
{
    Q_OBJECT
public:
    explicit DataSettings(QObject* parent = nullptr);

    void setValue(const QString& group, const QString& key, const QVariant& value);
    QString getValue(const QString& group, const QString& key);

    // Path of the settings file (for diagnostics and tests).
    static QString fileName();
};
