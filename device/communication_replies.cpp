// Replies with a two-character code: time, transport status, track numbers,
// pitch and key, play mode and the on/off flags of the front panel.
//
// "data" is the reply after its code. A position beyond its end reads as an
// empty text and a text that is not a number converts to 0, so a malformed
// reply still assigns values; only the pitch and key replies, which are read
// character by character, are ignored when too short.
#include "communication.h"

#include "browse.h"
#include "mark.h"
#include "menu.h"
#include "permission.h"
#include "replyfields.h"
#include "telnet.h"

using namespace replyfields;

void Communication::setPlayTime(const QString& h, const QString& m, const QString& s, const QString& f)
{
    update(m_playTimeHour, h, &Communication::playTimeHourChanged);
    update(m_playTimeMin, m, &Communication::playTimeMinChanged);
    update(m_playTimeSec, s, &Communication::playTimeSecChanged);
    update(m_playTimeFlame, f, &Communication::playTimeFlameChanged);
}

void Communication::setRemainingTime(const QString& h, const QString& m, const QString& s, const QString& f)
{
    update(m_remainingTimeHour, h, &Communication::remainingTimeHourChanged);
    update(m_remainingTimeMin, m, &Communication::remainingTimeMinChanged);
    update(m_remainingTimeSec, s, &Communication::remainingTimeSecChanged);
    update(m_remainingTimeFlame, f, &Communication::remainingTimeFlameChanged);
}

// "88": elapsed time HHMMSSFF pushed by the recorder; the remaining time
// follows from the known track length (negative when it is shorter).
void Communication::onTimeNotify(const QString& data)
{
    const QString h = data.mid(0, 2), m = data.mid(2, 2), s = data.mid(4, 2), f = data.mid(6, 2);
    setPlayTime(h, m, s, f);
    update(m_trackElapsedTimeFlame, frames(h, m, s, f), &Communication::trackElapsedTimeFlameChanged);
    const int r = m_trackTotalTimeFlame - m_trackElapsedTimeFlame;
    setRemainingTime(QLatin1Char('-') + pad2(r / 360000), pad2((r / 6000) % 60), pad2((r / 100) % 60), pad2(r % 100));
}

void Communication::onJogModeReply(const QString& data)
{
    update(m_jogMode, flag(data), &Communication::jogModeChanged);
}

// "A5": units, tenths, sign, tens. Signalled on every reply: the pitch slider
// re-reads the value each time.
void Communication::onPitchDataReply(const QString& data)
{
    if (data.size() < 4)
        return;
    QString text = data.at(2) == QLatin1Char('0') ? QStringLiteral("+") : QStringLiteral("-");
    if (data.at(3) != QLatin1Char('0'))
        text += data.at(3);
    text += data.at(0);
    text += QLatin1Char('.');
    text += data.at(1);
    m_pitchData = text;
    emit pitchDataChanged(m_pitchData);
    // A report older than the user's own unanswered set leaves the knob.
    if (!askedPitch.waiting())
        emit pitchShownChanged(m_pitchData);
}

// "AD": sign, one digit.
void Communication::onKeyDataReply(const QString& data)
{
    if (data.size() < 2)
        return;
    const int digit = decimal(data.mid(1, 1));
    if (!update(m_keyData, data.at(0) == QLatin1Char('0') ? digit : -digit, &Communication::keyDataChanged))
        return;
    if (!askedKey.waiting())
        emit keyShownChanged(m_keyData);
    menu->panelSettingChanged(Menu::Key);
}

void Communication::onFlagReply(const QString& code, const QString& data)
{
    struct FlagProperty
    {
        const char* code;
        bool Communication::*member;
        void (Communication::*changed)(bool);
    };
    static const FlagProperty flags[] = {
        { "B0", &Communication::m_autoCue, &Communication::autoCueChanged },
        { "B1", &Communication::m_autoTrack, &Communication::autoTrackChanged },
        { "B5", &Communication::m_pitchStatus, &Communication::pitchStatusChanged },
        { "B6", &Communication::m_autoReady, &Communication::autoReadyChanged },
        { "B8", &Communication::m_syncRec, &Communication::syncRecChanged },
        { "BA", &Communication::m_incPlay, &Communication::incPlayChanged },
        { "BD", &Communication::m_keyStatus, &Communication::keyStatusChanged },
    };
    for (const FlagProperty& f : flags) {
        if (code == QLatin1String(f.code)) {
            // The settings menu shows pitch and key on or off too.
            if (update(this->*f.member, flag(data), f.changed) && (f.member == &Communication::m_pitchStatus
                                                                    || f.member == &Communication::m_keyStatus))
                menu->panelSettingChanged(f.member == &Communication::m_pitchStatus ? Menu::Pitch : Menu::Key);
            return;
        }
    }
}

// "CE": the digit at position 1. Signalled on every recognised value, so the
// timer-event model re-evaluates on each reply.
void Communication::onPlayModeReply(const QString& data)
{
    QString mode;
    switch (decimal(data.mid(1, 1))) {
    case 0: mode = QStringLiteral("CONTINUE"); break;
    case 1: mode = QStringLiteral("SINGLE"); break;
    case 4:
    case 5: mode = QStringLiteral("PROGRAM"); break;
    case 6: mode = QStringLiteral("RANDOM"); break;
    default: return;
    }
    const bool changed = mode != m_playMode;
    m_playMode = mode;
    emit playModeChanged(m_playMode);
    if (changed)
        menu->panelSettingChanged(Menu::PlayMode);
}

// "D0": transport status. Decides whether the 500 ms status poll runs (while
// idle, stopped or busy) and asks for what the new status needs.
void Communication::onStatusReply(const QString& data)
{
    update(m_statusIcon, hex(data.mid(0, 2)), &Communication::statusIconChanged);
    const int s = m_statusIcon;
    if (s == 0 || s == 16 || s == 255)
        startStatusPoll();
    else
        stopStatusPoll();

    if (s == 255) {
        send("015FF\r\n07F6A66\r\n"); // jog mode and what the recorder is busy with
        return;
    }
    update(m_jogMode, false, &Communication::jogModeChanged);
    switch (s) {
    case 129:
    case 130:
    case 131:
        mark->clearMarks();
        send("07F6A01\r\n07F6A02\r\n");
        break;
    case 17:
    case 18:
        send("07F6A01\r\n07F6A02\r\n");
        break;
    case 0: {
        mark->clearMarks();
        const QString zero = QStringLiteral("00");
        setPlayTime(zero, zero, zero, zero);
        setRemainingTime(zero, zero, zero, zero);
        update(m_trackTotalTimeFlame, 0, &Communication::trackTotalTimeFlameChanged);
        update(m_trackElapsedTimeFlame, 0, &Communication::trackElapsedTimeFlameChanged);
        break;
    }
    default:
        break;
    }
}

// "D5": two unread characters, then the track number as a number field.
void Communication::onTrackNoReply(const QString& data)
{
    const QString number = data.mid(5, 1) + data.mid(2, 2);
    if (!update(m_nowTrackNo, number, &Communication::nowTrackNoChanged))
        return;
    send(m_displayMode ? "05802\r\n05803\r\n07F6A01\r\n" : "05800\r\n05801\r\n07F6A01\r\n");
    sendWithPermission("07F6B05\r\n");
}

void Communication::onCdTypeReply(const QString& data)
{
    QString type;
    if (data.startsWith(QLatin1String("00")))
        type = QStringLiteral("CD");
    else if (data == QLatin1String("0100"))
        type = QStringLiteral("CD-DA");
    else if (data == QLatin1String("0101"))
        type = QStringLiteral("CD-R");
    else if (data == QLatin1String("0102"))
        type = QStringLiteral("CD-RW");
    else if (data == QLatin1String("0110"))
        type = QStringLiteral("Data CD");
    else if (data == QLatin1String("0111"))
        type = QStringLiteral("CD-R Data");
    else if (data == QLatin1String("0112"))
        type = QStringLiteral("CD-RW Data");
    update(m_cdType, type, &Communication::cdTypeChanged);
}

// "D8": type, minutes as a number field, seconds, hundredths. Types 0 and 2
// are elapsed times (track, whole medium); the others remaining times. The
// time poll asks for the elapsed time first, so a remaining reply completes
// the track length from the elapsed reply just before it.
void Communication::onTimeReply(const QString& data)
{
    const int type = decimal(data.mid(0, 2));
    QString h, m, s, f;
    if (data.mid(4, 2) == QLatin1String("--") || decimal(data.mid(4, 1)) > 5) {
        h = QStringLiteral("99");
        m = QStringLiteral("59");
        s = QStringLiteral("59");
        f = QStringLiteral("99");
    } else {
        const int minutes = numberField(data, 2);
        h = pad2(minutes / 60);
        m = pad2(minutes % 60);
        s = data.mid(6, 2);
        f = data.mid(8, 2);
    }

    if (type == 0 || type == 2) {
        setPlayTime(h, m, s, f);
        lastElapsedTimeFlame = frames(h, m, s, f);
        return;
    }

    setRemainingTime(QLatin1Char('-') + h, m, s, f);
    int total = lastElapsedTimeFlame + frames(h, m, s, f);
    if (total == 0)
        total = 1;
    if (update(m_trackTotalTimeFlame, total, &Communication::trackTotalTimeFlameChanged) && markRedrawState == 2) {
        mark->reemitMarks();
        markRedrawState = 0;
    }
    update(m_trackElapsedTimeFlame, lastElapsedTimeFlame, &Communication::trackElapsedTimeFlameChanged);
}

// "DD": the number of tracks as a number field.
void Communication::onTotalTrackReply(const QString& data)
{
    update(m_allTrackNo, data.mid(3, 1) + data.mid(0, 2), &Communication::allTrackNoChanged);
}

// "F6": the recorder's state changed; "00" waits while a browse operation runs.
void Communication::onChangeNotify(const QString& data)
{
    const QString notice = data.left(2);
    if ((notice == QLatin1String("00") && browse->commandPending == 0) || notice == QLatin1String("03"))
        requestAllStatus();
}
