#pragma once

#include <QObject>
#include <QString>

class Telnet;
class Permission;

// Model of the playlists on the current medium.
class Playlist : public QObject
{
    Q_OBJECT
public:
    explicit Playlist(QObject* parent = nullptr);

    Telnet* telnet = nullptr;
    Permission* permission = nullptr;

    Q_INVOKABLE void initAll();
    void handleEntryEditResult(QString data);
    void parsePlaylistResponse(QString data);

public slots:
    void setCurrentMedia(QString media);
    void onEndDeletePpl();

signals:
    void execFailed();
    void readyToRedraw();

private:
    QString currentMedia;
    bool execCommand = false;
};
