#pragma once

#include <QObject>
#include <QString>

#include "datasettings.h"

class Telnet;
class Menu;
class Mark;
class Playlist;
class Browse;
class TimerEvent;
class Permission;

// The recorder's state as the user interface sees it, and the owner of the link.
class Communication : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int loginState READ getLoginState NOTIFY loginStateChanged)
    Q_PROPERTY(bool loginComp READ getLoginComp NOTIFY loginCompChanged)
    Q_PROPERTY(QString currentMedia READ getCurrentMedia NOTIFY currentMediaChanged)
    Q_PROPERTY(QString playArea READ getPlayArea NOTIFY playAreaChanged)
    Q_PROPERTY(QString playMode READ getPlayMode NOTIFY playModeChanged)
    Q_PROPERTY(int statusIcon READ getStatusIcon NOTIFY statusIconChanged)
    Q_PROPERTY(int model READ getModel NOTIFY modelChanged)
    Q_PROPERTY(QString address READ getAddress NOTIFY addressChanged)
    Q_PROPERTY(QString password READ getPassword NOTIFY passwordChanged)
public:
    explicit Communication(QObject* parent = nullptr);

    Telnet* telnet = nullptr;
    Menu* menu = nullptr;
    Mark* mark = nullptr;
    Playlist* pl = nullptr;
    Browse* browse = nullptr;
    TimerEvent* tev = nullptr;
    Permission* permission = nullptr;
    DataSettings dataSettings;

    int getLoginState() const { return m_loginState; }
    bool getLoginComp() const { return m_loginComp; }
    QString getCurrentMedia() const { return m_currentMedia; }
    QString getPlayArea() const { return m_playArea; }
    QString getPlayMode() const { return m_playMode; }
    int getStatusIcon() const { return m_statusIcon; }
    int getModel() const { return m_model; }
    QString getAddress() const { return m_address; }
    QString getPassword() const { return m_password; }

    Q_INVOKABLE void loginRequest(const QString& address, const QString& password);
    Q_INVOKABLE void logoutRequest();

public slots:
    void finishedLogin(int model);
    void failedLogin();
    void recievedData(QString data);
    void passwordFailed();
    void startLevelMeter();
    void stopLevelMeter();

signals:
    void loginStateChanged(int loginState);
    void loginCompChanged(bool loginComp);
    void currentMediaChanged(QString currentMedia);
    void playAreaChanged(QString playArea);
    void playModeChanged(QString playMode);
    void statusIconChanged(int statusIcon);
    void modelChanged(int model);
    void addressChanged(QString address);
    void passwordChanged(QString password);
    void popupReceived(int code);

private:
    void setLoginState(int state);
    void setLoginComp(bool comp);

    int m_loginState = 0;
    bool m_loginComp = false;
    QString m_currentMedia;
    QString m_playArea;
    QString m_playMode;
    int m_statusIcon = 0;
    int m_model = 255;
    QString m_address;
    QString m_password;
};
