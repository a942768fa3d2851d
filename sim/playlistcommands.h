#pragma once

// The simulated recorder's playlists: per medium, the playlist files of its
// "_playlists" folder, each with a date-time and 100 entries that name
// recordings of the medium, and the commands of group "07F45" (state, file
// list, entries, entry information, create, save as, rename) and "07F314B"
// (assign and clear an entry of the loaded playlist).
//
// Attaching it: installStatusModel does it for every recorder;
// sim::playlistBook(recorder) finds it. The names of a medium's playlists and
// the loaded one are the status model's SimMedium::playlists and ::playlist,
// which the file tree, the FTP listing and the playlist load read too; this
// book keeps what only it knows (dates and entries) by name and writes every
// change of names back there, kept in the byte order of their names (the
// order the application steps through them). Entries hold recordings by
// identity, so they follow renames in the browser.
//
// An entry edit is an edit of a playlist file: the recorder's Undo takes
// back the last edit of the medium's files, an entry edit among them.
//
// Listing queries are answered to anyone; changes only to the holder of the
// edit right, and are then announced to the other applications ("0FF4580"
// 4000: read the playlists again; 5000: read the entries again).

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

namespace sim {

class MediaFiles;
class RecorderState;
class SimConnection;
class SimRecorder;

struct SimPlaylistEntry
{
    int fileId = 0; // 0: empty
    QString name;   // the recording's name when it was assigned
};

struct SimPlaylist
{
    QString dateTime; // 16 characters, "2026/05/01 10:15"
    QVector<SimPlaylistEntry> entries = QVector<SimPlaylistEntry>(100);
};

class PlaylistBook : public QObject
{
    Q_OBJECT
public:
    PlaylistBook(SimRecorder* recorder, RecorderState* state, MediaFiles* files);

    bool handleCommand(SimConnection* connection, const QString& line);

    // --- scenario settings --------------------------------------------------
    // Operations refused ("12") whatever they ask: "40" create, "41" save as,
    // "43" rename, "4B" assign and clear.
    QSet<QString> refuse;
    // Sends "0FF4580" + value to every logged-in application.
    void announce(int value);

    // --- the playlists ------------------------------------------------------
    // The playlist of that name on medium (made empty when unknown).
    SimPlaylist& playlist(const QString& medium, const QString& name);
    // The names of a medium's playlists in order, numbered from 1 on the wire.
    QStringList names(const QString& medium);
    // Entry texts of a playlist: the recording's current name, "" for empty.
    QStringList entryNames(const QString& medium, const QString& name);

private:
    SimPlaylist* loaded();
    int loadedNumber();
    QString entryName(const QString& medium, const SimPlaylistEntry& entry);
    void populate();
    void fill(const QString& medium, const QString& name, const QString& dateTime, const QStringList& paths,
              int firstEntry = 0);
    bool mayChange(SimConnection* c, const QString& op) const;
    bool addPlaylist(const QString& name, const SimPlaylist& content);
    bool rename(int number, const QString& name);
    bool editEntry(bool assign, int entry, int take);
    void sendList(SimConnection* c, int first, int last);
    void sendEntries(SimConnection* c, int first, int last);
    void sendOccupancy(SimConnection* c);
    void sendEntryInfo(SimConnection* c, int entry);
    void tellOthers(SimConnection* c, int value);

    SimRecorder* m_recorder;
    RecorderState* m_state;
    MediaFiles* m_files;
    QMap<QString, QMap<QString, SimPlaylist>> m_playlists; // medium -> name -> playlist
    QMap<QString, SimPlaylist> m_undo; // the playlists of the medium the files keep for an undo
};

PlaylistBook* installPlaylists(SimRecorder& recorder, RecorderState* state, MediaFiles* files);
PlaylistBook* playlistBook(const SimRecorder& recorder);

} // namespace sim
