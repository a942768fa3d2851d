// Front-panel requests called by the home screen. None changes a property:
// the new state comes back through the replies and the polls. None tests the
// login state: while the link is down the command channel drops the lines.
#include "communication.h"

#include "mark.h"
#include "menu.h"
#include "telnet.h"

#include <QByteArray>
#include <algorithm>

namespace {

bool recordPause(int status)
{
    return status == 130 || status == 131;
}

} // namespace

// While a transport request of the user's is unanswered, the status reports
// are older than it: the next request counts from the status it leads to.
int Communication::transportStatus() const
{
    if (!askedStatus.waiting())
        return m_statusIcon;
    return askedStatus.value().isValid() ? askedStatus.value().toInt() : unknownStatus;
}

// The line is not answered itself; the next status query shows its effect.
void Communication::sendTransport(const char* line, int leadsTo)
{
    send(line);
    askedStatus.asked(leadsTo == unknownStatus ? QVariant() : QVariant(leadsTo), true);
}

// Marks and skips count from the start of the track. With the total times
// shown, the elapsed time is the medium's: the track starts at its top.
int Communication::trackPosition() const
{
    return m_displayMode ? m_trackElapsedTimeFlame - m_currentTrackTop : m_trackElapsedTimeFlame;
}

void Communication::forgetTransportAsked()
{
    m_recordAsks.clear();
}

// A key that chooses its line by the status or the position waits while the
// user's last line has taken either where only the recorder's next report
// shows; every key pressed after it waits behind it. STOP, PLAY, the end of
// a search and a time search write the same line from anywhere: they go at
// once unless keys wait before them. PAUSE, REC and the start of a search
// choose by the status alone, the skips by the position too.
bool Communication::transportUnknown(KeyNeeds needs) const
{
    const bool status = askedStatus.waiting() && !askedStatus.value().isValid();
    const bool position = askedPosition.waiting() && !askedPosition.value().isValid();
    return (needs != KeyNeeds::Order && status) || (needs == KeyNeeds::Position && position);
}

void Communication::transportKey(std::function<void()> key, KeyNeeds needs)
{
    if (!m_heldKeys.isEmpty() || transportUnknown(needs))
        m_heldKeys.append({ std::move(key), needs });
    else
        key();
}

// A wait ends as its report is counted, before the report itself is read:
// the held keys go once it has been.
void Communication::heldKeysDue()
{
    if (m_heldKeys.isEmpty() || m_heldKeysDue)
        return;
    m_heldKeysDue = true;
    QMetaObject::invokeMethod(this, &Communication::runHeldKeys, Qt::QueuedConnection);
}

void Communication::runHeldKeys()
{
    m_heldKeysDue = false;
    while (!m_heldKeys.isEmpty() && !transportUnknown(m_heldKeys.first().second))
        m_heldKeys.takeFirst().first();
}

// Where each upper-row key leads, by the status it counts from. Record pause
// is 130; the third record state, 131, takes the same lines. Where nothing
// tells what a line does in a status (PLAY while recording, any key without
// a transport state: 0, 1, 128, busy), the next key waits for the report.
void Communication::stopRequest()
{
    transportKeyPressed();
    transportKey([this] {
        const int s = transportStatus();
        sendTransport("010\r\n", (s >= 16 && s <= 18) || (s >= 129 && s <= 131) ? 16 : unknownStatus);
    }, KeyNeeds::Order);
}

void Communication::playRequest()
{
    transportKeyPressed();
    transportKey([this] {
        const int s = transportStatus();
        sendTransport("012\r\n07F6A3F01\r\n", s >= 16 && s <= 18 ? 17 : unknownStatus);
    }, KeyNeeds::Order);
}

void Communication::pauseRequest()
{
    transportKeyPressed();
    transportKey([this] {
        const int s = transportStatus();
        if (s == 18)
            sendTransport("01D\r\n", 17);
        else if (s == 129)
            sendTransport("01301\r\n", 130);
        else
            sendTransport("01401\r\n", s == 16 || s == 17 ? 18 : recordPause(s) ? 129 : unknownStatus);
    });
}

// Outside recording REC only asks whether a recording may start; the record
// line follows the answer ("72"), unless another upper-row key was pressed
// meanwhile: that key has taken its place.
void Communication::recRequest()
{
    transportKeyPressed();
    const quint64 press = m_transportKeys;
    transportKey([this, press] {
        if (transportStatus() == 129) {
            sendTransport("01302\r\n", 129);
            return;
        }
        send("07F720101\r\n");
        m_recordAsks.append(press);
    });
}

// While stopped, or without marks, a skip goes to the neighbouring track;
// during playback with marks the mark list chooses between mark and track.
// A skip counts from where the user's last skip leads while its position has
// not been reported; right after a skip to another track the marks held are
// of the track left, so the next skip goes by track too.
void Communication::trackSkip(bool backward)
{
    const int s = transportStatus();
    int leadsTo = -1;
    const bool playing = s == 17 || s == 18;
    if (s == 16 || mark->markTimes().isEmpty() || (playing && mark->listAsked.waiting())) {
        send(backward ? "01A01\r\n055\r\n" : "01A00\r\n055\r\n");
    } else if (playing) {
        const int from = askedPosition.waiting() ? askedPosition.value().toInt() : trackPosition();
        leadsTo = backward ? mark->skipToPreviousMark(from) : mark->skipToNextMark(from);
    } else {
        return;
    }
    askedPosition.asked(qMax(leadsTo, 0), true);
    if (leadsTo < 0)
        mark->listAsked.asked(QVariant(), true);
}

void Communication::trackSkipPreviousRequest()
{
    transportKey([this] { trackSkip(true); }, KeyNeeds::Position);
}

void Communication::trackSkipNextRequest()
{
    transportKey([this] { trackSkip(false); }, KeyNeeds::Position);
}

// A fast search starts only from play or play pause and remembers which; the
// cancel returns there. Where the search has taken the position only the
// recorder's next report after the cancel shows.
void Communication::startSearch(const char* command)
{
    const int s = transportStatus();
    if (s == 17 || s == 18) {
        searchReturnStatus = s;
        send(command);
        m_searching = true;
    } else {
        searchReturnStatus = 0;
    }
}

void Communication::reverseRequest()
{
    transportKey([this] { startSearch("01601\r\n"); });
}

void Communication::forwardRequest()
{
    transportKey([this] { startSearch("01600\r\n"); });
}

void Communication::cancelReverseRequest()
{
    cancelForwardRequest();
}

void Communication::cancelForwardRequest()
{
    transportKey([this] {
        if (searchReturnStatus == 17)
            sendTransport("012\r\n", 17);
        else if (searchReturnStatus == 18)
            sendTransport("01401\r\n", 18);
        else
            return;
        if (m_searching)
            askedPosition.asked(QVariant(), true);
        m_searching = false;
    }, KeyNeeds::Order);
}

// During playback a time skip jumps ten seconds within the track; while
// stopped it steps to the neighbouring folder, or playlist in the playlist
// play area.
void Communication::timeSkip(bool backward)
{
    const int s = transportStatus();
    if (s == 17 || s == 18) {
        const int from = askedPosition.waiting() ? askedPosition.value().toInt() : trackPosition();
        send(backward ? "01A31\r\n" : "01A30\r\n");
        askedPosition.asked(qMax(0, from + (backward ? -1000 : 1000)), true);
    } else if (s == 16) {
        const QString area = playAreaPick();
        if (area == QLatin1String("FOLDER"))
            send(backward ? "07F6A1A01\r\n" : "07F6A1A00\r\n");
        else if (area == QLatin1String("PLAYLIST"))
            startPlaylistStep(backward);
    }
}

void Communication::timeSkipPreviousRequest()
{
    transportKey([this] { timeSkip(true); }, KeyNeeds::Position);
}

void Communication::timeSkipNextRequest()
{
    transportKey([this] { timeSkip(false); }, KeyNeeds::Position);
}

void Communication::setARequest()
{
    send("02A\r\n");
}

void Communication::setBRequest()
{
    send("02B\r\n");
}

void Communication::abOffRequest()
{
    send("03700\r\n");
}

void Communication::markRequest()
{
    if (m_nowTrackNo == QLatin1String("000"))
        return;
    send("07F0310\r\n");
    mark->startQuery();
}

void Communication::flashLoadRequest()
{
    send("017\r\n");
}

// The settings menu shows pitch, key, play area and play mode too: each
// change sent here has its row read again behind it.
void Communication::pitchRequest()
{
    send(m_pitchStatus ? "03500\r\n" : "03501\r\n");
    menu->panelSettingChanged(Menu::Pitch);
}

void Communication::keyRequest()
{
    send(m_keyStatus ? "03D00\r\n" : "03D01\r\n");
    menu->panelSettingChanged(Menu::Key);
}

// The pitch travels as ones, tenths, sign ("0" plus, "1" minus) and tens. The
// magnitude, nudged by 0.001 against binary fractions, is cut to tenths. A
// value whose magnitude needs three integer digits (or is not a number) does
// not fit the field and is ignored. A value that cuts to 0.0 is sent as +0.0:
// the recorder has no minus zero.
void Communication::pitchDataSetRequest(double value)
{
    const bool negative = value < 0;
    const QString digits = QString::number(negative ? 0.001 - value : value + 0.001, 'f', 6);
    const int point = digits.indexOf(QLatin1Char('.'));
    if (point != 1 && point != 2)
        return;
    const QChar tens = point == 2 ? digits.at(0) : QLatin1Char('0');
    const QChar ones = digits.at(point - 1);
    const QChar tenths = digits.at(point + 1);
    const bool zero = tens == QLatin1Char('0') && ones == QLatin1Char('0') && tenths == QLatin1Char('0');
    const bool minus = negative && !zero;

    const QString text = (minus ? QStringLiteral("-") : QStringLiteral("+")) + digits.left(point + 2);
    if (text == getPitchShown())
        return;
    QByteArray command("025");
    command += ones.toLatin1();
    command += tenths.toLatin1();
    command += minus ? '1' : '0';
    command += tens.toLatin1();
    command += "\r\n";
    send(command.constData());
    askedPitch.asked(text);
    emit pitchShownChanged(text);
}

// The key travels as sign and one digit; the value is rounded to a whole
// number. A key that needs two digits (or is not a number) is ignored. A value
// that rounds to 0 is sent as +0, as the pitch is.
//
// Both go only when they differ from where the knob stands (pitchShown,
// keyShown): the user's last set while it is unanswered, else the
// recorder's report. So a step taken back before the answer came goes too.
void Communication::keyDataSetRequest(double value)
{
    const bool negative = value < 0;
    const QString digits = QString::number(negative ? 0.001 - value : value + 0.001, 'f', 0);
    if (digits.size() != 1 || !digits.at(0).isDigit())
        return;
    const int key = negative ? -digits.toInt() : digits.toInt();
    if (key == getKeyShown())
        return;
    QByteArray command("02D");
    command += key < 0 ? '1' : '0';
    command += digits.toLatin1();
    command += "\r\n";
    send(command.constData());
    askedKey.asked(key);
    emit keyShownChanged(key);
    menu->panelSettingChanged(Menu::Key);
}

void Communication::requestMedium(const char* line, const QString& name)
{
    send(line);
    askedMedium.asked(name);
    menu->mediumChangeSent();
}

void Communication::currentMediaUSBRequest()
{
    requestMedium("07F0110\r\n", QStringLiteral("USB"));
}

void Communication::currentMediaSD1Request()
{
    requestMedium("07F0100\r\n", QStringLiteral("SD1"));
}

void Communication::currentMediaSD2Request()
{
    requestMedium("07F0101\r\n", QStringLiteral("SD2"));
}

void Communication::currentMediaCDRequest()
{
    requestMedium("07F0111\r\n", QStringLiteral("CD"));
}

void Communication::requestPlayArea(const char* line, const QString& name)
{
    send(line);
    askedPlayArea.asked(name);
    menu->panelSettingChanged(Menu::PlayArea);
}

void Communication::playAreaAllRequest()
{
    requestPlayArea("07F074F00\r\n", QStringLiteral("ALL"));
}

void Communication::playAreaFolderRequest()
{
    requestPlayArea("07F074F01\r\n", QStringLiteral("FOLDER"));
}

void Communication::playAreaPlaylistRequest()
{
    requestPlayArea("07F074F02\r\n", QStringLiteral("PLAYLIST"));
}

// The recorder's answer to a pick ("CD") does not report the mode: the query
// behind it does, and that report answers the pick.
void Communication::requestPlayMode(const char* lines, const QString& name)
{
    send(lines);
    askedPlayMode.asked(name);
    menu->panelSettingChanged(Menu::PlayMode);
}

// A pick in the settings menu changed a value this tab shows: the value is
// read right behind the pick, as the recorder need not report it to the
// application that set it; its answer follows the pick's. A front-panel
// setting's pick is also the user's last request of that value until the
// report comes, as one made on this tab would be: a pick here is compared
// with it, a step counts from it.
void Communication::readPanelSetting(int setting, const QString& choice, int index)
{
    // By Menu::PanelSetting, then Menu::ShownSetting.
    static const char* const queries[] = {
        "07F074FFF\r\n",          // play area
        "04E\r\n",                // play mode
        "035FF\r\n",              // pitch on or off
        "03DFF\r\n02DFF\r\n",     // key on or off, key
        "07F6A04\r\n07F6A05\r\n", // input select: the input, and whether phantom power reaches it
        "07F6A05\r\n",            // input gain: whether phantom power reaches the input
        "07F6A05\r\n",            // phantom power
        "07F6A0C\r\n07F6A62\r\n", // record format and sampling rate, and the mono setting they may change
        "07F6A62\r\n",            // stereo or mono
        "07F6A62\r\n",            // mono mix
        "07F6A0D\r\n",            // AGC
        "07F6A0E\r\n",            // dynamics
        "07F6A60\r\n",            // low cut
        "031FF\r\n",              // auto track
        "038FF\r\n",              // sync record
        "07F6A61\r\n",            // auto mark
        "07F12110000FF\r\n",      // digital input's sampling-rate converter
        "07F6A0A\r\n",            // repeat
        "030FF\r\n",              // auto cue
        "036FF\r\n",              // auto ready
        "03AFF\r\n",              // incremental play
        "07F6A0B\r\n07F6A0C\r\n", // backup or relay: the pair of media, and the format that names it
        // any other list: every value above
        "07F6A04\r\n07F6A05\r\n07F6A0C\r\n07F6A62\r\n07F6A0D\r\n07F6A0E\r\n07F6A60\r\n031FF\r\n"
        "038FF\r\n07F6A61\r\n07F12110000FF\r\n07F6A0A\r\n030FF\r\n036FF\r\n03AFF\r\n07F6A0B\r\n",
    };
    static_assert(sizeof queries / sizeof *queries == Menu::ShownSettings, "a query for every setting");
    if (setting < Menu::PlayArea || setting >= Menu::ShownSettings)
        return;
    send(queries[setting]);
    static const QStringList areas { QStringLiteral("ALL"), QStringLiteral("FOLDER"), QStringLiteral("PLAYLIST") };
    static const QStringList modes { QStringLiteral("CONTINUE"), QStringLiteral("SINGLE"), QStringLiteral("PROGRAM"),
                                     QStringLiteral("RANDOM") };
    if (setting == Menu::PlayArea && areas.contains(choice)) {
        askedPlayArea.asked(choice);
    } else if (setting == Menu::PlayMode && modes.contains(choice)) {
        askedPlayMode.asked(choice);
    } else if (setting == Menu::Pitch && (choice == QLatin1String("ON") || choice == QLatin1String("OFF"))) {
        update(m_pitchStatus, choice == QLatin1String("ON"), &Communication::pitchStatusChanged);
    } else if (setting == Menu::Key && index >= 0 && index <= 12) {
        askedKey.asked(index - 6);
        emit keyShownChanged(index - 6);
    }
}

void Communication::playModeContinueRequest()
{
    requestPlayMode("04D00\r\n04E\r\n", QStringLiteral("CONTINUE"));
}

void Communication::playModeSingleRequest()
{
    requestPlayMode("04D01\r\n04E\r\n", QStringLiteral("SINGLE"));
}

void Communication::playModeProgramRequest()
{
    requestPlayMode("04D04\r\n04E\r\n", QStringLiteral("PROGRAM"));
}

void Communication::playModeRandomRequest()
{
    requestPlayMode("04D06\r\n04E\r\n", QStringLiteral("RANDOM"));
}

QString Communication::mediumPick() const
{
    return askedMedium.waiting() ? askedMedium.value().toString() : m_currentMedia;
}

QString Communication::playAreaPick() const
{
    return askedPlayArea.waiting() ? askedPlayArea.value().toString() : m_playArea;
}

QString Communication::playModePick() const
{
    return askedPlayMode.waiting() ? askedPlayMode.value().toString() : m_playMode;
}

// Track number and total minutes as number fields, then two digits each of
// seconds and hundredths. Out-of-range fields write nothing.
void Communication::timeSearchRequest(QString trk, QString h, QString m, QString s, QString f)
{
    transportKey([=] { timeSearch(trk, h, m, s, f); }, KeyNeeds::Order);
}

void Communication::timeSearch(const QString& trk, const QString& h, const QString& m, const QString& s,
                               const QString& f)
{
    const int track = trk.toInt(), hours = h.toInt(), minutes = m.toInt(), seconds = s.toInt(), hundredths = f.toInt();
    if (track < 1 || track > 999 || hours < 0 || hours > 99 || minutes < 0 || minutes > 59 || seconds < 0
        || seconds > 59 || hundredths < 0 || hundredths > 99)
        return;
    char command[] = "02Cttttmmmmssff\r\n";
    setCommandNumberField(command + 3, track);
    setCommandNumberField(command + 7, hours * 60 + minutes);
    const QByteArray tail = QByteArray::number(seconds).rightJustified(2, '0')
        + QByteArray::number(hundredths).rightJustified(2, '0');
    std::copy(tail.begin(), tail.end(), command + 11);
    send(command);
    // Skips count from the time searched; in another track, by track until
    // its marks are read.
    askedPosition.asked((hours * 60 + minutes) * 6000 + seconds * 100 + hundredths, true);
    if (track != m_nowTrackNo.toInt())
        mark->listAsked.asked(QVariant(), true);
}
