#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

#include "heldrequests.h"

class Telnet;
class Permission;

// One playlist file of the current medium as the recorder lists it.
struct PplRecord
{
    QString name;
    QString dateTime; // empty until the recorder reports it
};

// Model of the playlists on the recorder's current medium: the playlist files
// with their date-times, the number of the loaded one, the 100 entries of the
// loaded playlist and the information of one entry. Requests go out on the
// extended command groups "07F45" and "07F31"; the recorder's answers come in
// through parsePlaylistResponse() and handleEntryEditResult().
//
// The recorder names a playlist to rename by its number in its own list, and
// numbers its playlists anew as soon as it applies a create, a save-as, a
// rename or a delete. The rows are numbered by the list they were read with.
// So a rename goes out at once only while the rows are the recorder's
// numbering: read completely by a file-count query sent after the last edit
// that can move the numbering, with no later query still out. Otherwise it
// waits (the list is asked for when nothing is reading it yet); once the list
// has been read, it goes out if its number still names the playlist the
// person chose, and is dropped if not, which is reported with execFailed:
// the rows then show the recorder's list. A load names its playlist by the
// name its row showed, which a rename or another tab's edit may have given
// to another playlist or to none: it waits like a rename, and goes only while
// a playlist of that name is listed that this application has not renamed
// since the rows were read; so does a delete, which names it by its path.
// Entries keep their numbers 0 to 99 whatever happens to the list. The other
// edits (create, save-as, assign, clear) name no playlist: they wait only
// behind what was confirmed before them, so that the recorder gets every edit
// in the order confirmed.
//
// Every edit (create, save-as, rename, delete, assign, clear) is an edit of
// the medium, whose files the browse tab edits too: they take their turns in
// one order with the browse tab's edits (an Undo there among them), so that
// the recorder gets the edits of both tabs in the order the user confirmed
// them. The browse model hears of each create, save-as or rename written and
// of its result; an entry edit numbers no file anew. The take a picker gives
// an assign is a file's number in the browse rows: the assign goes only if no
// edit of the medium that may number the files anew has gone out since it
// was picked.
//
// The screen tells the model when its tab can change nothing (`locked`: the
// notice covers it, the recorder is read-only or the edit right is not held)
// and when the file rows are read-only (`filesLocked`: the recorder is not
// stopped). What waits and the tab or its file rows may no longer do is then
// dropped and reported, and such requests made meanwhile are refused and
// reported: a request confirmed before must not reach the recorder after it.
class Playlist : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int allPplNumber READ allPplNumber NOTIFY allPplNumberChanged)
    Q_PROPERTY(int allEntryNumber READ allEntryNumber NOTIFY allEntryNumberChanged)
    Q_PROPERTY(int currentPlaylist READ currentPlaylist NOTIFY currentPlaylistChanged)
    Q_PROPERTY(QString currentPlaylistDateTime READ currentPlaylistDateTime NOTIFY currentPlaylistDateTimeChanged)
    Q_PROPERTY(QString infoDataA READ infoDataA NOTIFY infoDataAChanged)
    Q_PROPERTY(QString infoDataB READ infoDataB NOTIFY infoDataBChanged)
    Q_PROPERTY(QString infoFolder READ infoFolder NOTIFY infoFolderChanged)
    Q_PROPERTY(QString infoDateTime READ infoDateTime NOTIFY infoDateTimeChanged)
    Q_PROPERTY(bool execCommand READ execCommand WRITE setExecCommand NOTIFY execCommandChanged)
    Q_PROPERTY(bool locked READ locked WRITE setLocked NOTIFY lockedChanged)
    Q_PROPERTY(bool filesLocked READ filesLocked WRITE setFilesLocked NOTIFY filesLockedChanged)
public:
    static constexpr int maxEntries = 100;

    explicit Playlist(QObject* parent = nullptr);

    int allPplNumber() const { return m_allPplNumber; }
    int allEntryNumber() const { return m_allEntryNumber; }
    int currentPlaylist() const { return m_currentPlaylist; }
    QString currentPlaylistDateTime() const { return m_currentPlaylistDateTime; }
    QString infoDataA() const { return m_infoDataA; }
    QString infoDataB() const { return m_infoDataB; }
    QString infoFolder() const { return m_infoFolder; }
    QString infoDateTime() const { return m_infoDateTime; }
    // True while the screen runs a playlist-file delete.
    bool execCommand() const { return m_execCommand; }
    void setExecCommand(bool value);
    // The tab can change nothing: no rename, create, save-as, load, assign
    // or clear goes out.
    bool locked() const { return m_locked; }
    void setLocked(bool value);
    // The file rows are read-only: no load, save-as or rename goes out.
    bool filesLocked() const { return m_filesLocked; }
    void setFilesLocked(bool value);

    Telnet* telnet = nullptr;
    Permission* permission = nullptr;

    // The playlist files in the order the recorder reported them.
    QList<PplRecord> pplList;
    // Entry names of the loaded playlist; an empty text is an empty entry.
    QVector<QString> entryNames = QVector<QString>(maxEntries);
    // Filled entries received since the entry list was last asked for.
    int receivedEntryCount = 0;
    // 0 SD1, 1 SD2, 2 USB, 3 any other medium (nothing to load from).
    int currentMediaIndex = 3;

    // An answer of group "45": reply code and fields.
    void parsePlaylistResponse(QString data);
    // The answer to an entry assign or clear: the text after "31CB".
    void handleEntryEditResult(QString data);
    // The application closes: what waits is forgotten, neither sent nor told.
    void shutDown() { m_held.shutDown(); }
    // The browse and playlist tabs edit one medium: their edits take their
    // turns in one order (at start-up).
    void shareEditOrder(HeldRequests::EditOrder& order) { m_held.shareOrder(order); }

    Q_INVOKABLE void initAll();
    Q_INVOKABLE void initPpl();
    Q_INVOKABLE void initEntry();
    Q_INVOKABLE int getMaxEntryNumber() const { return maxEntries; }
    // Whether the list as last read holds a playlist of that name.
    Q_INVOKABLE bool listsPpl(const QString& name) const;
    // The rows as read now, for a window opened on one of them; and whether
    // the playlist of that name on those rows is still listed by it, not
    // renamed by this application since.
    Q_INVOKABLE int rowsRead() const { return m_rowsQuery; }
    Q_INVOKABLE bool stillListed(const QString& name, int rowsRead) const;
    Q_INVOKABLE void assignEntry(int entry, int take);
    Q_INVOKABLE void clearEntry(int entry);
    Q_INVOKABLE void createPpl(QString name);
    Q_INVOKABLE void loadPpl(QString name);
    Q_INVOKABLE void saveAs(QString name);
    // Deletes the playlist of that name on the rows read then, by its path:
    // the browse model writes it (deletePplRequested).
    Q_INVOKABLE void deletePpl(QString name, QString fullPath, int rowsRead);
    // `shownName` is the playlist the person chose at that number; without
    // it, the one the list holds there when asked.
    Q_INVOKABLE void renamePpl(int pplNumber, QString name, QString shownName = QString());
    Q_INVOKABLE void clearEntryInfo();
    Q_INVOKABLE void getEntryInfo(int i);
    // The getters answer "" for an index outside what is stored.
    Q_INVOKABLE QString getPplName(int i) const;
    Q_INVOKABLE QString getPplDateTime(int i) const;
    Q_INVOKABLE QString getEntryName(int i) const;

public slots:
    void setCurrentMedia(QString media);
    void onEndDeletePpl();
    // The playlist files may change without a notice of the recorder (an
    // edit of the browse tab, its undo above all): the rows number nothing
    // until the list has been read again.
    void onPlaylistsMayChange();

signals:
    void allPplNumberChanged();
    void allEntryNumberChanged();
    void currentPlaylistChanged();
    void currentPlaylistDateTimeChanged();
    void infoDataAChanged();
    void infoDataBChanged();
    void infoFolderChanged();
    void infoDateTimeChanged();
    void execCommandChanged();
    void lockedChanged();
    void filesLockedChanged();
    void pplRecived(int number);
    void entryListRecived();
    void readyToRedraw();
    void execFailed();
    // Every playlist file of a list read has arrived: the rows are that list.
    void pplListRecived();
    // A playlist delete goes: the file at that path is to be deleted.
    void deletePplRequested(QString fullPath);
    // A create, save-as or rename went out, and the recorder's result of
    // one (taken: its files are numbered anew). A delete is the browse
    // model's to write and to hear answered.
    void mediumEditSent();
    void mediumEditAnswered(bool taken);

private:
    // Kinds of request: those of the file rows go when they turn read-only,
    // all when the tab is locked.
    enum Kind { FileRow = 1, Other = 2 };

    bool mayWrite() const;
    void refuseLocked();
    bool write(const QByteArray& lines);
    bool writeLine(const QByteArray& line);
    bool writeMoving(const QByteArray& line);
    bool writeEntryEdit(const char* head, std::initializer_list<int> numbers);
    int renumberingEditsSent() const;
    bool writeNumbered(const char* head, std::initializer_list<int> numbers, const QByteArray& tail = QByteArray());
    void numberingMoved();
    bool numberingCurrent() const;
    bool listFilled() const;
    void onListComplete();
    void sendHeld();
    // How a request waits besides its turn among those confirmed before it.
    enum Wait { ForRows = 1, AsEdit = 2 };
    void submitRequest(Kind kind, int wait, std::function<bool()> send, std::function<bool(bool)> stillNames = {});
    bool renamedSince(const QString& name, int rowsQuery) const;
    void onRenameResult(bool done);
    void requestEntries();
    bool storePpl(int number, const PplRecord& record);
    void onEntry(const QString& data);
    void onOccupancy(const QString& data);
    void onEntryInfo(const QString& data);

    int m_allPplNumber = 0;
    int m_allEntryNumber = 0;
    int m_currentPlaylist = -1; // no row is current until the recorder names one
    QString m_currentPlaylistDateTime;
    QString m_infoDataA;
    QString m_infoDataB;
    QString m_infoFolder;
    QString m_infoDateTime;
    bool m_execCommand = false;
    bool m_locked = false;
    bool m_filesLocked = false;
    QString m_media; // the medium name last received
    int m_listQueriesSent = 0;   // file-count queries ("07F4504") written
    int m_listQueriesOut = 0;    // of those, not yet answered ("84")
    int m_rowsQuery = 0;         // queries written when pplList's count arrived
    bool m_rowsComplete = false; // every file of that count has arrived
    int m_movedAt = 0;           // queries written when the numbering last moved
    // This application's renames as written: the playlist each named, and
    // the queries written before it (the lists of later ones show it).
    struct SentRename
    {
        QString from;
        int sentAt = 0;
        bool answered = false;
        bool refused = false;
    };
    QList<SentRename> m_renames;
    int m_entryEditsSent = 0; // assigns and clears written in their turn
    HeldRequests m_held;
};
