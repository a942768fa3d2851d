#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <functional>

// Lists the playlist files of one medium from the recorder's FTP server:
// logs in with the model name and the login password, changes to the medium's
// "_playlists" folder and lists it in passive mode. Each playlist file name is
// reported by receivedPlaylist(); endPlaylist() follows when the recorder has
// closed the data connection, i.e. the listing is complete. Failures are
// silent: the step simply does not happen.
class FtpAccess : public QObject
{
    Q_OBJECT
public:
    explicit FtpAccess(QObject* parent = nullptr);
    ~FtpAccess() override;

    // Starts one listing. Whatever a previous listing still had open is
    // dropped first, without a word from it.
    void connectFtp(QString address, QString password, QString media, int model);
    // Drops a listing under way without a word from it: no names, no end.
    void abort();
    // Whether a listing is under way: started and neither complete, failed,
    // dropped, nor silent for longer than quietLimitMs (a dialogue the
    // recorder has stalled, as on a refused login).
    bool listing() const;

    // When set, every control-channel write goes here instead of the socket
    // and no connection is made: takeIn(), takeInListing() and endListing()
    // then stand for the two connections (tests drive the step with no network).
    std::function<void(const QByteArray&)> writeSink;
    void takeIn(const QByteArray& bytes);
    void takeInListing(const QByteArray& bytes);
    void endListing();

    static constexpr quint16 controlPort = 21;
    // Longest text kept while waiting for the end of its line.
    static constexpr int maxPendingLine = 64 * 1024;
    // Longest silence of a listing still taken as under way.
    static constexpr int quietLimitMs = 10000;

signals:
    void receivedPlaylist(QString name);
    void endPlaylist();

public slots:
    void sendFtp(const char* str);
    void getFtp();
    void errorFtp();
    void closeConnectionFtp();
    void getFtpData();
    void errorFtpData();
    void closeConnectionFtpData();

private:
    bool controlOpen() const;
    void closeControl();
    void handleReply(const QString& line);
    void openDataConnection(const QString& reply);
    void handleListingLine(const QString& line);
    void endStep();
    void controlLost();

    QTcpSocket controlSocket;
    QTcpSocket dataSocket;
    QString loginPassword;
    QString mediaName;
    int modelCode = 0;
    // Received text whose line has not ended yet, per connection.
    QByteArray controlPending;
    QByteArray dataPending;
    bool sinkOpen = false;
    // The listing under way, and the time of its last arrival.
    bool m_listing = false;
    QElapsedTimer m_lastArrival;
};

// The lines an arrival completes: text up to each CR, without LFs, decoded as
// UTF-8 once the line is whole. An arrival is taken only up to a NUL byte. The
// unfinished rest stays in pending for the next arrival; a rest longer than
// FtpAccess::maxPendingLine is dropped (a peer that never ends its line).
QStringList takeLines(QByteArray& pending, QByteArray arrival);

// The data port of a "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)" reply,
// -1 when the reply names none.
int passivePort(const QString& reply);

// Whether a line of a folder listing names a playlist file (not a folder).
bool isListedPlaylist(const QString& line);

// The file name of one line of a folder listing in the Unix style
// ("-rw-r--r-- 1 owner group 1024 Jan 01 00:00 my set.ppl" gives
// "my set.ppl"); for a line with fewer fields, the text after its last blank.
QString listedFileName(const QString& line);

// The recorder's drive of a medium: "A:" (SD1), "B:" (SD2), "C:" (USB); ""
// for any other medium, which has no playlist folder.
QString playlistDrive(const QString& media);

// The playlist a step lands on: the names sorted case-sensitively, then the
// one after `current` (before it when stepping backward), wrapping round at
// either end; the first name when `current` is not among them. Empty when
// there is no name to choose.
QString stepPlaylist(QStringList names, const QString& current, bool backward);
