#pragma once

// The simulated recorder's file system: a folder tree with recordings on each
// medium, walked, edited and copied through the browse commands ("07F6B" +
// operation, answered by "0FF6B" + operation + 0x80; browsecommands.cpp).
//
// It is installed with the status model (installStatusModel) and found with
// sim::mediaFiles(recorder). It keeps the status model's record of each
// medium in step: the medium's play folders (SimMedium::folders, and
// folderIndex for the current one) are the tree's folders outside
// "_playlists", and the "_playlists" folder at each root holds exactly the
// files and folders of SimMedium::playlists and ::playlistSubfolders, which
// the FTP server and the playlist load read. Tests may change those lists
// directly; the tree takes them over before it answers the next command.
//
// Numbers, as the browse commands carry them: folders are numbered from the
// root (0) level by level, so that the sub-folders of a folder are
// consecutive; files are numbered from 1 over the whole medium, folder by
// folder in the same order, each folder's files consecutive in the folder's
// order. Numbers change with every edit; the current folder and file are
// kept by identity.

#include <QDateTime>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>
#include <vector>

namespace sim {

class RecorderState;
class SimConnection;
class SimRecorder;

struct SimFile
{
    int id = 0;
    QString name;
    int length = 0; // frames (hundredths of a second)
    qint64 size = 0;
    QDateTime date;
};

struct SimFolder
{
    int id = 0;
    QString name;
    QDateTime date;
    std::vector<SimFolder> folders;
    std::vector<SimFile> files;
};

// One medium's tree with its current folder and file.
struct SimVolume
{
    SimFolder root;
    bool readOnly = false;
    int currentFolderId = 0; // 0: the root
    int currentFileId = 0;   // 0: none
};

class MediaFiles : public QObject
{
    Q_OBJECT
public:
    MediaFiles(SimRecorder* recorder, RecorderState* state);

    // Answers one browse command line; false for lines it does not know.
    bool handleCommand(SimConnection* connection, const QString& line);

    // --- scenario settings --------------------------------------------------
    // Whether the browse listing shows each root's "_playlists" folder.
    bool showPlaylistFolder = true;
    // Operations ("13", "14", "15", "23", "24", "25", "26", "03", "04") that
    // are refused ("12") whatever they ask.
    QSet<QString> refuse;
    // "Working" answers ("00") before each edit's result.
    int workingAnswers = 1;
    // Each edit's answers go out together in one write.
    bool coalesceResults = false;
    // Lines with non-ASCII text go out in two writes, split inside the first
    // multi-byte character (two segments on the wire when the recorder's
    // replyDelayMs is set).
    bool splitInsideCharacters = false;
    // Fields sent after the four of every file's information (name, date,
    // length, size): a recorder may send more than those.
    QStringList moreInformation;

    // --- the trees ----------------------------------------------------------
    SimVolume& volume(const QString& medium);
    // Folder path below the root ("LIVE\2017", "" for the root) -> its
    // entries: sub-folders first, then files, each in the folder's order.
    QStringList entryNames(const QString& medium, const QString& folderPath);
    bool hasFolder(const QString& medium, const QString& folderPath);
    QString currentFolderPath(const QString& medium);
    QString currentFileName(const QString& medium);
    // Every folder ("path\") and file of the medium by its path, depth
    // first, files before sub-folders.
    QStringList tree(const QString& medium);
    // Takes over the status model's play folder and playlist lists, then
    // writes the tree's folders and playlists back to it.
    void sync(const QString& medium);

    // --- recordings named by the playlists (playlistcommands.cpp) -----------
    // The recording of a browse file number, with its folder path; null when
    // there is none or the file lies in "_playlists".
    const SimFile* fileOfNumber(const QString& medium, int number, QString* folderPath = nullptr);
    // The recording of that id, with its folder path; null when it is gone.
    const SimFile* fileOfId(const QString& medium, int id, QString* folderPath = nullptr);
    // The recording at a path below the root ("LIVE\Opening.wav").
    const SimFile* fileAt(const QString& medium, const QString& path);

    // Browse media code ("00" SD1, "01" SD2, "02" USB) -> medium name; "" else.
    static QString mediumOfCode(const QString& code);

    // --- undo ---------------------------------------------------------------
    // Keeps the medium as it is now for one undo ("07F6B25"), which puts it
    // back as it was before the last edit of its files: the tree, and what
    // others keep with it (kept, undone: the playlists' entries).
    void snapshot(const QString& medium);

signals:
    void kept(const QString& medium);
    void undone(const QString& medium);

private:
    struct Index
    {
        QVector<SimFolder*> folders; // by folder number
        QVector<QString> paths;
        QVector<int> parent;
        QVector<int> firstChild; // number of the first sub-folder
        QVector<int> childCount;
        QVector<int> firstFile; // number of the first file
        struct FileRef
        {
            int folder;
            int index;
        };
        QVector<FileRef> files; // by file number - 1
    };

    Index index(const QString& medium);
    // Before every command: the status model's play folder and playlists.
    void takeOver(const QString& medium);
    // After every command: the play folders and playlists for the status model.
    void writeBack(const QString& medium);
    SimFolder* findFolder(SimFolder& root, const QString& path);
    QString pathOfFolderId(const QString& medium, int id);
    int newId() { return ++m_lastId; }
    void populate();
    SimFolder folder(const QString& name, int minutesAfter);
    void addFile(SimFolder& folder, const QString& name, int seconds, int minutesAfter);

    // Commands (browsecommands.cpp).
    void listFolder(SimConnection* c, const QString& medium, const QString& code, int number);
    void listFolderEntry(SimConnection* c, const QString& medium, const QString& code, int number);
    void listFiles(SimConnection* c, const QString& medium, const QString& code, int number);
    void listFileEntry(SimConnection* c, const QString& medium, const QString& code, int number);
    void fileInformation(SimConnection* c, const QString& medium, const QString& code, int number);
    void setCurrentFolder(SimConnection* c, const QString& path);
    void goUp(SimConnection* c, const QString& code, const QString& path);
    void selectFile(SimConnection* c, int number);
    bool edit(SimConnection* c, const QString& op, const QString& line);
    bool applyEdit(SimConnection* c, const QString& op, const QString& line);
    bool sortFolder(const QString& medium, int number, bool byName);
    bool createFolder(const QString& medium, int parent, const QString& name);
    bool renameFolder(const QString& medium, int number, const QString& name);
    bool deleteFolder(const QString& medium, int number);
    bool renameFile(const QString& medium, int number, const QString& name);
    bool deleteFile(const QString& medium, int number);
    bool deletePath(const QString& drivePath);
    bool fixedFolder(const QString& medium, int number);
    bool splitDrivePath(const QString& drivePath, QString* medium, QString* folderPath, QString* name);
    SimFile* findFile(const QString& medium, const QString& folderPath, const QString& name);
    int folderNumber(const QString& medium, int id);
    int fileNumber(const QString& medium, int id);
    bool copyFile(const QString& from, const QString& to);
    void answerEdit(SimConnection* c, const QString& op, bool done);
    void sendText(SimConnection* c, const QString& line);

    SimRecorder* m_recorder;
    RecorderState* m_state;
    QMap<QString, SimVolume> m_volumes;
    QMap<int, QString> m_copySource; // connection id -> source path of a copy
    QString m_undoMedium;
    SimVolume m_undo;
    bool m_canUndo = false;
    int m_lastId = 0;
};

MediaFiles* installMediaFiles(SimRecorder& recorder, RecorderState* state);
MediaFiles* mediaFiles(const SimRecorder& recorder);

} // namespace sim
