// Stepping to the previous or next playlist file of the current medium while
// the recorder is stopped in the playlist play area. The recorder's FTP server
// lists the medium's "_playlists" folder; once the listing is complete the
// neighbour of the current playlist is loaded over the command channel.
#include "communication.h"

#include "telnet.h"

#include <QByteArray>
#include <utility>

// The step lists the medium of the tap: the user's own pick while that is
// unanswered, else the one reported. A tap while an earlier step of the same
// medium is still listing counts on from that step, on the same listing.
void Communication::startPlaylistStep(bool backward)
{
    const bool sameMedium = askedMedium.asks() == m_stepMediumPicks && mediumPick() == m_stepMedium;
    if (!playlistSteps.isEmpty() && ftpAccess.listing() && sameMedium) {
        playlistSteps.append(backward);
        return;
    }
    playlistNames.clear();
    playlistSteps = { backward };
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
    // The taps of the step; the next tap begins a step of its own.
    const QList<bool> steps = std::exchange(playlistSteps, {});
    // A folder without playlist files leaves nothing to load.
    if (playlistNames.isEmpty())
        return;
    // A change of medium since the tap, the user's own or the recorder's, has
    // taken the step's place: the names listed are of the medium left.
    if (askedMedium.asks() != m_stepMediumPicks || mediumPick() != m_stepMedium)
        return;
    // A step counts from the playlist the user's last step loads while the
    // recorder has not reported it yet, and each of its taps from where the
    // one before leads.
    const QString current = askedPlaylist.waiting() ? askedPlaylist.value().toString() : m_playList;
    QString name = current;
    int forward = 0;
    for (bool backward : steps) {
        name = ::stepPlaylist(playlistNames, name, backward);
        forward += backward ? -1 : 1;
    }
    // Taps that cancel out leave the playlist where it is: nothing to load.
    // (Taps that do not, such as one with a single playlist listed, load
    // their playlist even when it is the current one.)
    if (forward == 0 && name == current)
        return;
    const QString drive = playlistDrive(m_stepMedium);
    const QByteArray folder = drive.isEmpty() ? QByteArray() : drive.toLatin1() + "/_playlists/";
    // The playlist-load command goes out in one write, so that no other line
    // can ever come between its parts.
    const QByteArray line = "07F310000" + folder + name.toUtf8() + "\r\n";
    send(line.constData());
    askedPlaylist.asked(name, true);
}
