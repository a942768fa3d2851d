#pragma once

#include <QObject>
#include <QString>

#include "discovery.h"
#include "ftpserver.h"
#include "powercommands.h"

namespace sim {

class SimRecorder;

class RecorderState;

// What a simulated recorder offers besides its command port: its status model
// (installed on the recorder when it has none yet), the discovery answer,
// remote power control and the FTP server with the playlist folders.
class RecorderServices : public QObject
{
    Q_OBJECT
public:
    explicit RecorderServices(SimRecorder* recorder, QObject* parent = nullptr);

    // Starts the command port too, when it is not listening yet.
    bool start(QString* error = nullptr);
    void stop();

    SimRecorder* recorder() const { return m_recorder; }

    RecorderState* const state;
    DiscoveryAnswerer discovery;
    PowerCommands power;
    FtpServer ftp;

private:
    SimRecorder* m_recorder;
};

} // namespace sim
