#include "communication.h"

#include "browse.h"
#include "mark.h"
#include "menu.h"
#include "permission.h"
#include "telnet.h"

#include <QDateTime>
#include <QTimerEvent>

Communication::Communication(QObject* parent)
    : QObject(parent)
    , sleepClock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    connect(&ftpAccess, &FtpAccess::receivedPlaylist, this, &Communication::setPlaylist);
    connect(&ftpAccess, &FtpAccess::endPlaylist, this, &Communication::endPlaylist);

    m_address = dataSettings.getValue(QStringLiteral("Login"), QStringLiteral("Address"));
    m_password = dataSettings.getValue(QStringLiteral("Login"), QStringLiteral("ps"));

    m_loginCompTimer.setSingleShot(true);
    m_loginCompTimer.setTimerType(Qt::PreciseTimer);
    m_loginCompTimer.setInterval(800);
    connect(&m_loginCompTimer, &QTimer::timeout, this, &Communication::changeLoginComp);

    sleepTimer.setInterval(1000);
    connect(&sleepTimer, &QTimer::timeout, this, &Communication::sleepCheck);
    sleepTimer.start();

    // The lines whose answers the user's requests wait for, and the answers
    // that prove the recorder has had a request: every query of the polls
    // and the refresh that one report answers.
    replyOrder.track("025", -1, "A5", &askedPitch, true);
    replyOrder.track("02D", -1, "AD", &askedKey, true);
    replyOrder.track("04E", 3, "CE", &askedPlayMode);
    replyOrder.track("050", 3, "D0", &askedStatus);
    replyOrder.track("055", 3, "D5");
    replyOrder.track("05D", 3, "DD");
    replyOrder.track("056", 3, "D6");
    // A time report carries the type of time asked for, so the four
    // queries are told apart.
    replyOrder.track("05801", 5, "D801", &askedPosition);
    replyOrder.track("05803", 5, "D803", &askedPosition);
    replyOrder.track("05800", 5, "D800");
    replyOrder.track("05802", 5, "D802");
    replyOrder.track("07F01", 7, "FF01", &askedMedium);
    replyOrder.track("07F074F", 9, "FF07CF", &askedPlayArea);
    replyOrder.track("07F3105", 7, "FF3185", &askedPlaylist);
    replyOrder.track("07F310000", -1, "FF3180");
    replyOrder.track("07F6A01", 7, "FF6A81");
    replyOrder.track("07F6A02", 7, "FF6A82");
    replyOrder.track("07F6A63", 7, "FF6AE3");
    // Queries the recorder answers only when asked, whose answers prove
    // every line before them done: the model and the CD type.
    replyOrder.markWith("07F6A64", 7, "FF6AE4");
    replyOrder.markWith("056", 3, "D6");

    // Where the recorder left the line of a request unanswered, the value
    // is read again; the request stands until that answer comes.
    const auto query = [this](const char* line) {
        return [this, line] {
            send(line);
            return true;
        };
    };
    askedPitch.requery = query("025FF\r\n");
    askedKey.requery = query("02DFF\r\n");
    askedMedium.requery = query("07F01FF\r\n");
    askedPlayArea.requery = query("07F074FFF\r\n");
    askedPlayMode.requery = query("04E\r\n");
    askedStatus.requery = query("050\r\n");
    askedPlaylist.requery = query("07F3105\r\n");
    askedPosition.requery = [this] {
        send(m_displayMode ? "05802\r\n05803\r\n" : "05800\r\n05801\r\n");
        return true;
    };

    // Once the user's own set has its answer (or is given up), the knob goes
    // back to what the recorder reported.
    connect(&askedPitch, &AskedValue::settled, this, [this] { emit pitchShownChanged(m_pitchData); });
    connect(&askedKey, &AskedValue::settled, this, [this] { emit keyShownChanged(m_keyData); });
    // Transport keys held for a report go once it has come.
    connect(&askedStatus, &AskedValue::settled, this, &Communication::heldKeysDue);
    connect(&askedPosition, &AskedValue::settled, this, &Communication::heldKeysDue);
}

Communication::~Communication() = default;

void Communication::send(const char* lines)
{
    telnet->sendData(lines);
}

void Communication::sendWithPermission(const char* lines)
{
    if (!permission->okPermission())
        return;
    permission->telnet->sendData(lines);
}

void Communication::forgetAsked()
{
    // Every value the order counts forgets its lines and its wait with it.
    replyOrder.reset();
    if (browse)
        browse->forgetUps();
    forgetTransportAsked();
}

// ---------------------------------------------------------------------------
// Login state machine
//
//   0 idle, 1 connecting, 2 logged in, 3 fast retry, 4 last retry (also after
//   a refused password and during a logout). A link failure in 1 or 2 retries
//   at once with a short connect time-out, in 3 once more with the normal one,
//   in 0 or 4 it ends in idle.

void Communication::setLoginState(int state)
{
    m_loginState = state;
    emit loginStateChanged(state);
}

void Communication::loginRequest(QString adr, QString pass)
{
    // Nothing of the previous link carries over: neither a playlist step
    // begun on it nor its edit right.
    ftpAccess.abort();
    permission->dropRight();
    m_address = adr;
    emit addressChanged(m_address);
    m_password = pass;
    emit passwordChanged(m_password);
    setLoginState(1);
    telnet->connectToServer(m_address, m_password, false);
}

void Communication::logoutRequest()
{
    setLoginState(4);
    telnet->close();
    failedLogin();
}

void Communication::finishedLogin(int model)
{
    const int stateBefore = m_loginState;
    forgetAsked();
    requestAllStatus();
    sendWithPermission("07F4500\r\n");
    send("07F6A7A10\r\n");
    send("07F6A7D\r\n07F6A7EFF\r\n");
    send("07F475600\r\n");
    // Should the link have ended meanwhile, this login is over.
    if (m_loginState != stateBefore)
        return;
    m_attemptState = stateBefore;
    setLoginState(2);
    // Direct reads see the login complete at once; bindings follow the
    // change signal 800 ms later.
    m_loginComp = true;
    m_loginCompTimer.start();
    m_model = model;
    emit modelChanged(m_model);
    dataSettings.setValue(QStringLiteral("Login"), QStringLiteral("Address"), m_address);
    dataSettings.setValue(QStringLiteral("Login"), QStringLiteral("ps"), m_password);
}

void Communication::changeLoginComp()
{
    // A link that failed meanwhile must not bring up the main screens.
    if (m_loginState != 2)
        return;
    m_loginComp = true;
    emit loginCompChanged(true);
    if (timePollTimerId == 0)
        timePollTimerId = startTimer(200, Qt::CoarseTimer);
}

void Communication::resetAfterLinkLoss()
{
    ++m_linkResets;
    forgetAsked();
    m_loginCompTimer.stop();
    stopStatusPoll();
    stopTimePoll();
    mark->clearMarks();
    ftpAccess.abort();
    // The edit right belongs to the link: the next login asks for it anew.
    permission->dropRight();
    m_loginComp = false;
    emit loginCompChanged(false);
    menu->clearMenuTree();
    browse->clearFolderState();
    m_statusIcon = 0;
    emit statusIconChanged(0);
    // The meters show this recorder's levels only: the next may send none.
    setLevels(0, 0, 0, 0, false, false);
    m_currentMedia.clear();
    emit currentMediaChanged(m_currentMedia);
}

void Communication::failedLogin()
{
    // A link lost before the main screens came up ends the attempt, not a
    // session: the retries go on from where that attempt stood, so that a
    // recorder that drops every link right after the login is given up on.
    const int state = m_loginState == 2 && m_loginCompTimer.isActive() ? m_attemptState : m_loginState;
    resetAfterLinkLoss();
    switch (state) {
    case 1:
    case 2:
        setLoginState(3);
        reconnect();
        break;
    case 3:
        setLoginState(4);
        reconnect();
        break;
    default:
        setLoginState(0);
        break;
    }
}

void Communication::reconnect()
{
    telnet->connectToServer(m_address, m_password, m_loginState == 3);
}

void Communication::passwordFailed()
{
    emit popupReceived(100);
    setLoginState(4);
    // The recorder would prompt again and get the same password: end the link
    // here, as a logout does, instead of answering each new prompt.
    telnet->close();
    failedLogin();
}

void Communication::onApplicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationSuspended)
        telnet->close();
    else if (m_applicationState == Qt::ApplicationSuspended)
        failedLogin();
    m_applicationState = state;
}

// ---------------------------------------------------------------------------
// Status refresh and polls

void Communication::requestAllStatus()
{
    const quint64 resetsBefore = m_linkResets;
    send("03F00\r\n050\r\n055\r\n05D\r\n030FF\r\n036FF\r\n03AFF\r\n04E\r\n035FF\r\n07F6A0A\r\n");
    send("02DFF\r\n025FF\r\n03DFF\r\n07F6A0001\r\n07F01FF\r\n07F6A04\r\n07F6A05\r\n07F6A06\r\n07F6A0A\r\n");
    send("07F074FFF\r\n07F6A0C\r\n07F3105\r\n07F6A02\r\n07F6A0B\r\n07F0417FF\r\n07F6A07\r\n07F6A08\r\n07F6A0D\r\n");
    send("07F6A0E\r\n07F6A60\r\n07F12110000FF\r\n07F6A61\r\n031FF\r\n038FF\r\n07F6A01\r\n07F6A62\r\n");
    send("07F6A63\r\n056\r\n07F6A65\r\n");
    // Should the link have ended meanwhile, nothing is to poll after it.
    if (m_linkResets != resetsBefore)
        return;
    menu->updateCurrentMediaMenuText(m_currentMedia);
    mark->startQuery();
}

void Communication::startStatusPoll()
{
    if (statusPollTimerId == 0)
        statusPollTimerId = startTimer(500, Qt::CoarseTimer);
}

void Communication::stopStatusPoll()
{
    if (statusPollTimerId != 0) {
        killTimer(statusPollTimerId);
        statusPollTimerId = 0;
    }
}

void Communication::stopTimePoll()
{
    if (timePollTimerId != 0) {
        killTimer(timePollTimerId);
        timePollTimerId = 0;
    }
}

void Communication::timerEvent(QTimerEvent* event)
{
    // Nothing is polled before the settings-menu walk has finished.
    if (!menu->drawingFinished)
        return;
    const int id = event->timerId();
    if (id == statusPollTimerId) {
        if (m_statusIcon == 255)
            send("050\r\n");
        send("055\r\n07F01FF\r\n07F3105\r\n07F6A02\r\n");
    } else if (id == timePollTimerId) {
        if (m_statusIcon == 131)
            return;
        send(m_displayMode ? "05802\r\n05803\r\n" : "05800\r\n05801\r\n");
    }
}

void Communication::sleepCheck()
{
    const qint64 now = sleepClock();
    if (!m_hasPreviousTick) {
        m_previousTick = now;
        m_hasPreviousTick = true;
    }
    if (m_loginComp) {
        send("050\r\n055\r\n05D\r\n");
        // A long gap between ticks means the computer has slept.
        if (now - m_previousTick > 5000 && m_loginComp)
            requestAllStatus();
    }
    m_previousTick = now;
}

void Communication::setDisplayMode(bool value)
{
    if (value == m_displayMode)
        return;
    m_displayMode = value;
    markRedrawState = 1;
    send("07F6A63\r\n");
    emit displayModeChanged(value);
}

void Communication::startLevelMeter()
{
    send("07F6A3F01\r\n");
}

void Communication::stopLevelMeter()
{
    send("07F6A3F00\r\n");
}

// ---------------------------------------------------------------------------
// Reply dispatch

void Communication::recievedData(QString str)
{
    if (str.size() < 2)
        return;
    const QString code = str.left(2);
    const QString data = str.mid(2);
    replyOrder.answered(str);
    const char c0 = code.at(0).toLatin1();
    const char c1 = code.at(1).toLatin1();
    switch (c0) {
    case '8':
        if (c1 == '8')
            onTimeNotify(data);
        return;
    case '9':
        if (c1 == '5')
            onJogModeReply(data);
        return; // "97" (flash load answer) is recognised and ignored
    case 'A':
        if (c1 == '5')
            onPitchDataReply(data);
        else if (c1 == 'D')
            onKeyDataReply(data);
        return;
    case 'B':
        onFlagReply(code, data);
        return;
    case 'C':
        if (c1 == 'E')
            onPlayModeReply(data);
        return;
    case 'D':
        switch (c1) {
        case '0': onStatusReply(data); return;
        case '5': onTrackNoReply(data); return;
        case '6': onCdTypeReply(data); return;
        case '8': onTimeReply(data); return;
        case 'D': onTotalTrackReply(data); return;
        default: return;
        }
    case 'F':
        if (c1 == '6')
            onChangeNotify(data);
        else if (c1 == 'F')
            onExtendedReply(data);
        return;
    default:
        return;
    }
}
