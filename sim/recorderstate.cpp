#include "recorderstate.h"

#include "mediafiles.h"
#include "menumodel.h"
#include "playlistcommands.h"
#include "simrecorder.h"
#include "timereventcommands.h"

#include <QTimer>
#include <algorithm>

namespace sim {

QString numberField(int value)
{
    const QString digits = QString::number(qBound(0, value, 9999)).rightJustified(4, QLatin1Char('0'));
    return digits.mid(2, 2) + digits.left(2);
}

int readNumberField(const QString& line, int pos)
{
    bool okLow = false, okHigh = false;
    const int low = line.mid(pos, 2).toInt(&okLow);
    const int high = line.mid(pos + 2, 2).toInt(&okHigh);
    return okLow && okHigh && line.size() >= pos + 4 ? high * 100 + low : -1;
}

QString twoDigits(int value)
{
    return QString::number(qBound(0, value, 99)).rightJustified(2, QLatin1Char('0'));
}

QString clockText(int frames)
{
    return twoDigits(frames / 360000) + twoDigits(frames / 6000 % 60) + twoDigits(frames / 100 % 60)
        + twoDigits(frames % 100);
}

QString mediumCode(const QString& name)
{
    if (name == QLatin1String("SD1"))
        return QStringLiteral("00");
    if (name == QLatin1String("SD2"))
        return QStringLiteral("01");
    if (name == QLatin1String("USB"))
        return QStringLiteral("10");
    if (name == QLatin1String("CD"))
        return QStringLiteral("11");
    return QStringLiteral("FF");
}

QString mediumOfDrive(const QString& drive)
{
    if (drive == QLatin1String("A:"))
        return QStringLiteral("SD1");
    if (drive == QLatin1String("B:"))
        return QStringLiteral("SD2");
    if (drive == QLatin1String("C:"))
        return QStringLiteral("USB");
    return QString();
}

namespace {

SimTrack makeTrack(const QString& title, int minutes, int seconds)
{
    SimTrack t;
    t.title = title;
    t.length = minutes * 6000 + seconds * 100;
    return t;
}

} // namespace

RecorderState::RecorderState(SimRecorder* recorder)
    : QObject(recorder)
    , m_recorder(recorder)
{
    setObjectName(QStringLiteral("statusModel"));

    SimMedium& sd1 = m_media[QStringLiteral("SD1")];
    sd1.tracks = { makeTrack(QStringLiteral("Opening"), 3, 0), makeTrack(QStringLiteral("Interview"), 4, 30),
                   makeTrack(QStringLiteral("Closing"), 2, 15) };
    sd1.folders = QStringList { QStringLiteral("ROOT"), QStringLiteral("LIVE"), QStringLiteral("LIVE\\2017") };
    sd1.folderIndex = 1;

    SimMedium& sd2 = m_media[QStringLiteral("SD2")];
    sd2.tracks = { makeTrack(QStringLiteral("Rehearsal A"), 10, 0), makeTrack(QStringLiteral("Rehearsal B"), 7, 30) };

    SimMedium& usb = m_media[QStringLiteral("USB")];
    usb.tracks = { makeTrack(QStringLiteral("Backup"), 60, 0) };

    SimMedium& cd = m_media[QStringLiteral("CD")];
    for (int i = 1; i <= 5; ++i)
        cd.tracks << makeTrack(QStringLiteral("CD Track %1").arg(i), 3 + i, 10 * i);

    m_clock.start();
    auto* ticker = new QTimer(this);
    ticker->setInterval(100);
    connect(ticker, &QTimer::timeout, this, &RecorderState::tick);
    ticker->start();
    connect(recorder, &SimRecorder::connectionClosed, this, &RecorderState::onConnectionClosed);
}

RecorderState::~RecorderState() = default;

RecorderState* installStatusModel(SimRecorder& recorder)
{
    if (RecorderState* existing = statusModel(recorder))
        return existing;
    auto* state = new RecorderState(&recorder);
    recorder.addCommandHandler(
        [state](SimConnection* connection, const QString& line) { return state->handleCommand(connection, line); });
    // The browse commands and the playlists, over the same media.
    installPlaylists(recorder, state, installMediaFiles(recorder, state));
    installMenuModel(recorder);
    installTimerEvents(recorder);
    return state;
}

RecorderState* statusModel(const SimRecorder& recorder)
{
    return recorder.findChild<RecorderState*>(QStringLiteral("statusModel"), Qt::FindDirectChildrenOnly);
}

// ---------------------------------------------------------------------------
// Notices

void RecorderState::push(SimConnection* origin, Send to, const QString& line)
{
    if (!m_recorder->powered)
        return;
    const auto connections = m_recorder->connections();
    for (SimConnection* c : connections) {
        if (c->phase() != SimConnection::LoggedIn)
            continue;
        const bool isOrigin = c == origin;
        if ((to == Send::ToOrigin && isOrigin) || (to == Send::ToOthers && !isOrigin) || to == Send::ToAll)
            c->sendLine(line);
    }
}

void RecorderState::announce()
{
    push(nullptr, Send::ToAll, QStringLiteral("0F600"));
}

void RecorderState::onConnectionClosed(int id)
{
    m_meters.remove(id);
    if (m_editHolder == id)
        m_editHolder = 0;
}

// ---------------------------------------------------------------------------
// Transport and time

SimTrack* RecorderState::track()
{
    SimMedium& m = current();
    if (m_trackIndex < 0 || m_trackIndex >= m.tracks.size())
        return nullptr;
    return &m.tracks[m_trackIndex];
}

int RecorderState::trackNumber() const
{
    return m_media.value(m_medium).tracks.isEmpty() ? 0 : m_trackIndex + 1;
}

int RecorderState::trackTop()
{
    int top = 0;
    for (int i = 0; i < m_trackIndex && i < current().tracks.size(); ++i)
        top += current().tracks.at(i).length;
    return top;
}

int RecorderState::mediumLength()
{
    int total = 0;
    for (const SimTrack& t : qAsConst(current().tracks))
        total += t.length;
    return total;
}

int RecorderState::position()
{
    settle();
    return int(m_anchor / 10);
}

// The position is kept in milliseconds and moves with the clock while the
// transport runs; playback runs on into the next track and stops after the
// last one, a recording makes its track grow.
void RecorderState::settle()
{
    const qint64 ms = m_clock.restart();
    m_anchor += qint64(m_speed) * ms;
    SimTrack* t = track();
    if (!t) {
        m_anchor = 0;
        return;
    }
    if (m_status == Recording) {
        t->length = qMax(t->length, int(m_anchor / 10));
        return;
    }
    while (m_anchor >= qint64(t->length) * 10 && m_speed > 0) {
        m_anchor -= qint64(t->length) * 10;
        if (m_trackIndex + 1 >= current().tracks.size()) {
            m_trackIndex = 0;
            m_anchor = 0;
            m_status = Stopped;
            m_speed = 0;
            return;
        }
        t = &current().tracks[++m_trackIndex];
    }
    while (m_anchor < 0) {
        if (m_trackIndex == 0) {
            m_anchor = 0;
            break;
        }
        t = &current().tracks[--m_trackIndex];
        m_anchor += qint64(t->length) * 10;
    }
}

void RecorderState::setTransport(int status, int speed)
{
    settle();
    m_status = status;
    m_speed = speed;
}

void RecorderState::startRecordingTrack()
{
    settle();
    // Playback must not run on into the new, empty track: it would end there.
    if (m_status != Recording) {
        m_status = RecordPaused;
        m_speed = 0;
    }
    SimMedium& m = current();
    m.tracks << makeTrack(QStringLiteral("REC%1").arg(m.tracks.size() + 1, 3, 10, QLatin1Char('0')), 0, 0);
    m_trackIndex = m.tracks.size() - 1;
    m_anchor = 0;
}

void RecorderState::stepTrack(int delta)
{
    settle();
    const int count = current().tracks.size();
    if (count == 0)
        return;
    m_trackIndex = qBound(0, m_trackIndex + delta, count - 1);
    m_anchor = 0;
}

void RecorderState::stepFolder(int delta)
{
    SimMedium& m = current();
    const int count = m.folders.size();
    if (count > 0)
        m.folderIndex = (m.folderIndex + delta + count) % count;
}

void RecorderState::moveBy(int frames)
{
    settle();
    if (SimTrack* t = track())
        m_anchor = qBound<qint64>(0, m_anchor + qint64(frames) * 10, qint64(t->length) * 10);
    settle();
}

void RecorderState::seek(int trackNumber, int frames)
{
    settle();
    const int count = current().tracks.size();
    if (count == 0)
        return;
    m_trackIndex = qBound(0, trackNumber - 1, count - 1);
    m_anchor = qBound<qint64>(0, qint64(frames) * 10, qint64(current().tracks.at(m_trackIndex).length) * 10);
}

QString RecorderState::timeReply(int type)
{
    int frames = 0;
    if (SimTrack* t = track()) {
        const int pos = position();
        const int top = trackTop();
        switch (type) {
        case 0: frames = pos; break;
        case 1: frames = t->length - pos; break;
        case 2: frames = top + pos; break;
        default: frames = mediumLength() - top - pos; break;
        }
    }
    frames = qMax(0, frames);
    const int minutes = frames / 6000;
    const QString minuteField = minutes > 5999 ? twoDigits(minutes % 100) + QStringLiteral("--") : numberField(minutes);
    return QStringLiteral("0D8") + twoDigits(type) + minuteField + twoDigits(frames / 100 % 60) + twoDigits(frames % 100);
}

QString RecorderState::levelReport() const
{
    QString report = QStringLiteral("0FF6A89");
    for (int level : m_levels)
        report += QString::number(qBound(0, level, 255), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    report += m_over[0] ? QStringLiteral("01") : QStringLiteral("00");
    report += m_over[1] ? QStringLiteral("01") : QStringLiteral("00");
    return report;
}

void RecorderState::tick()
{
    settle();
    if (!m_recorder->powered)
        return;
    if (!m_meters.isEmpty()) {
        const QString report = levelReport();
        const auto connections = m_recorder->connections();
        for (SimConnection* c : connections) {
            if (m_meters.contains(c->id()))
                c->sendLine(report);
        }
    }
    // While recording the recorder pushes its elapsed time once a second.
    if (++m_ticks % 10 == 0 && m_status == Recording)
        push(nullptr, Send::ToAll, QStringLiteral("088") + clockText(position()));
}

// ---------------------------------------------------------------------------
// Front panel

void RecorderState::pressPlay()
{
    if (m_status == Stopped || m_status == Playing || m_status == PlayPaused) {
        setTransport(Playing, 1);
        announce();
    }
}

void RecorderState::pressStop()
{
    setTransport(Stopped, 0);
    m_anchor = 0;
    announce();
}

void RecorderState::pressPause()
{
    switch (m_status) {
    case Stopped:
    case Playing: setTransport(PlayPaused, 0); break;
    case PlayPaused: setTransport(Playing, 1); break;
    case Recording: setTransport(RecordPaused, 0); break;
    case RecordPaused:
    case RecordOther: setTransport(Recording, 1); break;
    default: return;
    }
    announce();
}

void RecorderState::pressRecord()
{
    switch (m_status) {
    case Stopped:
    case Playing:
    case PlayPaused:
        startRecordingTrack();
        setTransport(RecordPaused, 0);
        break;
    case RecordPaused:
    case RecordOther: setTransport(Recording, 1); break;
    case Recording: startRecordingTrack(); break;
    default: return;
    }
    announce();
}

void RecorderState::setStatus(int status)
{
    setTransport(status, status == Playing || status == Recording ? 1 : 0);
    announce();
}

void RecorderState::setBusy(int detail)
{
    m_busyDetail = detail;
    setStatus(Busy);
}

void RecorderState::selectMedium(const QString& name)
{
    if (!switchMedium(name))
        return;
    announce();
    emit mediumChanged();
}

bool RecorderState::switchMedium(const QString& name)
{
    if (mediumCode(name) == QLatin1String("FF") || (name == QLatin1String("CD") && m_recorder->model != 1))
        return false;
    emit mediumChanging();
    setTransport(Stopped, 0);
    m_medium = name;
    m_trackIndex = 0;
    m_anchor = 0;
    return true;
}

void RecorderState::addMark(int frames)
{
    SimTrack* t = track();
    if (!t || t->marks.contains(frames))
        return;
    t->marks << frames;
    std::sort(t->marks.begin(), t->marks.end());
    push(nullptr, Send::ToAll, QStringLiteral("0FF6AF620"));
}

void RecorderState::setLevels(int left, int right, int leftPeak, int rightPeak, bool leftOver, bool rightOver)
{
    m_levels[0] = left;
    m_levels[1] = right;
    m_levels[2] = leftPeak;
    m_levels[3] = rightPeak;
    m_over[0] = leftOver;
    m_over[1] = rightOver;
}

void RecorderState::setReadOnly(bool readOnly)
{
    panel.readOnly = readOnly;
    push(nullptr, Send::ToAll, QStringLiteral("0FF6AFD0") + (readOnly ? QLatin1Char('1') : QLatin1Char('0')));
}

void RecorderState::revokeEditRight()
{
    SimConnection* holder = m_recorder->connection(m_editHolder);
    if (holder && m_recorder->powered)
        holder->sendLine(QStringLiteral("0FF6AFE10"));
    m_editHolder = 0;
}

void RecorderState::showPopup(int code)
{
    push(nullptr, Send::ToAll, QStringLiteral("0FF6AFAF0") + twoDigits(code));
}

void RecorderState::setPlaylist(const QString& name)
{
    current().playlist = name;
    push(nullptr, Send::ToAll, QStringLiteral("0FF3185") + name);
}

} // namespace sim
