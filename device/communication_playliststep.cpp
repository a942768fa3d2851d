// Stepping to the previous or next playlist file of the current medium while
// the recorder is stopped in the playlist play area. The recorder's FTP server
// lists the medium's "_playlists" folder; once the listing is complete the
// neighbour of the current playlist is loaded over the command channel.
#include "communication.h"

#include "telnet.h"

#include <QByteArray>

void Communication::startPlaylistStep(bool backward)
{
    playlistNames.clear();
    playlistStepBackward = backward;
    ftpAccess.connectFtp(m_address, m_password, m_currentMedia, m_model);
}

void Communication::setPlaylist(QString name)
{
    playlistNames.append(name);
}

void Communication::endPlaylist()
{
    // A folder without playlist files leaves nothing to load.
    if (playlistNames.isEmpty())
        return;
    const QString name = ::stepPlaylist(playlistNames, m_playList, playlistStepBackward);
    const QString drive = playlistDrive(m_currentMedia);
    const QByteArray folder = drive.isEmpty() ? QByteArray() : drive.toLatin1() + "/_playlists/";
    // The playlist-load command goes out in one write, so that no other line
    // can ever come between its parts.
    const QByteArray line = "07F310000" + folder + name.toUtf8() + "\r\n";
    send(line.constData());
}
