#pragma once

#include <QObject>
#include <QSet>
#include <QString>

namespace sim {

class SimRecorder;

// Remote power control of a simulated recorder, on its command port, in
// standby as well as when on: the administrator check "07F1141" + password
// (answered "0FF11D101" accepted, "0FF11D100" refused), then "07500" turn on,
// "07511" turn off (the unit drops its other connections) or "07580" restart
// (the unit leaves the network for `restartMs` and comes back on). A power
// command on a connection that has not passed the check is refused with "0F2".
class PowerCommands : public QObject
{
    Q_OBJECT
public:
    explicit PowerCommands(SimRecorder* recorder, QObject* parent = nullptr);

    QString adminPassword = QStringLiteral("0000");
    int restartMs = 1500;

    // Faults.
    bool refuseCommands = false; // every power command is answered "0F2"
    bool silent = false;         // the check and the power commands get no answer

    bool isRestarting() const { return m_restarting; }
    // Every administrator password received, as it arrived.
    QStringList adminPasswordsReceived() const { return m_adminPasswords; }

signals:
    void powerChanged(bool on);
    void restarted();

private:
    bool handle(int connection, const QString& line);
    bool powerCommand(int connection, const QString& line);
    void setPowered(bool on);
    void restart();

    SimRecorder* m_recorder;
    QSet<int> m_adminConnections; // connections that passed the administrator check
    QStringList m_adminPasswords;
    bool m_restarting = false;
};

} // namespace sim
