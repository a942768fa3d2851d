// The command lines the simulated recorder's status model answers: every
// status query of the full refresh and the polls, the front-panel commands,
// the mark list and the edit right. A command is "0" + code + data; an answer
// carries the code + 0x80, an extended answer ("07F" group item) "0FF", the
// group unchanged and the item + 0x80.
#include "recorderstate.h"

#include "simrecorder.h"

#include <QHash>
#include <algorithm>
#include <functional>

namespace sim {

namespace {

QString onOff(bool on)
{
    return on ? QStringLiteral("01") : QStringLiteral("00");
}

QString hexByte(int value)
{
    return QString::number(value & 0xFF, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

// The pitch as ones, tenths, sign and tens.
QString pitchField(int tenths)
{
    const int magnitude = qAbs(tenths);
    return QString::number(magnitude / 10 % 10) + QString::number(magnitude % 10)
        + (tenths < 0 ? QLatin1Char('1') : QLatin1Char('0')) + QString::number(magnitude / 100 % 10);
}

} // namespace

// The answer of a line that has no answer of its own: "0", the command code
// + 0x80, the data as sent; an extended line ("07F" group item) is answered
// "0FF", the group unchanged and the item + 0x80.
QString replyTo(const QString& line)
{
    const bool extended = line.startsWith(QLatin1String("07F"));
    const int at = extended ? 5 : 1;
    bool ok = false;
    const int code = line.mid(at, 2).toInt(&ok, 16);
    if (!ok || line.size() < at + 2)
        return QString();
    const QString head = extended ? QStringLiteral("0FF") + line.mid(3, 2) : line.left(1);
    return head + hexByte(code + 0x80) + line.mid(at + 2);
}

bool RecorderState::handleCommand(SimConnection* c, const QString& line)
{
    return answerQuery(c, line) || applyTransport(c, line) || applySetting(c, line) || applyMarkOrRight(c, line)
        || loadPlaylist(c, line);
}

// Status queries: one answer each, to the asking connection only (or, with
// no connection, to every logged-in one).
bool RecorderState::answerQuery(SimConnection* c, const QString& line)
{
    using Answer = std::function<QString(RecorderState*)>;
    static const QHash<QString, Answer> answers = {
        { "03F00", [](RecorderState*) { return QStringLiteral("0BF00"); } },
        { "050", [](RecorderState* s) { return "0D0" + hexByte(s->m_status); } },
        { "055", [](RecorderState* s) { return "0D500" + numberField(s->trackNumber()); } },
        { "05D", [](RecorderState* s) { return "0DD" + numberField(s->current().tracks.size()); } },
        { "056", [](RecorderState* s) {
             return "0D6" + (s->m_medium == QLatin1String("CD") ? s->panel.cdType : QStringLiteral("00"));
         } },
        { "015FF", [](RecorderState* s) { return "095" + onOff(s->panel.jogMode); } },
        { "030FF", [](RecorderState* s) { return "0B0" + onOff(s->panel.autoCue); } },
        { "031FF", [](RecorderState* s) { return "0B1" + onOff(s->panel.autoTrack); } },
        { "035FF", [](RecorderState* s) { return "0B5" + onOff(s->panel.pitchOn); } },
        { "036FF", [](RecorderState* s) { return "0B6" + onOff(s->panel.autoReady); } },
        { "038FF", [](RecorderState* s) { return "0B8" + onOff(s->panel.syncRec); } },
        { "03AFF", [](RecorderState* s) { return "0BA" + onOff(s->panel.incPlay); } },
        { "03DFF", [](RecorderState* s) { return "0BD" + onOff(s->panel.keyOn); } },
        { "04E", [](RecorderState* s) { return "0CE0" + QString::number(s->panel.playMode % 10); } },
        { "025FF", [](RecorderState* s) { return "0A5" + pitchField(s->panel.pitchTenths); } },
        { "02DFF", [](RecorderState* s) {
             return "0AD" + QString(s->panel.key < 0 ? "1" : "0") + QString::number(qAbs(s->panel.key) % 10);
         } },
        { "05800", [](RecorderState* s) { return s->timeReply(0); } },
        { "05801", [](RecorderState* s) { return s->timeReply(1); } },
        { "05802", [](RecorderState* s) { return s->timeReply(2); } },
        { "05803", [](RecorderState* s) { return s->timeReply(3); } },
        { "07F01FF", [](RecorderState* s) { return "0FF01" + mediumCode(s->m_medium); } },
        { "07F074FFF", [](RecorderState* s) { return "0FF07CF" + twoDigits(s->panel.playArea); } },
        { "07F0417FF", [](RecorderState* s) {
             return "0FF0497" + (s->panel.flashLoad ? QStringLiteral("10") : QStringLiteral("00"));
         } },
        { "07F12110000FF", [](RecorderState* s) { return "0FF12910000" + onOff(s->panel.src); } },
        { "07F3105", [](RecorderState* s) { return "0FF3185" + s->current().playlist; } },
        { "07F6A0001", [](RecorderState*) { return QStringLiteral("0FF6A8001"); } },
        { "07F6A01", [](RecorderState* s) {
             const SimTrack* t = s->track();
             return "0FF6A81" + (t ? t->title : QString());
         } },
        { "07F6A02", [](RecorderState* s) { return "0FF6A82" + s->current().folders.value(s->current().folderIndex); } },
        { "07F6A04", [](RecorderState* s) {
             return "0FF6A84" + twoDigits(s->panel.input + (s->panel.digitalInLocked ? 0 : 80));
         } },
        { "07F6A05", [](RecorderState* s) { return "0FF6A85" + onOff(s->panel.phantom); } },
        { "07F6A06", [](RecorderState* s) { return "0FF6A86" + onOff(s->panel.timerEvent); } },
        { "07F6A07", [](RecorderState* s) { return "0FF6A87" + onOff(s->panel.upload); } },
        { "07F6A08", [](RecorderState* s) { return "0FF6A88" + onOff(s->panel.download); } },
        { "07F6A0A", [](RecorderState* s) { return "0FF6A8A" + twoDigits(s->panel.repeat); } },
        { "07F6A0B", [](RecorderState* s) { return "0FF6A8B" + QString::number(s->panel.backupRelayPair); } },
        { "07F6A0C", [](RecorderState* s) { return "0FF6A8C" + twoDigits(s->panel.recordFormat); } },
        { "07F6A0D", [](RecorderState* s) { return "0FF6A8D" + onOff(s->panel.agc); } },
        { "07F6A0E", [](RecorderState* s) { return "0FF6A8E" + twoDigits(s->panel.dynamics); } },
        { "07F6A60", [](RecorderState* s) { return "0FF6AE0" + onOff(s->panel.lowCut); } },
        { "07F6A61", [](RecorderState* s) { return "0FF6AE1" + onOff(s->panel.autoMark); } },
        { "07F6A62", [](RecorderState* s) { return "0FF6AE2" + onOff(!s->panel.monoMix); } },
        { "07F6A63", [](RecorderState* s) { return "0FF6AE3" + QString::number(s->trackTop(), 16).toUpper(); } },
        { "07F6A65", [](RecorderState* s) { return "0FF6AE5" + onOff(s->panel.finalized); } },
        { "07F6A66", [](RecorderState* s) { return "0FF6AE6" + QString::number(s->m_busyDetail); } },
        { "07F6A7D", [](RecorderState* s) { return "0FF6AFD" + onOff(s->panel.readOnly); } },
        { "07F035D", [](RecorderState* s) {
             const SimTrack* t = s->track();
             return "0FF03DD" + numberField(t ? t->marks.size() : 0);
         } },
    };
    const auto it = answers.constFind(line);
    if (it == answers.constEnd())
        return false;
    if (c)
        c->sendLine(it.value()(this));
    else
        m_recorder->sendLineToLoggedIn(it.value()(this));
    return true;
}

bool RecorderState::pushReport(const QString& query)
{
    return answerQuery(nullptr, query);
}

// Transport, skips, search and record. Each line is answered by the reply
// rule (the code + 0x80, the data repeated); the asking application learns
// the new status through its own polls, the others get the change notice.
bool RecorderState::applyTransport(SimConnection* c, const QString& line)
{
    const bool playingOrPaused = m_status == Playing || m_status == PlayPaused;
    const bool recordPause = isRecordPause(m_status);
    if (line == QLatin1String("010")) {
        setTransport(Stopped, 0);
        m_anchor = 0;
    } else if (line == QLatin1String("012")) {
        // From record pause PLAY starts recording, as the front panel's PLAY does.
        if (m_status == Stopped || playingOrPaused)
            setTransport(Playing, 1);
        else if (recordPause)
            setTransport(Recording, 1);
    } else if (line == QLatin1String("01401")) {
        if (m_status == Stopped || playingOrPaused)
            setTransport(PlayPaused, 0);
        else if (recordPause)
            setTransport(Recording, 1);
    } else if (line == QLatin1String("01D")) {
        if (m_status == PlayPaused)
            setTransport(Playing, 1);
    } else if (line == QLatin1String("07F720101")) {
        // May a recording start? "00": enter record pause; otherwise already there.
        c->sendLine(QStringLiteral("0FF728101") + (recordPause ? QStringLiteral("01") : QStringLiteral("00")));
        return true;
    } else if (line == QLatin1String("01301")) {
        if (m_status != Recording)
            startRecordingTrack();
        setTransport(RecordPaused, 0);
    } else if (line == QLatin1String("01300")) {
        if (!recordPause)
            startRecordingTrack();
        setTransport(Recording, 1);
    } else if (line == QLatin1String("01302")) {
        if (m_status == Recording)
            startRecordingTrack();
    } else if (line == QLatin1String("01A01") || line == QLatin1String("01A00")) {
        stepTrack(line.endsWith(QLatin1Char('1')) ? -1 : 1);
    } else if (line == QLatin1String("01601") || line == QLatin1String("01600")) {
        if (playingOrPaused)
            setTransport(m_status, line.endsWith(QLatin1Char('1')) ? -10 : 10);
    } else if (line == QLatin1String("01A31") || line == QLatin1String("01A30")) {
        if (playingOrPaused)
            moveBy(line.endsWith(QLatin1Char('1')) ? -1000 : 1000);
    } else if (line == QLatin1String("07F6A1A01") || line == QLatin1String("07F6A1A00")) {
        stepFolder(line.endsWith(QLatin1Char('1')) ? -1 : 1);
    } else if (line.startsWith(QLatin1String("02C")) && line.size() == 15) {
        const int trackNo = readNumberField(line, 3), minutes = readNumberField(line, 7);
        const int seconds = line.mid(11, 2).toInt(), hundredths = line.mid(13, 2).toInt();
        if (trackNo >= 1 && minutes >= 0)
            seek(trackNo, minutes * 6000 + seconds * 100 + hundredths);
    } else {
        return false;
    }
    c->sendLine(replyTo(line));
    changed(c);
    return true;
}

// Front-panel settings. Where the direct answer is one the application does
// not read (play mode, A-B, flash load), the recorder tells every application.
bool RecorderState::applySetting(SimConnection* c, const QString& line)
{
    if (line.startsWith(QLatin1String("07F01")) && line.size() == 7) {
        static const QStringList names = { QStringLiteral("SD1"), QStringLiteral("SD2"), QStringLiteral("USB"),
                                           QStringLiteral("CD") };
        bool switched = false;
        for (const QString& name : names) {
            if (mediumCode(name) == line.mid(5))
                switched = switchMedium(name);
        }
        c->sendLine(QStringLiteral("0FF01") + mediumCode(m_medium));
        if (switched)
            emit mediumChanged();
    } else if (line.startsWith(QLatin1String("07F074F")) && line.size() == 9) {
        const int area = line.mid(7).toInt();
        if (area >= 0 && area <= 2)
            panel.playArea = area;
        c->sendLine(QStringLiteral("0FF07CF") + twoDigits(panel.playArea));
    } else if (line.startsWith(QLatin1String("04D")) && line.size() == 5) {
        // The set is answered by the reply rule; the others hear of the mode.
        const int mode = line.mid(3).toInt();
        if (mode == 0 || mode == 1 || mode == 4 || mode == 6)
            panel.playMode = mode;
        c->sendLine(replyTo(line));
        push(c, Send::ToOthers, QStringLiteral("0CE0") + QString::number(panel.playMode));
        return true;
    } else if (line == QLatin1String("02A") || line == QLatin1String("02B") || line == QLatin1String("03700")) {
        panel.repeat = line == QLatin1String("02A") ? 2 : line == QLatin1String("02B") ? 3 : 0;
        push(c, Send::ToAll, QStringLiteral("0FF6A8A") + twoDigits(panel.repeat));
        return true;
    } else if (line == QLatin1String("017")) {
        panel.flashLoad = !panel.flashLoad;
        c->sendLine(QStringLiteral("097") + onOff(panel.flashLoad));
        push(c, Send::ToAll, QStringLiteral("0FF04F8"));
        return true;
    } else if (line == QLatin1String("03500") || line == QLatin1String("03501")) {
        panel.pitchOn = line.endsWith(QLatin1Char('1'));
        c->sendLine(QStringLiteral("0B5") + onOff(panel.pitchOn));
    } else if (line == QLatin1String("03D00") || line == QLatin1String("03D01")) {
        panel.keyOn = line.endsWith(QLatin1Char('1'));
        c->sendLine(QStringLiteral("0BD") + onOff(panel.keyOn));
    } else if (line.startsWith(QLatin1String("025")) && line.size() == 7) {
        // ones, tenths, sign, tens
        const QString f = line.mid(3);
        const int magnitude = f.mid(3, 1).toInt() * 100 + f.mid(0, 1).toInt() * 10 + f.mid(1, 1).toInt();
        panel.pitchTenths = f.at(2) == QLatin1Char('0') ? magnitude : -magnitude;
        c->sendLine(QStringLiteral("0A5") + pitchField(panel.pitchTenths));
    } else if (line.startsWith(QLatin1String("02D")) && line.size() == 5) {
        const int digit = line.mid(4, 1).toInt();
        panel.key = line.at(3) == QLatin1Char('0') ? digit : -digit;
        c->sendLine(QStringLiteral("0AD") + line.mid(3));
    } else if (line == QLatin1String("07F6A3F01") || line == QLatin1String("07F6A3F00")) {
        if (line.endsWith(QLatin1Char('1')))
            m_meters.insert(c->id());
        else
            m_meters.remove(c->id());
        return true;
    } else {
        return false;
    }
    changed(c);
    return true;
}

bool RecorderState::applyMarkOrRight(SimConnection* c, const QString& line)
{
    if (line.startsWith(QLatin1String("07F0358"))) {
        const int n = readNumberField(line, 7);
        const SimTrack* t = track();
        if (t && n >= 1 && n <= t->marks.size())
            c->sendLine(QStringLiteral("0FF03D8") + numberField(n) + clockText(t->marks.at(n - 1)));
    } else if (line == QLatin1String("07F0310")) {
        const int at = position();
        SimTrack* t = track();
        if (t && !t->marks.contains(at)) {
            t->marks << at;
            std::sort(t->marks.begin(), t->marks.end());
            push(c, Send::ToOthers, QStringLiteral("0FF6AF620"));
        }
    } else if (line == QLatin1String("07F031A01") || line == QLatin1String("07F031A00")) {
        // The recorder itself picks the mark: more than a second back, or the next one.
        const int at = position();
        SimTrack* t = track();
        if (!t)
            return true;
        int target = -1;
        for (int m : qAsConst(t->marks)) {
            if (line.endsWith(QLatin1Char('1')) ? m + 100 < at : (m > at && target < 0))
                target = m;
        }
        if (target >= 0)
            seek(m_trackIndex + 1, target);
    } else if (line == QLatin1String("07F6A7E11")) {
        if (m_editHolder == 0 || !m_recorder->connection(m_editHolder))
            m_editHolder = c->id();
        c->sendLine(QStringLiteral("0FF6AFE1") + (m_editHolder == c->id() ? QLatin1Char('1') : QLatin1Char('0')));
    } else if (line == QLatin1String("07F6A7E10")) {
        if (m_editHolder == c->id())
            m_editHolder = 0;
        c->sendLine(QStringLiteral("0FF6AFE10"));
    } else if (line == QLatin1String("07F6A7EFF")) {
        c->sendLine(QStringLiteral("0FF6AFE1") + (m_editHolder == c->id() ? QLatin1Char('1') : QLatin1Char('0')));
    } else {
        return false;
    }
    return true;
}

// "07F310000" + drive + "/_playlists/" + file name: loads a playlist file of
// the current medium. The asking application gets "0FF318000", then every
// application the name of the loaded playlist; a file that is not there, or
// one on another medium, is refused with "0FF318012".
bool RecorderState::loadPlaylist(SimConnection* c, const QString& line)
{
    static const QLatin1String command("07F310000");
    static const QLatin1String folder("/_playlists/");
    if (!line.startsWith(command))
        return false;
    const QString path = line.mid(command.size());
    const QString medium = mediumOfDrive(path.left(2));
    const QString name = path.mid(2 + folder.size());
    if (medium != m_medium || path.mid(2, folder.size()) != folder || !current().playlists.contains(name)) {
        c->sendLine(QStringLiteral("0FF318012"));
        return true;
    }
    c->sendLine(QStringLiteral("0FF318000"));
    setPlaylist(name);
    return true;
}

} // namespace sim
