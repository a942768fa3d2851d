#include "recorderservices.h"

#include "simrecorder.h"

namespace sim {

RecorderServices::RecorderServices(SimRecorder* recorder, QObject* parent)
    : QObject(parent)
    , discovery(recorder)
    , power(recorder)
    , playlists(recorder)
    , ftp(recorder, &playlists)
    , m_recorder(recorder)
{
}

bool RecorderServices::start(QString* error)
{
    return m_recorder->start(error) && discovery.start(error) && ftp.start(error);
}

void RecorderServices::stop()
{
    ftp.stop();
    discovery.stop();
    m_recorder->stop();
}

} // namespace sim
