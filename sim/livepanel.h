#pragma once

#include <QObject>
#include <QTimer>

namespace sim {

class RecorderState;

// Makes a simulated recorder's display lively for people watching it: while
// it plays or records, the level meters move like music (with peak hold and
// the odd over), and the tracks carry titles long enough to scroll and
// titles in other scripts. Tests leave it off and set levels themselves.
class LivePanel : public QObject
{
    Q_OBJECT
public:
    explicit LivePanel(RecorderState* state);

    // Gives the tracks of every medium their display titles.
    static void nameTracks(RecorderState* state);

private:
    void tick();
    int nextLevel(int channel);

    RecorderState* m_state;
    QTimer m_timer;
    quint32 m_seed = 12345;
    int m_level[2] = { 0, 0 };
    int m_peak[2] = { 0, 0 };
    int m_peakAge[2] = { 0, 0 };
};

} // namespace sim
