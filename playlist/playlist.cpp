#include "playlist.h"

#include "permission.h"
#include "telnet.h"

Playlist::Playlist(QObject* parent)
    : QObject(parent)
{
}

void Playlist::initAll()
{
    if (permission && permission->okPermission())
        permission->telnet->sendData("07F4500\r\n");
    emit readyToRedraw();
}

void Playlist::handleEntryEditResult(QString data)
{
    if (data.startsWith(QLatin1String("11")))
        permission->telnet->sendData("07F4510\r\n07F4512\r\n");
    else if (data.startsWith(QLatin1String("12")))
        emit execFailed();
}

void Playlist::parsePlaylistResponse(QString)
{
}

void Playlist::setCurrentMedia(QString media)
{
    currentMedia = media;
}

void Playlist::onEndDeletePpl()
{
    execCommand = false;
}
