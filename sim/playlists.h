#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

namespace sim {

class SimRecorder;

struct FolderEntry
{
    QString name;
    bool directory = false;
};

// The "_playlists" folder of each medium of a simulated recorder and the
// playlist it has loaded. Answers the playlist-load command and the playlist
// query on the command port; the FTP server lists the same folders.
class PlaylistFolders : public QObject
{
    Q_OBJECT
public:
    explicit PlaylistFolders(SimRecorder* recorder, QObject* parent = nullptr);

    // Folder entries by medium: "SD1", "SD2", "USB". A medium without an
    // entry here has no playlist folder.
    QMap<QString, QList<FolderEntry>> folders;
    // Replaces a medium's folder with these files.
    void setPlaylists(const QString& medium, const QStringList& fileNames);

    // The loaded playlist as the unit reports it (file name with ".ppl") and its medium.
    QString current;
    QString currentMedium;

    // "A:" -> "SD1", "B:" -> "SD2", "C:" -> "USB"; "" for any other drive.
    static QString mediumOfDrive(const QString& drive);

signals:
    void playlistLoaded(QString medium, QString name);

private:
    bool load(const QString& path);
};

} // namespace sim
