#include "livepanel.h"

#include "recorderstate.h"

namespace sim {

LivePanel::LivePanel(RecorderState* state)
    : QObject(state)
    , m_state(state)
{
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &LivePanel::tick);
    m_timer.start();
}

void LivePanel::nameTracks(RecorderState* state)
{
    QList<SimTrack>& sd2 = state->medium(QStringLiteral("SD2")).tracks;
    if (sd2.size() >= 2) {
        sd2[0].title = QStringLiteral("Rehearsal A - full orchestra with choir, second half after the interval");
        sd2[1].title = QStringLiteral("Größe & Würde – Ελληνικά – Русский");
    }
    QList<SimTrack>& usb = state->medium(QStringLiteral("USB")).tracks;
    if (!usb.isEmpty())
        usb[0].title = QStringLiteral("Backup of the whole evening, recorded from the front-of-house mixing desk");
}

// A random walk around two thirds of the scale, in the recorder's units
// (1 to 59, 0 for silence).
int LivePanel::nextLevel(int channel)
{
    m_seed = m_seed * 1103515245u + 12345u;
    const int jump = int((m_seed >> 16) % 13) - 6;
    int level = qBound(20, (m_level[channel] == 0 ? 40 : m_level[channel]) + jump, 59);
    // Now and then a loud beat.
    if ((m_seed >> 8) % 41 == 0)
        level = 59;
    return level;
}

void LivePanel::tick()
{
    const int status = m_state->status();
    const bool sounding = status == RecorderState::Playing || RecorderState::isRecording(status);
    for (int channel = 0; channel < 2; ++channel) {
        m_level[channel] = sounding ? nextLevel(channel) : 0;
        // The peak holds for a second and a half, then follows the level.
        if (m_level[channel] >= m_peak[channel] || ++m_peakAge[channel] > 15) {
            m_peak[channel] = m_level[channel];
            m_peakAge[channel] = 0;
        }
    }
    m_state->setLevels(m_level[0], m_level[1], m_peak[0], m_peak[1], m_level[0] >= 59, m_level[1] >= 59);
}

} // namespace sim
