// Stepping to the previous or next playlist file of the current medium while
// the recorder is stopped in the playlist play area. The recorder's FTP server
// lists the medium's "_playlists" folder; once the listing is complete the
// neighbour of the current playlist is loaded over the command channel.
#include "communication.h"

#include "telnet.h"

#include <QByteArray>

// The step lists the medium of the tap: the user's own pick while that is
// unanswered, else the one reported.
void Communication::startPlaylistStep(bool backward)
{
    playlistNames.clear();
    playlistStepBackward = backward;
    m_stepMedium = mediumPick();
    m_stepMediumPicks = askedMedium.asks();
    ftpAccess.connectFtp(m_address, m_password, m_stepMedium, m_model);
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
    // A change of medium since the tap, the user's own or the recorder's, has
    // taken the step's place: the names listed are of the medium left.
    if (askedMedium.asks() != m_stepMediumPicks || mediumPick() != m_stepMedium)
        return;
    // A step counts from the playlist the user's last step loads while the
    // recorder has not reported it yet.
    const QString current = askedPlaylist.waiting() ? askedPlaylist.value().toString() : m_playList;
    const QString name = ::stepPlaylist(playlistNames, current, playlistStepBackward);
    const QString drive = playlistDrive(m_stepMedium);
    const QByteArray folder = drive.isEmpty() ? QByteArray() : drive.toLatin1() + "/_playlists/";
    // The playlist-load command goes out in one write, so that no other line
    // can ever come between its parts.
    const QByteArray line = "07F310000" + folder + name.toUtf8() + "\r\n";
    send(line.constData());
    askedPlaylist.asked(name, true);
}
