#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

#include "askedvalue.h"
#include "browseentry.h"
#include "browseobject.h"
#include "heldrequests.h"
#include "shownfolder.h"

class Telnet;
class Permission;

// Model of the folders and files on the recorder's current medium: the shown
// folder with its list of entries (published as "browseModel"), the
// recorder's current folder and file, and every browse request of the
// "07F6B" command family. The recorder's answers come in through
// parseBrowseResponse().
class Browse : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int currentFolderNumber READ currentFolderNumber NOTIFY currentFolderNumberChanged)
    Q_PROPERTY(int nowFolderNumber READ nowFolderNumber NOTIFY nowFolderNumberChanged)
    Q_PROPERTY(QString nowFolderName READ nowFolderName NOTIFY nowFolderNameChanged)
    Q_PROPERTY(int currentFileNumber READ currentFileNumber NOTIFY currentFileNumberChanged)
    Q_PROPERTY(bool canGoUp READ canGoUp NOTIFY canGoUpChanged)
    Q_PROPERTY(bool listing READ listing NOTIFY listingChanged)
    Q_PROPERTY(bool numberingCurrent READ numberingCurrent NOTIFY numberingCurrentChanged)
    Q_PROPERTY(bool anyHeld READ anyHeld NOTIFY heldChanged)
    Q_PROPERTY(bool locked READ locked WRITE setLocked NOTIFY lockedChanged)
    Q_PROPERTY(QString dialogString READ getDialogString WRITE setDialogString NOTIFY dialogStringChanged)
    Q_PROPERTY(QString browseDialogString READ getBrowseDialogString WRITE setBrowseDialogString NOTIFY
                   browseDialogStringChanged)
public:
    explicit Browse(QObject* parent = nullptr);
    ~Browse() override;

    int currentFolderNumber() const { return currentFolder.number(); }
    int nowFolderNumber() const { return nowFolder.number(); }
    QString nowFolderName() const { return nowFolder.name(); }
    int currentFileNumber() const { return m_currentFileNumber; }
    // Busy text of a running edit ("Copying", ...); empty while none runs.
    QString getDialogString() const { return dialogString; }
    void setDialogString(const QString& text);
    // Availability notice: "<medium> is not available" while the status is 0.
    QString getBrowseDialogString() const { return m_browseDialogString; }
    void setBrowseDialogString(const QString& text);

    // The recorder's current (playback) folder and the folder shown.
    BrowseObject currentFolder;
    BrowseObject nowFolder;

    // Whether an Up tapped now has a folder to go to: the folder it counts
    // from (see upFolder) is not the root, or not known yet.
    bool canGoUp() const;
    // The Up lines ("07F6B02") and their answers ("82"), counted in the
    // recorder's order of answers: a refusal, or a quiet spell, ends the wait
    // for the Ups unanswered as well as their answers do.
    AskedValue askedUp;
    // The link is new: no answer to an Up of before comes.
    void forgetUps();

    // Entries of the shown folder: sub-folders first, then files.
    const QList<QObject*>& entries() const { return entryList; }
    // True while a listing walk of the shown folder is under way; it is
    // false again when the walk's list is published.
    bool listing() const { return listRequested; }
    // True while the rows as last read carry the recorder's numbering: no
    // edit of ours is unanswered, and no re-read of the folder (after an
    // edit, or asked for because the medium may have changed) is unfinished.
    bool numberingCurrent() const { return editsInFlight == 0 && !relistNeeded; }
    // True while requests that name an entry wait for the folder to be read
    // again (and the requests made after them wait behind them).
    bool anyHeld() const { return !held.isEmpty(); }
    // Whether the request of that window waits.
    Q_INVOKABLE bool isHeld(QObject* owner) const { return held.isHeld(owner); }
    // Set by the browse screen while it allows no edit (read-only, not
    // stopped, not playing on, its notice shown, or without the edit right):
    // no edit of the medium goes out. Those that wait are dropped when it
    // becomes true, and those asked for meanwhile refused, each told.
    // Opening folders and selecting files stay possible, as the screen's
    // tools do.
    bool locked() const { return m_locked; }
    void setLocked(bool locked);

    Telnet* telnet = nullptr;
    Permission* permission = nullptr;

    // "00" SD1, "01" SD2, "02" USB; "FF" when the medium cannot be browsed.
    QString mediaCode = QStringLiteral("FF");
    QString mediaName;
    QString dialogString;
    int status = 0;
    // 0 idle, 1 an edit was sent, 2 its success is being followed up.
    int commandPending = 0;

    // Lost link: forgets the folders, the current file, the busy text, the
    // medium and the status (with the change signals).
    void clearFolderState();
    // One answer of the browse family: the text after "FF6B".
    void parseBrowseResponse(QString reply);

    // Requests that name a folder or file, or act on the shown folder. One
    // made on a row carries the row's entry as it was listed when the user
    // chose it (for renames, before the change); the forms that take only a
    // number, for C++ callers, take the entry the rows as last read list
    // under it. While the numbering is not current they wait, and go out
    // once the folder has been read again only if the number still names
    // the entry of that name (and kind) in the folder of that path, or the
    // folder is still the one shown; otherwise they are dropped, and every
    // dropped request the user confirmed is reported with execFailed. An
    // entry of the other kind than the request's names nothing: dropped
    // alike. `owner` is the window that made the request: while it waits, a
    // new request of that window takes its place; withdrawHeld(owner)
    // forgets it (the user cancelled), and dropHeld(owner) or the window's
    // destruction drops it (told). The playlist tab edits the same medium:
    // its creates, save-as and renames make the numbering not current as the
    // tab's own edits do, and the edits of both tabs (deletes of playlist
    // files and this tab's Undo among them) go in the order the user made
    // them.
    Q_INVOKABLE void restartBrowse();
    Q_INVOKABLE void openFolder(const BrowseEntry& entry);
    void openFolder(int number);
    // One level up from the folder the user asked for last (by Up, by a row
    // or by going to the current folder) while that request is unanswered or
    // the name of the folder it shows is being read; otherwise from the
    // folder shown. Nothing at the root. Taps add up: n Ups go n levels up,
    // however late the recorder answers. The answer to an Up shows its folder
    // unless the user has asked for another folder since, otherwise than by
    // Up. An Up whose folder is not known yet (shown by its number alone)
    // waits until the folder's name has been read.
    Q_INVOKABLE void upFolder();
    // The folder shown now, for a request that the user chooses on it.
    Q_INVOKABLE ShownFolder shownFolder() const;
    // In the folder the window was opened on, while it is still shown; the
    // form without one, for C++ callers, takes the folder shown now.
    Q_INVOKABLE void createFolder(const ShownFolder& in, QString name, QObject* owner = nullptr);
    void createFolder(QString name, QObject* owner = nullptr);
    Q_INVOKABLE void renameFolder(const BrowseEntry& entry, QString name, QObject* owner = nullptr);
    void renameFolder(int number, QString name);
    Q_INVOKABLE void deleteFolder(const BrowseEntry& entry, QObject* owner = nullptr);
    void deleteFolder(int number);
    Q_INVOKABLE void setToCurrentFolder();
    // After the answers of the Selects and set-to-currents of ours made before it.
    Q_INVOKABLE void goToCurrentFolder();
    Q_INVOKABLE void sortByTime();
    Q_INVOKABLE void sortByName();
    Q_INVOKABLE void selectFile(const BrowseEntry& entry);
    void selectFile(int number);
    // The new name keeps the audio extension of the name before the change
    // (of orgName in the number's form).
    Q_INVOKABLE void renameFile(const BrowseEntry& entry, QString newName, QObject* owner = nullptr);
    void renameFile(int number, QString newName, QString orgName);
    Q_INVOKABLE void deleteFile(const BrowseEntry& entry, QObject* owner = nullptr);
    void deleteFile(int number);
    Q_INVOKABLE void deleteFileFullPath(QString file);
    Q_INVOKABLE void copyFile(QString file, QString folder);
    // Undoes the recorder's last change: after the answers of the edits of
    // ours unanswered when the user chose it, and only if the last of them
    // was taken.
    Q_INVOKABLE void undo();
    Q_INVOKABLE void queryInfo(const BrowseEntry& entry, QObject* owner = nullptr);
    void queryInfo(int number);
    Q_INVOKABLE QString getInfo(int index) const;
    // A file chosen in a picker on its row, told back with filePicked once
    // its number is known to name it.
    Q_INVOKABLE void pickFile(const BrowseEntry& entry, QObject* owner);
    // The user cancelled the window: its waiting request is forgotten.
    Q_INVOKABLE void withdrawHeld(QObject* owner);
    // The window closed otherwise: its waiting request is dropped and told.
    Q_INVOKABLE void dropHeld(QObject* owner);
    // The application closes: what waits is forgotten, neither sent nor told.
    void shutDown() { held.shutDown(); }
    // The browse and playlist tabs edit one medium: their edits take their
    // turns in one order (at start-up).
    void shareEditOrder(HeldRequests::EditOrder& order);

public slots:
    void startBrowse();
    void setCurrentMediaNumber(QString NewMedia);
    void setStatus(int newStatus);
    // An edit of the medium went out on the playlist tab, and its result:
    // taken, the recorder has numbered its files anew, so the rows number
    // nothing from the edit until the folder has been read again after it.
    void onPlaylistEditSent();
    void onPlaylistEditAnswered(bool taken);

signals:
    void currentFolderNumberChanged();
    void nowFolderNumberChanged();
    void canGoUpChanged();
    void currentFolderNameChanged();
    void nowFolderNameChanged();
    void currentFileNumberChanged();
    void listingChanged();
    void numberingCurrentChanged();
    void lockedChanged();
    // What waits has changed: a request was held, sent or dropped.
    void heldChanged();
    // "browseModel" was set anew: a walk's list, or the emptied list.
    void listPublished();
    // A walk's list has been published and the waiting requests it decides
    // have been sent or dropped.
    void listRead();
    void dialogStringChanged();
    void browseDialogStringChanged();
    void infoChanged();
    void endDeletePpl();
    // An edit of the medium went out (an undo among them): the playlist
    // files may change with it, and the recorder does not always say so.
    void mediumEditSent();
    void execFailed();
    // `folder` is the path of the folder whose row was picked.
    void filePicked(QObject* owner, int number, QString name, QString folder);

private:
    // Kinds of request, for one that acts on the result of another.
    enum Kind { Edit = 1, FolderChange = 2 };

    using Check = std::function<bool(bool waited)>;
    using Request = HeldRequests::Request;
    Check namesEntry(const BrowseEntry& entry, int type) const;
    BrowseEntry listedEntry(int number, int type) const;
    Check namesShownFolder(const ShownFolder& folder) const;
    QString shownPath() const;
    static Request request(Check check, std::function<bool()> send, int kind = 0, QObject* owner = nullptr);
    Request onShownFolder(const ShownFolder& folder, std::function<bool()> send, int kind = 0,
                          QObject* owner = nullptr) const;
    const BrowseObject* listed(int number, int type) const;
    void editEntry(const BrowseEntry& entry, int type, QObject* owner, const char* head,
                   const QByteArray& tail = QByteArray());
    void renameFileKeeping(const BrowseEntry& entry, const QString& newName, const QString& extension,
                           QObject* owner);
    void editShownFolder(const ShownFolder& folder, std::function<bool()> write, QObject* owner = nullptr);
    bool editWritten(bool written);
    void editSent();
    void awaitResult();
    void editAnswered(bool changed);
    bool currentChangeWritten(bool written);
    void onCurrentChangeResult(const QString& state);
    void readAgain();
    void relist();
    void resetNumbering();
    void notifyNumbering();

    // The answer the listing walk waits for next.
    enum class Walk { Idle, ShownFolder, FolderInfo, FolderEntry, FileInfo, FileEntry };

    bool mediaValid() const { return !mediaCode.startsWith(QLatin1Char('F')); }
    bool writeLine(const QByteArray& line);
    bool writeNumbered(const char* head, int number, const QByteArray& tail = QByteArray());
    bool writeMediaNumbered(const char* head, int number, const QByteArray& tail = QByteArray());
    bool sendRefreshPair();
    void refreshFolder();
    void clearEntries();
    void publish();
    void setCurrentFileNumber(int number);
    void showFolder(int number);
    bool sendOpenFolder(int number);
    bool upFromAsked() const
    {
        return awaitingName || (askedUp.waiting() && askedUp.linesWritten() > upsBeforeFolderAsked);
    }
    bool upBase(QString* path) const;
    bool sendUp();
    // The Up line that goes to the folder at path to.
    bool writeUp(const QString& to);
    void askedFolder(const QString& path, bool known);
    void onUpAnswer(int number);
    void forgetFolderAsks();
    void notifyUpKey();
    void sortShownFolder(const char* head);

    void stopWalk();
    void walkFailed();
    void walkDone();
    void setListing(bool value);
    void walkRequest(const char* op, const QString& field, Walk next, int number);
    void onCurrentFolder(const QString& reply);
    void onFolderInfo(const QString& reply);
    void onFolderEntry(const QString& reply);
    void onFileInfo(const QString& reply);
    void onFileEntry(const QString& reply);
    void onFileInformation(const QString& reply);
    void onResult(const QString& code, const QString& state);

    int firstFolderNumber = 0;
    int lastFolderNumber = 0;
    int firstFileNumber = 0;
    int lastFileNumber = 0;
    QList<QObject*> entryList;
    int m_currentFileNumber = -1;
    QString m_browseDialogString;
    bool listRequested = false;
    bool folderOpened = false;
    bool refreshDeferred = false;
    Walk walk = Walk::Idle;
    int walkNumber = -1;

    // Edits written whose result ("11" or "12") has not come.
    int editsInFlight = 0;
    // Results of edits come so far, and whether the last one was "11".
    int editResults = 0;
    bool lastEditTaken = true;
    // Counts the times the recorder may have numbered its folders anew.
    int renumberings = 0;
    // The folder has to be read again before its numbers can be trusted.
    bool relistNeeded = false;
    // Selects and set-to-currents written whose answer has not come, and
    // whether one taken has moved the current folder since it was last read.
    int currentChangesInFlight = 0;
    bool currentFolderMoved = false;
    // The walk under way started after the last accepted edit and re-read
    // request, so its list shows the recorder's present numbering.
    bool walkTrusted = false;
    HeldRequests held;
    bool m_locked = false;
    bool notifiedCurrent = true;
    // The folder the user asked for last: its path ("" the root), when known.
    // Up counts from it while upFromAsked().
    QString askedPath;
    bool askedPathKnown = false;
    // The folder shown is the one the user asked for, and its name has not
    // been read yet.
    bool awaitingName = false;
    // The Up lines written before the user last asked for a folder otherwise
    // (their answers show nothing), and those done when an "82" last came.
    quint64 upsBeforeFolderAsked = 0;
    quint64 upsDoneSeen = 0;
    bool notifiedCanGoUp = false;
    // The shown folder of the last list a walk published.
    int listedFolderNumber = -1;
    QString listedFolderPath;
};
