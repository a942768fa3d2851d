#pragma once

#include <QObject>

class Telnet;

// This application's side of the recorder's exclusive edit right.
class Permission : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool okPermission READ okPermission NOTIFY okPermissionChanged)
    Q_PROPERTY(bool isReadOnly READ isReadOnly NOTIFY isReadOnlyChanged)
public:
    explicit Permission(QObject* parent = nullptr);

    Telnet* telnet = nullptr;

    bool okPermission() const { return m_okPermission; }
    bool isReadOnly() const { return m_isReadOnly; }

    Q_INVOKABLE void requestPermission();
    Q_INVOKABLE void returnPermission();

signals:
    void okPermissionChanged(bool okPermission);
    void isReadOnlyChanged(bool isReadOnly);

private:
    bool m_okPermission = false;
    bool m_isReadOnly = false;
};
