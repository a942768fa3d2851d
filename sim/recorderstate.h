#pragma once

// The simulated recorder's status: transport, time, tracks and marks of each
// medium, front-panel settings, level meters and the edit right shared by the
// connected control applications.
//
// Attaching it: sim::installStatusModel(recorder) creates the one
// RecorderState of a SimRecorder (a child object of it) and adds its command
// handler; calling it again returns the same object, and
// sim::statusModel(recorder) finds it (null when not installed); it also
// installs the recorder's settings menu (menumodel.h). It is the
// one record of the recorder: further services (discovery answers, FTP, power)
// read their data from here (currentMediumName(), status(), each medium's
// playlist folder in medium(name).playlists and .playlistSubfolders, the
// loaded playlist in .playlist) and never keep a copy. The playlist-load
// command is answered here too. Services add their own command handlers next
// to this one with SimRecorder::addCommandHandler; this handler claims only
// the commands listed in statuscommands.cpp and returns false for every other
// line, so handlers added later still see those.
//
// While the unit is in standby (SimRecorder::powered false) it tells the
// applications nothing of its own accord: no change notices, no pushed
// times, no level reports.
//
// Scenario API for tests: the press*() methods and the setters act as a person
// at the front panel would, and tell every connected application through the
// recorder's change notice. Plain settings live in `panel`: change a field,
// then call announce().

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

namespace sim {

class SimConnection;
class SimRecorder;

struct SimTrack
{
    QString title;
    int length = 0;     // frames (hundredths of a second)
    QList<int> marks;   // frames from the track start, ascending
};

struct SimMedium
{
    QList<SimTrack> tracks;
    QStringList folders = { QStringLiteral("ROOT") };
    int folderIndex = 0;
    QString playlist;      // loaded playlist file name, as the recorder reports it
    QStringList playlists; // files in the medium's _playlists folder (playlists end in ".ppl")
    QStringList playlistSubfolders; // folders inside _playlists
};

// Front-panel settings, as the recorder reports them.
struct SimPanel
{
    int playArea = 0; // 0 ALL, 1 FOLDER, 2 PLAYLIST
    int playMode = 0; // 0 CONTINUE, 1 SINGLE, 4 PROGRAM, 6 RANDOM
    int repeat = 0;   // 0 off, 1 on, 2 A point set, 3 A-B
    bool pitchOn = false;
    int pitchTenths = 0; // -999 .. 999
    bool keyOn = false;
    int key = 0; // -9 .. 9
    bool autoCue = false;
    bool autoTrack = false;
    bool autoReady = false;
    bool syncRec = false;
    bool incPlay = false;
    bool flashLoad = false;
    int recordFormat = 0; // format + 8 * sampling rate (0, 1), or 16
    int backupRelayPair = 0;
    int input = 0;
    bool digitalInLocked = true;
    bool phantom = false;
    bool timerEvent = false;
    bool upload = false;
    bool download = false;
    bool agc = false;
    int dynamics = 0;
    bool lowCut = false;
    bool autoMark = false;
    bool src = false;
    bool monoMix = false;
    bool jogMode = false;
    QString cdType = QStringLiteral("0100"); // as in the CD type reply
    bool finalized = true;
    bool readOnly = false;
};

class RecorderState : public QObject
{
    Q_OBJECT
public:
    // Transport status codes as the recorder reports them.
    enum Status {
        NoStatus = 0,
        Stopped = 16,
        Playing = 17,
        PlayPaused = 18,
        Recording = 129,
        RecordPaused = 130,
        // A third record state, shown as record pause; the transport lines
        // act on it as on record pause.
        RecordOther = 131,
        Busy = 255,
    };
    static bool isRecordPause(int status) { return status == RecordPaused || status == RecordOther; }
    static bool isRecording(int status) { return status == Recording || isRecordPause(status); }

    explicit RecorderState(SimRecorder* recorder);
    ~RecorderState() override;

    SimRecorder* recorder() const { return m_recorder; }

    // Answers one command line; false for lines it does not know.
    bool handleCommand(SimConnection* connection, const QString& line);

    // --- front panel -------------------------------------------------------
    void pressPlay();
    void pressStop();
    void pressPause();
    void pressRecord();
    void setStatus(int status);
    void setBusy(int detail); // 1 Finalizing, 2 Erasing, 3 Burning, 4 Ripping
    void selectMedium(const QString& name); // "SD1", "SD2", "USB", "CD"
    void seek(int trackNumber, int frames);
    void addMark(int frames); // in the current track
    void setLevels(int left, int right, int leftPeak, int rightPeak, bool leftOver, bool rightOver);
    void setReadOnly(bool readOnly);
    void revokeEditRight(); // the holder loses the right
    void showPopup(int code);
    void setPlaylist(const QString& name); // of the current medium
    // Tells every logged-in application that the status changed.
    void announce();
    // Sends line to every logged-in application but origin.
    void tellOthers(SimConnection* origin, const QString& line) { push(origin, Send::ToOthers, line); }
    // Sends every logged-in application, unasked, the report a status query
    // is answered with ("050", "07F01FF", "025FF", ...), as a recorder may at
    // any time; false for a line that is no such query.
    bool pushReport(const QString& query);

    SimPanel panel;

signals:
    // Around every switch of the medium, from the front panel or over the
    // wire (after its answer): the settings menu's lists follow the medium.
    void mediumChanging();
    void mediumChanged();

public:
    // --- state -------------------------------------------------------------
    int status() const { return m_status; }
    int busyDetail() const { return m_busyDetail; }
    QString currentMediumName() const { return m_medium; }
    SimMedium& medium(const QString& name) { return m_media[name]; }
    SimMedium& current() { return m_media[m_medium]; }
    int trackNumber() const; // 1-based, 0 without tracks
    int position();          // frames into the current track
    int searchSpeed() const { return m_speed; }
    int editRightHolder() const { return m_editHolder; } // connection id, 0 for none
    bool levelMeterOn(int connectionId) const { return m_meters.contains(connectionId); }

private:
    enum class Send { ToOrigin, ToOthers, ToAll };
    void push(SimConnection* origin, Send to, const QString& line);
    void changed(SimConnection* origin) { push(origin, Send::ToOthers, QStringLiteral("0F600")); }

    void setTransport(int status, int speed);
    // Stops and goes to the first track of medium name, when this model has
    // it; emits mediumChanging first. False when it has no such medium.
    bool switchMedium(const QString& name);
    void settle(); // folds the running clock into the position
    void tick();
    void startRecordingTrack();
    void stepTrack(int delta);
    void stepFolder(int delta);
    void moveBy(int frames);
    SimTrack* track();
    int trackTop();
    int mediumLength();
    QString timeReply(int type);
    QString levelReport() const;
    void onConnectionClosed(int id);

    // Command groups (statuscommands.cpp).
    bool answerQuery(SimConnection* c, const QString& line);
    bool applyTransport(SimConnection* c, const QString& line);
    bool applySetting(SimConnection* c, const QString& line);
    bool applyMarkOrRight(SimConnection* c, const QString& line);
    bool loadPlaylist(SimConnection* c, const QString& line);

    SimRecorder* m_recorder;
    QMap<QString, SimMedium> m_media;
    QString m_medium = QStringLiteral("SD1");
    int m_status = Stopped;
    int m_busyDetail = 0;
    int m_trackIndex = 0;
    qint64 m_anchor = 0;  // position at the last settle
    int m_speed = 0;      // frames per elapsed frame: 0 still, 1 playing, +-10 searching
    QElapsedTimer m_clock;
    int m_levels[4] = { 0, 0, 0, 0 };
    bool m_over[2] = { false, false };
    QSet<int> m_meters; // connections that receive level reports
    int m_editHolder = 0;
    int m_ticks = 0;
};

RecorderState* installStatusModel(SimRecorder& recorder);
RecorderState* statusModel(const SimRecorder& recorder);

// Wire helpers shared by the recorder's services.
QString numberField(int value);         // 4 digits, low pair first
// The number field at pos of a command line; -1 when it is not 4 digits.
int readNumberField(const QString& line, int pos);
QString twoDigits(int value);           // 0 .. 99
QString clockText(int frames);          // HHMMSSFF
// The answer by the reply rule to a line the recorder answers with nothing
// of its own: "010" gives "090", "07F6A1A01" "0FF6A9A01".
QString replyTo(const QString& line);
QString mediumCode(const QString& name); // "00", "01", "10", "11"; "FF" for none
// The medium of a drive of the FTP server and the playlist paths: "A:" SD1,
// "B:" SD2, "C:" USB; "" for any other drive.
QString mediumOfDrive(const QString& drive);

} // namespace sim
