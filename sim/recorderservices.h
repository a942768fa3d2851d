#pragma once

#include <QObject>
#include <QString>

#include "discovery.h"
#include "ftpserver.h"
#include "playlists.h"
#include "powercommands.h"

namespace sim {

class SimRecorder;

// What a simulated recorder offers besides its command port: the discovery
// answer, remote power control, the playlist folders and the FTP server.
class RecorderServices : public QObject
{
    Q_OBJECT
public:
    explicit RecorderServices(SimRecorder* recorder, QObject* parent = nullptr);

    // Starts the command port too, when it is not listening yet.
    bool start(QString* error = nullptr);
    void stop();

    SimRecorder* recorder() const { return m_recorder; }

    DiscoveryAnswerer discovery;
    PowerCommands power;
    PlaylistFolders playlists;
    FtpServer ftp;

private:
    SimRecorder* m_recorder;
};

} // namespace sim
