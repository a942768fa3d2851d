#include "recorderservices.h"

#include "recorderstate.h"
#include "simrecorder.h"

namespace sim {

RecorderServices::RecorderServices(SimRecorder* recorder, QObject* parent)
    : QObject(parent)
    , state(installStatusModel(*recorder))
    , discovery(state)
    , power(recorder)
    , ftp(state)
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
