#include "powercommands.h"

#include "simrecorder.h"

#include <QTimer>

namespace sim {

namespace {
const QLatin1String adminCheck("07F1141");
}

PowerCommands::PowerCommands(SimRecorder* recorder, QObject* parent)
    : QObject(parent)
    , m_recorder(recorder)
{
    recorder->addStandbyHandler([this](SimConnection* c, const QString& line) { return handle(c->id(), line); });
    connect(recorder, &SimRecorder::connectionClosed, this, [this](int id) { m_adminConnections.remove(id); });
}

bool PowerCommands::handle(int connection, const QString& line)
{
    SimConnection* c = m_recorder->connection(connection);
    if (line.startsWith(adminCheck)) {
        const QString password = line.mid(adminCheck.size());
        m_adminPasswords.append(password);
        if (silent)
            return true;
        const bool ok = password == adminPassword;
        if (ok)
            m_adminConnections.insert(connection);
        c->sendLine(ok ? QStringLiteral("0FF11D101") : QStringLiteral("0FF11D100"));
        return true;
    }
    if (line == QLatin1String("07500") || line == QLatin1String("07511") || line == QLatin1String("07580"))
        return powerCommand(connection, line);
    return false;
}

bool PowerCommands::powerCommand(int connection, const QString& line)
{
    SimConnection* c = m_recorder->connection(connection);
    if (silent)
        return true;
    const bool restartWhileOff = line == QLatin1String("07580") && !m_recorder->powered;
    if (refuseCommands || !m_adminConnections.contains(connection) || restartWhileOff) {
        c->sendLine(QStringLiteral("0F2"));
        return true;
    }
    // Accepted: the reply carries the command's code + 0x80 and its data.
    c->sendLine(QStringLiteral("0F5") + line.mid(3));
    if (line == QLatin1String("07500")) {
        setPowered(true);
    } else if (line == QLatin1String("07511")) {
        setPowered(false);
        const auto others = m_recorder->connections();
        for (SimConnection* other : others) {
            if (other != c)
                other->disconnectFromClient();
        }
    } else {
        restart();
    }
    return true;
}

void PowerCommands::setPowered(bool on)
{
    if (m_recorder->powered == on)
        return;
    m_recorder->powered = on;
    emit powerChanged(on);
}

// The unit goes dark (no command port, no discovery answers) and comes back on.
void PowerCommands::restart()
{
    m_restarting = true;
    // Let the reply go out before the connections drop.
    QTimer::singleShot(0, this, [this] {
        m_recorder->stop();
        setPowered(false);
        QTimer::singleShot(restartMs, this, [this] {
            m_recorder->start();
            setPowered(true);
            m_restarting = false;
            emit restarted();
        });
    });
}

} // namespace sim
