#pragma once

#include <QObject>
#include <QString>

class Version : public QObject
{
    Q_OBJECT
public:
    explicit Version(QObject* parent = nullptr);
    Q_INVOKABLE QString getVersion();

private:
    QString version;
};
