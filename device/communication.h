#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "askedvalue.h"
#include "replyorder.h"
#include "datasettings.h"
#include "ftpaccess.h"

class Telnet;
class Menu;
class Mark;
class Playlist;
class Browse;
class TimerEvent;
class Permission;
class QTimerEvent;

// The recorder's state as the user interface sees it, and the owner of the
// link's life: login state machine with automatic retries, full-status refresh,
// the status, time and sleep polls, and the handlers of every reply line.
//
// Sources: communication.cpp (lifecycle, polls, dispatch),
// communication_requests.cpp (front-panel requests),
// communication_replies.cpp (two-character replies),
// communication_extended.cpp ("FF" extended replies),
// communication_playliststep.cpp (playlist stepping of the time skips).
class Communication : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int loginState READ getLoginState NOTIFY loginStateChanged)
    Q_PROPERTY(bool loginComp READ getLoginComp NOTIFY loginCompChanged)
    Q_PROPERTY(QString currentMedia READ getCurrentMedia NOTIFY currentMediaChanged)
    Q_PROPERTY(QString currentMediaBackupRelay READ getCurrentMediaBackupRelay NOTIFY currentMediaBackupRelayChanged)
    Q_PROPERTY(QString playArea READ getPlayArea NOTIFY playAreaChanged)
    Q_PROPERTY(QString playMode READ getPlayMode NOTIFY playModeChanged)
    Q_PROPERTY(bool backupRelay READ getBackupRelay NOTIFY backupRelayChanged)
    Q_PROPERTY(QString folder READ getFolder NOTIFY folderChanged)
    Q_PROPERTY(QString playList READ getPlayList NOTIFY playListChanged)
    Q_PROPERTY(int statusIcon READ getStatusIcon NOTIFY statusIconChanged)
    Q_PROPERTY(int statusDetail READ getStatusDetail NOTIFY statusDetailChanged)
    Q_PROPERTY(QString playTimeHour READ getPlayTimeHour NOTIFY playTimeHourChanged)
    Q_PROPERTY(QString playTimeMin READ getPlayTimeMin NOTIFY playTimeMinChanged)
    Q_PROPERTY(QString playTimeSec READ getPlayTimeSec NOTIFY playTimeSecChanged)
    Q_PROPERTY(QString playTimeFlame READ getPlayTimeFlame NOTIFY playTimeFlameChanged)
    Q_PROPERTY(QString remainingTimeHour READ getRemainingTimeHour NOTIFY remainingTimeHourChanged)
    Q_PROPERTY(QString remainingTimeMin READ getRemainingTimeMin NOTIFY remainingTimeMinChanged)
    Q_PROPERTY(QString remainingTimeSec READ getRemainingTimeSec NOTIFY remainingTimeSecChanged)
    Q_PROPERTY(QString remainingTimeFlame READ getRemainingTimeFlame NOTIFY remainingTimeFlameChanged)
    Q_PROPERTY(QString nowTrackNo READ getNowTrackNo NOTIFY nowTrackNoChanged)
    Q_PROPERTY(QString allTrackNo READ getAllTrackNo NOTIFY allTrackNoChanged)
    Q_PROPERTY(bool pitchStatus READ getPitchStatus NOTIFY pitchStatusChanged)
    Q_PROPERTY(QString pitchData READ getPitchData NOTIFY pitchDataChanged)
    Q_PROPERTY(bool keyStatus READ getKeyStatus NOTIFY keyStatusChanged)
    Q_PROPERTY(int keyData READ getKeyData NOTIFY keyDataChanged)
    // Where the knobs stand: while a pitch or key the user set is unanswered,
    // the last one asked; otherwise the recorder's pitchData and keyData.
    Q_PROPERTY(QString pitchShown READ getPitchShown NOTIFY pitchShownChanged)
    Q_PROPERTY(int keyShown READ getKeyShown NOTIFY keyShownChanged)
    Q_PROPERTY(bool flashLoad READ getFlashLoad NOTIFY flashLoadChanged)
    Q_PROPERTY(bool autoReady READ getAutoReady NOTIFY autoReadyChanged)
    Q_PROPERTY(bool autoCue READ getAutoCue NOTIFY autoCueChanged)
    Q_PROPERTY(bool incPlay READ getIncPlay NOTIFY incPlayChanged)
    Q_PROPERTY(bool download READ getDownload NOTIFY downloadChanged)
    Q_PROPERTY(bool upload READ getUpload NOTIFY uploadChanged)
    Q_PROPERTY(int dynamics READ getDynamics NOTIFY dynamicsChanged)
    Q_PROPERTY(bool agc READ getAgc NOTIFY agcChanged)
    Q_PROPERTY(bool src READ getSrc NOTIFY srcChanged)
    Q_PROPERTY(bool autoTrack READ getAutoTrack NOTIFY autoTrackChanged)
    Q_PROPERTY(bool autoMark READ getAutoMark NOTIFY autoMarkChanged)
    Q_PROPERTY(bool syncRec READ getSyncRec NOTIFY syncRecChanged)
    Q_PROPERTY(bool lowCut READ getLowCut NOTIFY lowCutChanged)
    Q_PROPERTY(int repeat READ getRepeat NOTIFY repeatChanged)
    Q_PROPERTY(bool monoMix READ getMonoMix NOTIFY monoMixChanged)
    Q_PROPERTY(QString recFormat READ getRecFormat NOTIFY recFormatChanged)
    Q_PROPERTY(QString recFormatCd READ getRecFormatCd NOTIFY recFormatCdChanged)
    Q_PROPERTY(int recFs READ getRecFs NOTIFY recFsChanged)
    Q_PROPERTY(int recFsCd READ getRecFsCd NOTIFY recFsCdChanged)
    Q_PROPERTY(int levelMeterL READ getLevelMeterL NOTIFY levelMeterLChanged)
    Q_PROPERTY(int levelMeterR READ getLevelMeterR NOTIFY levelMeterRChanged)
    Q_PROPERTY(int levelMeterLPeak READ getLevelMeterLPeak NOTIFY levelMeterLPeakChanged)
    Q_PROPERTY(int levelMeterRPeak READ getLevelMeterRPeak NOTIFY levelMeterRPeakChanged)
    Q_PROPERTY(bool levelMeterLOver READ getLevelMeterLOver NOTIFY levelMeterLOverChanged)
    Q_PROPERTY(bool levelMeterROver READ getLevelMeterROver NOTIFY levelMeterROverChanged)
    Q_PROPERTY(int trackTotalTimeFlame READ getTrackTotalTimeFlame NOTIFY trackTotalTimeFlameChanged)
    Q_PROPERTY(int trackElapsedTimeFlame READ getTrackElapsedTimeFlame NOTIFY trackElapsedTimeFlameChanged)
    Q_PROPERTY(int currentTrackTop READ getCurrentTrackTop NOTIFY currentTrackTopChanged)
    Q_PROPERTY(int inputSelect READ getInputSelect NOTIFY inputSelectChanged)
    Q_PROPERTY(bool micPhantom READ getMicPhantom NOTIFY micPhantomChanged)
    // The recorder's timer-event function; not to be confused with QObject::timerEvent.
    Q_PROPERTY(bool timerEvent READ getTimerEvent NOTIFY timerEventChanged)
    Q_PROPERTY(bool digitalInLock READ getDigitalInLock NOTIFY digitalInLockChanged)
    Q_PROPERTY(bool jogMode READ getJogMode NOTIFY jogModeChanged)
    Q_PROPERTY(QString title READ getTitle NOTIFY titleChanged)
    Q_PROPERTY(int model READ getModel NOTIFY modelChanged)
    Q_PROPERTY(QString cdType READ getCdType NOTIFY cdTypeChanged)
    Q_PROPERTY(QString finalizedCd READ getFinalizedCd NOTIFY finalizedCdChanged)
    Q_PROPERTY(QString address READ getAddress NOTIFY addressChanged)
    Q_PROPERTY(QString password READ getPassword NOTIFY passwordChanged)
    Q_PROPERTY(bool displayMode READ getDisplayMode WRITE setDisplayMode NOTIFY displayModeChanged)

public:
    explicit Communication(QObject* parent = nullptr);
    ~Communication() override;

    // Set by start-up before the event loop runs; never changed.
    Telnet* telnet = nullptr;
    Menu* menu = nullptr;
    Mark* mark = nullptr;
    Playlist* pl = nullptr;
    Browse* browse = nullptr;
    TimerEvent* tev = nullptr;
    Permission* permission = nullptr;

    DataSettings dataSettings;
    // Lists the playlist files of the current medium for a playlist step.
    FtpAccess ftpAccess;
    // Playlist file names of the step under way, as the listing reports them.
    QStringList playlistNames;
    // The taps that step counts, in order: true for one to the previous
    // playlist, false for one to the next.
    QList<bool> playlistSteps;

    // The recorder's order of answers: every line written on the command
    // channel passes here (ObjectGraph), and every reply read.
    ReplyOrder replyOrder;
    // The front-panel values the user sets, with the user's last request
    // while its answer is on its way. The order counts every line written
    // that the recorder answers with a report of one of them, and every
    // report that answers one.
    AskedValue askedPitch;    // "025..." lines, "A5" reports
    AskedValue askedKey;      // "02D..." lines, "AD" reports
    AskedValue askedMedium;   // "07F01.." lines, "FF01" reports
    AskedValue askedPlayArea; // "07F074F.." lines, "FF07CF" reports
    AskedValue askedPlayMode; // "04E" lines, "CE" reports
    AskedValue askedStatus;   // "050" lines, "D0" reports
    // Where the user's skips lead in the current track, in frames; -1 for the
    // start of another track.
    AskedValue askedPosition; // "05801" and "05803" lines, remaining-time "D8" reports
    // The playlist the user's last playlist step loads.
    AskedValue askedPlaylist; // "07F3105" lines, "FF3185" reports

    int statusPollTimerId = 0; // 500 ms status poll, 0 while not running
    int timePollTimerId = 0;   // 200 ms time poll, 0 while not running
    QTimer sleepTimer;         // 1000 ms, keep-alive poll and wake-up detection
    int searchReturnStatus = 0; // status a fast search returns to (17 or 18), 0 for none

    // The status the transport keys count from: where the user's last
    // transport line leads while the status reports are older than it, else
    // the one reported; unknownStatus while that line's effect cannot be
    // known until the recorder reports it.
    static constexpr int unknownStatus = -1;
    int transportStatus() const;
    // Transport keys pressed while the status or the position they choose
    // their line by is not known; they wait for the report, in order.
    int heldTransportKeys() const { return m_heldKeys.size(); }
    int markRedrawState = 0;    // 1 after a display mode change, 2 once the track top is known
    // Elapsed time of the last elapsed-type time reply, completed by the next
    // remaining-type reply into the track's total length.
    int lastElapsedTimeFlame = 0;
    // Time source of the sleep check, in ms since the epoch.
    std::function<qint64()> sleepClock;

    int getLoginState() const { return m_loginState; }
    bool getLoginComp() const { return m_loginComp; }
    QString getCurrentMedia() const { return m_currentMedia; }
    QString getCurrentMediaBackupRelay() const { return m_currentMediaBackupRelay; }
    QString getPlayArea() const { return m_playArea; }
    QString getPlayMode() const { return m_playMode; }
    bool getBackupRelay() const { return m_backupRelay; }
    QString getFolder() const { return m_folder; }
    QString getPlayList() const { return m_playList; }
    int getStatusIcon() const { return m_statusIcon; }
    int getStatusDetail() const { return m_statusDetail; }
    QString getPlayTimeHour() const { return m_playTimeHour; }
    QString getPlayTimeMin() const { return m_playTimeMin; }
    QString getPlayTimeSec() const { return m_playTimeSec; }
    QString getPlayTimeFlame() const { return m_playTimeFlame; }
    QString getRemainingTimeHour() const { return m_remainingTimeHour; }
    QString getRemainingTimeMin() const { return m_remainingTimeMin; }
    QString getRemainingTimeSec() const { return m_remainingTimeSec; }
    QString getRemainingTimeFlame() const { return m_remainingTimeFlame; }
    QString getNowTrackNo() const { return m_nowTrackNo; }
    QString getAllTrackNo() const { return m_allTrackNo; }
    bool getPitchStatus() const { return m_pitchStatus; }
    QString getPitchData() const { return m_pitchData; }
    bool getKeyStatus() const { return m_keyStatus; }
    int getKeyData() const { return m_keyData; }
    QString getPitchShown() const { return askedPitch.waiting() ? askedPitch.value().toString() : m_pitchData; }
    int getKeyShown() const { return askedKey.waiting() ? askedKey.value().toInt() : m_keyData; }
    bool getFlashLoad() const { return m_flashLoad; }
    bool getAutoReady() const { return m_autoReady; }
    bool getAutoCue() const { return m_autoCue; }
    bool getIncPlay() const { return m_incPlay; }
    bool getDownload() const { return m_download; }
    bool getUpload() const { return m_upload; }
    int getDynamics() const { return m_dynamics; }
    bool getAgc() const { return m_agc; }
    bool getSrc() const { return m_src; }
    bool getAutoTrack() const { return m_autoTrack; }
    bool getAutoMark() const { return m_autoMark; }
    bool getSyncRec() const { return m_syncRec; }
    bool getLowCut() const { return m_lowCut; }
    int getRepeat() const { return m_repeat; }
    bool getMonoMix() const { return m_monoMix; }
    QString getRecFormat() const { return m_recFormat; }
    QString getRecFormatCd() const { return m_recFormatCd; }
    int getRecFs() const { return m_recFs; }
    int getRecFsCd() const { return m_recFsCd; }
    int getLevelMeterL() const { return m_levelMeterL; }
    int getLevelMeterR() const { return m_levelMeterR; }
    int getLevelMeterLPeak() const { return m_levelMeterLPeak; }
    int getLevelMeterRPeak() const { return m_levelMeterRPeak; }
    bool getLevelMeterLOver() const { return m_levelMeterLOver; }
    bool getLevelMeterROver() const { return m_levelMeterROver; }
    int getTrackTotalTimeFlame() const { return m_trackTotalTimeFlame; }
    int getTrackElapsedTimeFlame() const { return m_trackElapsedTimeFlame; }
    int getCurrentTrackTop() const { return m_currentTrackTop; }
    int getInputSelect() const { return m_inputSelect; }
    bool getMicPhantom() const { return m_micPhantom; }
    bool getTimerEvent() const { return m_timerEvent; }
    bool getDigitalInLock() const { return m_digitalInLock; }
    bool getJogMode() const { return m_jogMode; }
    QString getTitle() const { return m_title; }
    int getModel() const { return m_model; }
    QString getCdType() const { return m_cdType; }
    QString getFinalizedCd() const { return m_finalizedCd; }
    QString getAddress() const { return m_address; }
    QString getPassword() const { return m_password; }
    bool getDisplayMode() const { return m_displayMode; }
    void setDisplayMode(bool value);

    // Asks the recorder for its whole status (five writes), then refreshes the
    // menu's medium texts and starts a mark query.
    void requestAllStatus();
    // Connects again with the stored address and password.
    void reconnect();

    Q_INVOKABLE void loginRequest(QString adr, QString pass);
    Q_INVOKABLE void logoutRequest();

    // Front-panel requests.
    Q_INVOKABLE void stopRequest();
    Q_INVOKABLE void playRequest();
    Q_INVOKABLE void pauseRequest();
    Q_INVOKABLE void recRequest();
    Q_INVOKABLE void trackSkipPreviousRequest();
    Q_INVOKABLE void trackSkipNextRequest();
    Q_INVOKABLE void reverseRequest();
    Q_INVOKABLE void forwardRequest();
    Q_INVOKABLE void cancelReverseRequest();
    Q_INVOKABLE void cancelForwardRequest();
    Q_INVOKABLE void timeSkipPreviousRequest();
    Q_INVOKABLE void timeSkipNextRequest();
    Q_INVOKABLE void setARequest();
    Q_INVOKABLE void setBRequest();
    Q_INVOKABLE void abOffRequest();
    Q_INVOKABLE void markRequest();
    Q_INVOKABLE void flashLoadRequest();
    Q_INVOKABLE void pitchRequest();
    Q_INVOKABLE void keyRequest();
    Q_INVOKABLE void pitchDataSetRequest(double value);
    Q_INVOKABLE void keyDataSetRequest(double value);
    Q_INVOKABLE void currentMediaUSBRequest();
    Q_INVOKABLE void currentMediaSD1Request();
    Q_INVOKABLE void currentMediaSD2Request();
    Q_INVOKABLE void currentMediaCDRequest();
    Q_INVOKABLE void playAreaAllRequest();
    Q_INVOKABLE void playAreaFolderRequest();
    Q_INVOKABLE void playAreaPlaylistRequest();
    Q_INVOKABLE void playModeContinueRequest();
    Q_INVOKABLE void playModeSingleRequest();
    Q_INVOKABLE void playModeProgramRequest();
    Q_INVOKABLE void playModeRandomRequest();
    Q_INVOKABLE void timeSearchRequest(QString trk, QString h, QString m, QString s, QString f);
    // What a pick on a selector is compared with: the user's own pick while
    // its answer is on its way, otherwise the value the recorder reported.
    Q_INVOKABLE QString mediumPick() const;
    Q_INVOKABLE QString playAreaPick() const;
    Q_INVOKABLE QString playModePick() const;

public slots:
    void finishedLogin(int model);
    void failedLogin();
    void recievedData(QString str);
    void startLevelMeter();
    void stopLevelMeter();
    void setPlaylist(QString name);
    void endPlaylist();
    void onApplicationStateChanged(Qt::ApplicationState state);
    void sleepCheck();
    void changeLoginComp();
    void passwordFailed();
    // Reads the recorder's value of a setting the menu changed that this tab
    // shows (a Menu::PanelSetting or Menu::ShownSetting).
    void readPanelSetting(int setting, const QString& choice, int index);

signals:
    void loginStateChanged(int loginState);
    void loginCompChanged(bool loginComp);
    void currentMediaChanged(QString currentMedia);
    void currentMediaBackupRelayChanged(QString currentMediaBackupRelay);
    void playAreaChanged(QString playArea);
    void playModeChanged(QString playMode);
    void backupRelayChanged(bool backupRelay);
    void folderChanged(QString folder);
    void playListChanged(QString playList);
    void statusIconChanged(int statusIcon);
    void statusDetailChanged(int statusDetail);
    void playTimeHourChanged(QString playTimeHour);
    void playTimeMinChanged(QString playTimeMin);
    void playTimeSecChanged(QString playTimeSec);
    void playTimeFlameChanged(QString playTimeFlame);
    void remainingTimeHourChanged(QString remainingTimeHour);
    void remainingTimeMinChanged(QString remainingTimeMin);
    void remainingTimeSecChanged(QString remainingTimeSec);
    void remainingTimeFlameChanged(QString remainingTimeFlame);
    void nowTrackNoChanged(QString nowTrackNo);
    void allTrackNoChanged(QString allTrackNo);
    void pitchStatusChanged(bool pitchStatus);
    void pitchDataChanged(QString pitchData);
    void keyStatusChanged(bool keyStatus);
    void keyDataChanged(int keyData);
    void pitchShownChanged(QString pitchShown);
    void keyShownChanged(int keyShown);
    void flashLoadChanged(bool flashLoad);
    void autoReadyChanged(bool autoReady);
    void autoCueChanged(bool autoCue);
    void incPlayChanged(bool incPlay);
    void downloadChanged(bool download);
    void uploadChanged(bool upload);
    void dynamicsChanged(int dynamics);
    void agcChanged(bool agc);
    void srcChanged(bool src);
    void autoTrackChanged(bool autoTrack);
    void autoMarkChanged(bool autoMark);
    void syncRecChanged(bool syncRec);
    void lowCutChanged(bool lowCut);
    void repeatChanged(int rep);
    void monoMixChanged(bool monoMix);
    void recFormatChanged(QString recFormat);
    void recFormatCdChanged(QString recFormatCd);
    void recFsChanged(int recFs);
    void recFsCdChanged(int recFsCd);
    void levelMeterLChanged(int levelMeterL);
    void levelMeterRChanged(int levelMeterR);
    void levelMeterLPeakChanged(int levelMeterLPeak);
    void levelMeterRPeakChanged(int levelMeterRPeak);
    void levelMeterLOverChanged(bool levelMeterLOver);
    void levelMeterROverChanged(bool levelMeterROver);
    void trackTotalTimeFlameChanged(int trackTotalTimeFlame);
    void trackElapsedTimeFlameChanged(int trackElapsedTimeFlame);
    void currentTrackTopChanged(int currentTrackTop);
    void inputSelectChanged(int inputSelect);
    void micPhantomChanged(bool micPhantom);
    void timerEventChanged(bool timerEvent);
    void digitalInLockChanged(bool digitalInLock);
    void jogModeChanged(bool jogMode);
    void titleChanged(QString title);
    void modelChanged(int model);
    void cdTypeChanged(QString cdType);
    void finalizedCdChanged(QString finalizedCd);
    void addressChanged(QString address);
    void passwordChanged(QString password);
    void displayModeChanged(bool displayMode);
    void popupReceived(int message);

protected:
    // Status and time polls.
    void timerEvent(QTimerEvent* event) override;

private:
    // Assigns and emits only when the value differs.
    template <typename T>
    bool update(T& member, const T& value, void (Communication::*changed)(T));

    void send(const char* lines);
    // Writes a change of medium and notes it as the user's request.
    void requestMedium(const char* line, const QString& name);
    // Writes a play-mode pick with the query that reports it.
    void requestPlayMode(const char* lines, const QString& name);
    void requestPlayArea(const char* line, const QString& name);
    // Ends every wait for an answer: the link the requests went on is gone.
    void forgetAsked();
    // Sends through the permission's channel, only while the edit right is held.
    void sendWithPermission(const char* lines);

    void setLoginState(int state);
    void resetAfterLinkLoss();
    void startStatusPoll();
    void stopStatusPoll();
    void stopTimePoll();
    void setPlayTime(const QString& h, const QString& m, const QString& s, const QString& f);
    void setRemainingTime(const QString& h, const QString& m, const QString& s, const QString& f);
    void trackSkip(bool backward);
    void startSearch(const char* command);
    void timeSkip(bool backward);
    void timeSearch(const QString& trk, const QString& h, const QString& m, const QString& s, const QString& f);
    void startPlaylistStep(bool backward);
    // The reported position within the current track, in frames.
    int trackPosition() const;
    // Writes a transport line that takes the recorder to status leadsTo
    // (unknownStatus: to a status shown only by the next report).
    void sendTransport(const char* line, int leadsTo);
    // What a transport key chooses its line by: nothing (it only keeps its
    // turn), the status, or the status and the position.
    enum class KeyNeeds { Order, Status, Position };
    // Runs a transport key now or holds it behind the keys held already;
    // one is held, too, while what it chooses by is not known.
    void transportKey(std::function<void()> key, KeyNeeds needs = KeyNeeds::Status);
    bool transportUnknown(KeyNeeds needs) const;
    // Once a wait has ended: runs the held keys, in order, until one leads
    // where only a report can show.
    void heldKeysDue();
    void runHeldKeys();
    // A key of the upper transport row was pressed (STOP, PLAY, PAUSE, REC).
    void transportKeyPressed() { ++m_transportKeys; }
    // Forgets the record requests: the link is gone. (The waits of the skips
    // end with the order of answers, which forgets every value's wait.)
    void forgetTransportAsked();

    // Two-character replies.
    void onTimeNotify(const QString& data);
    void onJogModeReply(const QString& data);
    void onPitchDataReply(const QString& data);
    void onKeyDataReply(const QString& data);
    void onFlagReply(const QString& code, const QString& data);
    void onPlayModeReply(const QString& data);
    void onStatusReply(const QString& data);
    void onTrackNoReply(const QString& data);
    void onCdTypeReply(const QString& data);
    void onTimeReply(const QString& data);
    void onTotalTrackReply(const QString& data);
    void onChangeNotify(const QString& data);

    // "FF" extended replies.
    void onExtendedReply(const QString& data);
    void onExtendedItemReply(const QString& data);
    void onLevelMeterReply(const QString& data);
    void setLevels(int left, int right, int leftPeak, int rightPeak, bool leftOver, bool rightOver);
    void onRecordFormatReply(int value);
    void onExtendedChangeNotice(const QString& notice);

    int m_loginState = 0;
    bool m_loginComp = false;
    QString m_currentMedia;
    QString m_currentMediaBackupRelay;
    QString m_playArea;
    QString m_playMode;
    bool m_backupRelay = true;
    QString m_folder;
    QString m_playList;
    int m_statusIcon = 0;
    int m_statusDetail = 0;
    QString m_playTimeHour = QStringLiteral("00");
    QString m_playTimeMin = QStringLiteral("00");
    QString m_playTimeSec = QStringLiteral("00");
    QString m_playTimeFlame = QStringLiteral("00");
    QString m_remainingTimeHour = QStringLiteral("-00");
    QString m_remainingTimeMin = QStringLiteral("00");
    QString m_remainingTimeSec = QStringLiteral("00");
    QString m_remainingTimeFlame = QStringLiteral("00");
    QString m_nowTrackNo = QStringLiteral("000");
    QString m_allTrackNo = QStringLiteral("000");
    bool m_pitchStatus = false;
    QString m_pitchData = QStringLiteral("0");
    bool m_keyStatus = false;
    int m_keyData = 0;
    bool m_flashLoad = false;
    bool m_autoReady = false;
    bool m_autoCue = false;
    bool m_incPlay = false;
    bool m_download = false;
    bool m_upload = false;
    int m_dynamics = 0;
    bool m_agc = false;
    bool m_src = false;
    bool m_autoTrack = false;
    bool m_autoMark = false;
    bool m_syncRec = false;
    bool m_lowCut = false;
    int m_repeat = 0;
    bool m_monoMix = false;
    QString m_recFormat;
    QString m_recFormatCd;
    int m_recFs = 0;
    int m_recFsCd = 0;
    int m_levelMeterL = 0;
    int m_levelMeterR = 0;
    int m_levelMeterLPeak = 0;
    int m_levelMeterRPeak = 0;
    bool m_levelMeterLOver = false;
    bool m_levelMeterROver = false;
    int m_trackTotalTimeFlame = 1;
    int m_trackElapsedTimeFlame = 0;
    int m_currentTrackTop = 0;
    int m_inputSelect = 0;
    bool m_micPhantom = false;
    bool m_timerEvent = false;
    bool m_digitalInLock = true;
    bool m_jogMode = false;
    QString m_title;
    int m_model = 255;
    QString m_cdType;
    QString m_finalizedCd;
    QString m_address;
    QString m_password;
    bool m_displayMode = false;

    // Pending switch to the main screens, 800 ms after a successful login.
    QTimer m_loginCompTimer;
    // Login state in which the last successful login was attempted.
    int m_attemptState = 0;
    // Counts the link losses, logouts and failed logins handled so far.
    quint64 m_linkResets = 0;
    bool m_hasPreviousTick = false;
    qint64 m_previousTick = 0;
    Qt::ApplicationState m_applicationState = Qt::ApplicationActive;

    // Upper-row transport keys pressed so far, and for each record request
    // still unanswered, the count at its press: a key pressed after it takes
    // the place of its record line.
    quint64 m_transportKeys = 0;
    QList<quint64> m_recordAsks;
    QList<QPair<std::function<void()>, KeyNeeds>> m_heldKeys;
    bool m_heldKeysDue = false;
    // A fast search runs: the position is wherever the recorder gets to.
    bool m_searching = false;
    // The medium of the playlist step under way, and the user's medium picks
    // counted at its tap.
    QString m_stepMedium;
    quint64 m_stepMediumPicks = 0;
};

template <typename T>
bool Communication::update(T& member, const T& value, void (Communication::*changed)(T))
{
    if (member == value)
        return false;
    member = value;
    emit(this->*changed)(value);
    return true;
}
