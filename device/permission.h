#pragma once

#include <QObject>
#include <QString>

class Telnet;
class QTimerEvent;

// This application's side of the recorder's exclusive edit right: only the
// control application holding it may change the stored content (folders,
// files, playlists, timer events).
class Permission : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isReadOnly READ isReadOnly NOTIFY isReadOnlyChanged)
    Q_PROPERTY(bool okPermission READ okPermission NOTIFY okPermissionChanged)
public:
    explicit Permission(QObject* parent = nullptr);
    ~Permission() override;

    // Channel for the edit-right commands and for the playlist and browser
    // models' commands. Set by start-up.
    Telnet* telnet = nullptr;

    bool isReadOnly() const { return m_isReadOnly; }
    bool okPermission() const { return m_okPermission; }
    int getKeepAliveTimerId() const { return keepAliveTimerId; }

    // Asks for the edit right (unless held) and keeps asking every 2500 ms.
    Q_INVOKABLE void requestPermission();
    // Gives the right back (when held) and stops asking.
    Q_INVOKABLE void returnPermission();

    // The link has ended: the right is no longer held and the keep-alive
    // stops. Nothing is sent.
    void dropRight();

    // Read-only state reply, the text after "FF6AFD".
    void onReadOnlyReply(QString value);
    // Edit-right state reply, the text after "FF6AFE".
    void onPermissionReply(QString value);

public slots:
    // Gives the right back unless the keep-alive runs.
    void returnPermissionDelay();

signals:
    void isReadOnlyChanged(bool readOnly);
    void okPermissionChanged();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void setOkPermission(bool value);

    bool m_isReadOnly = true;
    bool m_okPermission = false;
    int keepAliveTimerId = 0;
};
