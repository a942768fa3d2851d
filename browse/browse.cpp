#include "browse.h"

#include "globals.h"
#include "linesafe.h"
#include "namerules.h"
#include "permission.h"
#include "replyfields.h"
#include "telnet.h"

#include <QPointer>
#include <QVariant>

#include <utility>

using replyfields::numberField;

namespace {

// Busy text shown while the recorder works on an edit, by answer code.
QString busyText(const QString& code)
{
    static const QList<QPair<QLatin1String, QLatin1String>> texts = {
        { QLatin1String("83"), QLatin1String("Sorting") },
        { QLatin1String("84"), QLatin1String("Copying") },
        { QLatin1String("93"), QLatin1String("Renaming") },
        { QLatin1String("94"), QLatin1String("Deleting folder") },
        { QLatin1String("95"), QLatin1String("Creating folder") },
        { QLatin1String("A3"), QLatin1String("Renaming") },
        { QLatin1String("A4"), QLatin1String("Deleting file") },
        { QLatin1String("A5"), QLatin1String("Undo working") },
        { QLatin1String("A6"), QLatin1String("Deleting playlist") },
    };
    for (const auto& t : texts) {
        if (code == t.first)
            return t.second;
    }
    return QString();
}

// The four characters at pos when they are all decimal digits, else "".
QString copiedField(const QString& reply, int pos)
{
    const QString field = reply.mid(pos, 4);
    if (field.size() != 4)
        return QString();
    for (const QChar c : field) {
        if (!c.isDigit() || c.unicode() > 0x7F)
            return QString();
    }
    return field;
}

// A list entry's name: the text after the last "\" of the reply.
QString entryName(const QString& reply)
{
    const int slash = reply.lastIndexOf(QLatin1Char('\\'));
    return slash >= 0 ? reply.mid(slash + 1) : reply.mid(9);
}

} // namespace

Browse::Browse(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<BrowseEntry>();
    qRegisterMetaType<ShownFolder>();
    held.numberingCurrent = [this] { return numberingCurrent(); };
    held.reportDrop = [this] { emit execFailed(); };
    held.changed = [this] { emit heldChanged(); };
    publish();
    connect(&nowFolder, &BrowseObject::nameChanged, this, &Browse::nowFolderNameChanged);
    connect(&nowFolder, &BrowseObject::numberChanged, this, &Browse::nowFolderNumberChanged);
    connect(&nowFolder, &BrowseObject::numberChanged, this, &Browse::notifyUpKey);
    connect(&askedUp, &AskedValue::settled, this, &Browse::notifyUpKey);
    // An Up the recorder left unanswered is asked again, once: it names its
    // folder by path, so the line goes where the first would have. Not once
    // the user has asked for another folder or the medium has changed: its
    // answer would show nothing, and the user's choice stands.
    askedUp.requery = [this] {
        return askedUp.waiting() && askedUp.linesWritten() > upsBeforeFolderAsked && mediaValid()
            && writeUp(askedUp.value().toString());
    };
    connect(&currentFolder, &BrowseObject::nameChanged, this, &Browse::currentFolderNameChanged);
    connect(&currentFolder, &BrowseObject::numberChanged, this, &Browse::currentFolderNumberChanged);
}

Browse::~Browse()
{
    qDeleteAll(entryList);
}

void Browse::setDialogString(const QString& text)
{
    if (dialogString == text)
        return;
    dialogString = text;
    emit dialogStringChanged();
}

void Browse::setBrowseDialogString(const QString& text)
{
    if (m_browseDialogString == text)
        return;
    m_browseDialogString = text;
    emit browseDialogStringChanged();
}

void Browse::setCurrentFileNumber(int number)
{
    if (m_currentFileNumber == number)
        return;
    m_currentFileNumber = number;
    emit currentFileNumberChanged();
}

// ---------------------------------------------------------------------------
// Writing

// Writes one whole line (CR LF added) with one call, and only while this
// application holds the edit right; false when it was not written.
bool Browse::writeLine(const QByteArray& line)
{
    if (!permission || !permission->telnet || !permission->okPermission())
        return false;
    permission->telnet->sendData(QByteArray(line + "\r\n").constData());
    return true;
}

// head + number field + tail; nothing when the number does not fit the field.
bool Browse::writeNumbered(const char* head, int number, const QByteArray& tail)
{
    char field[4];
    if (!setCommandNumberField(field, number))
        return false;
    return writeLine(QByteArray(head) + QByteArray(field, 4) + tail);
}

// head + media code + number field + tail; nothing without a browsable medium.
bool Browse::writeMediaNumbered(const char* head, int number, const QByteArray& tail)
{
    if (!mediaValid())
        return false;
    return writeNumbered(QByteArray(head + mediaCode.toLatin1()).constData(), number, tail);
}

// Asks for the recorder's current folder (whose answer starts the listing)
// and its current file; false when the listing was not asked for.
bool Browse::sendRefreshPair()
{
    if (status == 0 || !mediaValid())
        return false;
    if (!writeLine("07F6B00"))
        return false;
    writeLine("07F6B05");
    return true;
}

// ---------------------------------------------------------------------------
// The list

void Browse::publish()
{
    publishContextProperty(QStringLiteral("browseModel"), QVariant::fromValue(entryList));
    emit listPublished();
}

void Browse::clearEntries()
{
    const QList<QObject*> old = entryList;
    entryList.clear();
    publish();
    // A view or a handler may still hold an old entry until control returns.
    for (QObject* entry : old)
        entry->deleteLater();
}

QString Browse::getInfo(int index) const
{
    if (index < 0 || index >= entryList.size())
        return QString();
    return static_cast<BrowseObject*>(entryList.at(index))->info();
}

// ---------------------------------------------------------------------------
// Start, medium and status

// Also the recorder's notice that its medium changed (another controller
// edited it): the rows are trusted again once the folder has been read.
void Browse::startBrowse()
{
    stopWalk();
    if (sendRefreshPair())
        relist();
}

// Reading from the start (the edit right came back, the notice went away):
// an edit whose result never came is waited for no longer.
void Browse::restartBrowse()
{
    currentFolder.setNumber(-1);
    stopWalk();
    const bool trusted = numberingCurrent();
    editsInFlight = 0;
    currentChangesInFlight = 0;
    if (sendRefreshPair() || !trusted)
        relist();
    notifyNumbering();
}

void Browse::setCurrentMediaNumber(QString NewMedia)
{
    // The rows name entries of the medium that is gone: they go at once, not
    // when the new medium's listing arrives, so that none can be tapped.
    const bool otherMedium = NewMedia != mediaName;
    if (otherMedium) {
        nowFolder.setName(QString());
        nowFolder.setNumber(-1);
        nowFolder.setType(-1);
        nowFolder.setInfo(QString());
    }
    mediaName = NewMedia;
    if (NewMedia == QLatin1String("SD1"))
        mediaCode = QStringLiteral("00");
    else if (NewMedia == QLatin1String("SD2"))
        mediaCode = QStringLiteral("01");
    else if (NewMedia == QLatin1String("USB"))
        mediaCode = QStringLiteral("02");
    else
        mediaCode = QStringLiteral("FF");
    if (otherMedium || !mediaValid())
        clearEntries();
    stopWalk();
    commandPending = 0;
    // What waited named entries of the old medium.
    resetNumbering();
    forgetFolderAsks();
    if (status == 0)
        setBrowseDialogString(mediaName + QStringLiteral(" is not available"));
    currentFolder.setNumber(-1);
    if (sendRefreshPair() && !otherMedium)
        relist();
}

void Browse::setStatus(int newStatus)
{
    const bool returned = status == 0 && newStatus != 0;
    status = newStatus;
    if (newStatus == 0) {
        // A walk cut short here is taken up again when the status returns.
        if (listRequested)
            refreshDeferred = true;
        stopWalk();
        if (commandPending != 0)
            return; // the list and texts stay while the recorder works
        // The list emptied here is read again when the status returns.
        refreshDeferred = true;
        clearEntries();
        setBrowseDialogString(mediaName + QStringLiteral(" is not available"));
        return;
    }
    setBrowseDialogString(QString());
    // Rows whose numbers wait for a reading that never began are read too.
    if (refreshDeferred || (returned && relistNeeded)) {
        refreshDeferred = false;
        refreshFolder();
    }
}

void Browse::clearFolderState()
{
    stopWalk();
    refreshDeferred = false;
    setCurrentFileNumber(-1);
    setDialogString(QString());
    for (BrowseObject* folder : { &currentFolder, &nowFolder }) {
        folder->setName(QString());
        folder->setNumber(-1);
        folder->setType(-1);
        folder->setInfo(QString());
    }
    status = 0;
    commandPending = 0;
    mediaCode = QStringLiteral("FF");
    mediaName.clear();
    resetNumbering();
    forgetUps();
}

// Re-reads the shown folder after a finished edit; waits while the status is 0.
void Browse::refreshFolder()
{
    if (status == 0) {
        refreshDeferred = true;
        return;
    }
    commandPending = 0;
    if (nowFolder.number() == -1)
        setDialogString(QString());
    readAgain();
    setDialogString(QString());
}

// The shown folder (the recorder's current one while none is shown) is read
// again, its numbers trusted only once that reading has ended.
void Browse::readAgain()
{
    stopWalk();
    if (nowFolder.number() == -1) {
        currentFolder.setNumber(-1);
    } else {
        nowFolder.setName(QString());
        folderOpened = true;
    }
    if (sendRefreshPair())
        relist();
}

// ---------------------------------------------------------------------------
// Numbering
//
// The recorder names folders and files by their number in its lists and
// numbers them anew at once when it applies an edit. Until the folder has
// been read again after the edit's result, the rows shown carry the old
// numbers, and a request built on them would name another entry: such
// requests wait in `held` until then (see HeldRequests).

// The entry the user chose, for a request on an entry of that kind: that
// number and kind under that name, listed in the folder of that path. Files
// are numbered over the medium, folders level by level from the root, so
// with the numbering current the number names it wherever it is listed; once
// the rows have been read again, it has to be among them. Names repeat from
// folder to folder, and when the recorder numbers its folders anew the shown
// folder's number may list another one: the same number and name there are
// another entry. An entry without a name (a number that no row listed when
// it was asked for) goes only if it did not wait and no row lists the number
// by then. An entry of the other kind names nothing.
Browse::Check Browse::namesEntry(const BrowseEntry& entry, int type) const
{
    if (entry.type() != type)
        return [](bool) { return false; };
    if (type == 0 && entry.number() == 0)
        return {}; // the root
    return [this, entry](bool waited) {
        const BrowseObject* e = listed(entry.number(), entry.type());
        return e ? !entry.name().isEmpty() && e->name() == entry.name() && e->folder() == entry.folder() : !waited;
    };
}

// The entry the rows as last read list under that number and kind, for a
// request made by the number alone; the number without a name or a folder
// when no row lists it.
BrowseEntry Browse::listedEntry(int number, int type) const
{
    const BrowseObject* e = listed(number, type);
    return e ? e->entry() : BrowseEntry(number, type, QString(), QString());
}

// The entry the rows list under that number and kind; null when none.
const BrowseObject* Browse::listed(int number, int type) const
{
    for (const QObject* o : entryList) {
        const auto* e = static_cast<const BrowseObject*>(o);
        if (e->number() == number && e->type() == type)
            return e;
    }
    return nullptr;
}

// The folder shown now, by its number and its path, or by its number in the
// present numbering while its path has not been read yet.
ShownFolder Browse::shownFolder() const
{
    const int number = nowFolder.number();
    const QString path = shownPath();
    return ShownFolder(number, path, number == 0 || !path.isEmpty(), renumberings);
}

// A request on that folder goes only while it is still the one shown: the
// same number with the same path, or, for a folder whose path was not known,
// with nothing numbered anew since (the number may list another folder then).
Browse::Check Browse::namesShownFolder(const ShownFolder& folder) const
{
    return [this, folder](bool) {
        if (nowFolder.number() != folder.number())
            return false;
        return folder.pathKnown() ? shownPath() == folder.path() : renumberings == folder.numbering();
    };
}

// The shown folder's path; a re-read empties the name until the folder's own
// answer, and the last list read gives it meanwhile. Empty when not known.
QString Browse::shownPath() const
{
    if (nowFolder.number() == 0 || !nowFolder.name().isEmpty())
        return nowFolder.name();
    return listedFolderNumber == nowFolder.number() ? listedFolderPath : QString();
}

// A request of that kind, made by owner (null: a tap), which names an entry
// by its number, waits while the numbering is not current, and is told when
// dropped; call sites set what differs.
Browse::Request Browse::request(Check check, std::function<bool()> send, int kind, QObject* owner)
{
    Request r;
    r.stillNames = std::move(check);
    r.send = std::move(send);
    r.kind = kind;
    r.edit = kind & Edit;
    r.owner = owner;
    return r;
}

// A request on the folder shown when it was chosen: it goes only while that
// folder is still the one shown, and acts on the opening of a folder that
// waits.
Browse::Request Browse::onShownFolder(const ShownFolder& folder, std::function<bool()> send, int kind,
                                      QObject* owner) const
{
    Request r = request(namesShownFolder(folder), std::move(send), kind, owner);
    r.actsOn = held.lastOf(FolderChange);
    return r;
}

void Browse::withdrawHeld(QObject* owner)
{
    held.withdraw(owner);
}

void Browse::dropHeld(QObject* owner)
{
    held.drop(owner);
}

void Browse::setLocked(bool locked)
{
    if (m_locked == locked)
        return;
    m_locked = locked;
    emit lockedChanged();
    held.refuseFromNowOn(locked ? Edit : 0);
}

// An edit of the entry, for an edit of entries of that kind: head + media
// code + number + tail.
void Browse::editEntry(const BrowseEntry& entry, int type, QObject* owner, const char* head, const QByteArray& tail)
{
    const int number = entry.number();
    held.submit(request(namesEntry(entry, type),
                        [this, number, head, tail] { return editWritten(writeMediaNumbered(head, number, tail)); },
                        Edit, owner));
}

// An edit of the folder shown when it was chosen, which names it by its number.
void Browse::editShownFolder(const ShownFolder& folder, std::function<bool()> write, QObject* owner)
{
    held.submit(onShownFolder(folder, [this, write] { return editWritten(write()); }, Edit, owner));
}

// An edit went out when written: the recorder's result is awaited.
bool Browse::editWritten(bool written)
{
    if (!written)
        return false;
    commandPending = 1;
    editSent();
    return true;
}

void Browse::editSent()
{
    awaitResult();
    emit mediumEditSent();
}

void Browse::awaitResult()
{
    ++editsInFlight;
    notifyNumbering();
}

void Browse::shareEditOrder(HeldRequests::EditOrder& order)
{
    held.shareOrder(order);
}

// The playlist tab's edits change the files of the medium as the tab's own
// do: their results are awaited, and one taken has the folder read again.
void Browse::onPlaylistEditSent()
{
    awaitResult();
}

void Browse::onPlaylistEditAnswered(bool taken)
{
    editAnswered(taken);
    if (!taken)
        return;
    if (status == 0)
        refreshDeferred = true;
    else
        readAgain();
}

// An edit's result: "11" (changed, the folder is read again) or "12"
// (refused, nothing changed). A result may also come for an edit that was
// given up on; it still counts as a change.
void Browse::editAnswered(bool changed)
{
    if (editsInFlight > 0)
        --editsInFlight;
    ++editResults;
    lastEditTaken = changed;
    if (changed) {
        relistNeeded = true;
        walkTrusted = false;
        ++renumberings;
    }
    notifyNumbering();
    held.run();
}

// The folder is being read again because its numbers may have changed.
void Browse::relist()
{
    relistNeeded = true;
    walkTrusted = false;
    ++renumberings;
    notifyNumbering();
}

// A new medium or a new link: nothing of before is waited for or sent.
void Browse::resetNumbering()
{
    editsInFlight = 0;
    currentChangesInFlight = 0;
    currentFolderMoved = false;
    relistNeeded = false;
    walkTrusted = false;
    ++renumberings;
    listedFolderNumber = -1;
    listedFolderPath.clear();
    held.dropAll();
}

void Browse::notifyNumbering()
{
    if (notifiedCurrent != numberingCurrent()) {
        notifiedCurrent = numberingCurrent();
        emit numberingCurrentChanged();
    }
}

// ---------------------------------------------------------------------------
// Requests

void Browse::showFolder(int number)
{
    nowFolder.setName(QString());
    nowFolder.setNumber(number);
    folderOpened = true;
    stopWalk();
}

// The folder is shown at once; a reading that cannot be asked for now is
// asked for when the tab can read again (the status or the edit right back).
bool Browse::sendOpenFolder(int number)
{
    showFolder(number);
    sendRefreshPair();
    return true;
}

void Browse::openFolder(const BrowseEntry& entry)
{
    const int number = entry.number();
    const QString path = entry.folder().isEmpty() ? entry.name() : entry.folder() + QLatin1Char('\\') + entry.name();
    const bool known = number == 0 || !entry.name().isEmpty();
    held.submit(request(namesEntry(entry, 0), [this, number, path, known] {
        askedFolder(path, known);
        return sendOpenFolder(number);
    }, FolderChange));
}

void Browse::openFolder(int number)
{
    openFolder(listedEntry(number, 0));
}

// The recorder's current folder, as read when the request goes. A Select or
// a set-to-current of ours changes it: the request waits for their answers,
// and when one was taken and the current folder has not been read since, the
// folder is shown as the recorder's answer to a reading asked for now names
// it (as after a change of medium).
void Browse::goToCurrentFolder()
{
    Request r = request({}, [this] {
        if (!currentFolderMoved) {
            askedFolder(QString(), currentFolder.number() == 0);
            return sendOpenFolder(currentFolder.number());
        }
        currentFolder.setNumber(-1);
        askedFolder(QString(), false);
        return sendOpenFolder(-1);
    }, FolderChange);
    r.ready = [this] { return currentChangesInFlight == 0; };
    held.submit(std::move(r));
}

// A Select or a set-to-current written: the recorder's current folder is
// not known until its answer ("A7", "81") and a reading after it.
bool Browse::currentChangeWritten(bool written)
{
    if (written)
        ++currentChangesInFlight;
    return written;
}

// Any answer counts: only "12" says that nothing moved. An answer of
// another form must not leave go to current waiting for good; the reading
// it then asks for comes after the change, so it names what the change left.
void Browse::onCurrentChangeResult(const QString& state)
{
    if (currentChangesInFlight > 0)
        --currentChangesInFlight;
    currentFolderMoved = currentFolderMoved || state != QLatin1String("12");
    held.run();
}

// Up names its folder by its path, which stays what it is while the recorder
// numbers its folders anew: it needs no current numbering. It keeps its turn
// and acts on the opening of a folder that waits.
void Browse::upFolder()
{
    if (!mediaValid())
        return;
    Request r = request({}, [this] { return sendUp(); }, FolderChange);
    r.numbered = false;
    r.ready = [this] { return upBase(nullptr); };
    r.actsOn = held.lastOf(FolderChange);
    held.submit(std::move(r));
}

// The path of the folder an Up goes up from (see upFolder); false while it
// is not known.
bool Browse::upBase(QString* path) const
{
    QString base;
    bool known;
    if (upFromAsked()) {
        base = askedPath;
        known = askedPathKnown;
    } else if (nowFolder.number() == 0) {
        known = true;
    } else {
        base = shownPath();
        known = !base.isEmpty();
    }
    if (path)
        *path = base;
    return known;
}

bool Browse::canGoUp() const
{
    if (upFromAsked())
        return !askedPathKnown || !askedPath.isEmpty();
    return nowFolder.number() > 0;
}

bool Browse::writeUp(const QString& to)
{
    return writeLine("07F6B02" + mediaCode.toLatin1() + '\\' + lineSafe(to).toUtf8());
}

bool Browse::sendUp()
{
    QString from;
    if (!upBase(&from))
        return false;
    if (from.isEmpty())
        return true; // the root: nowhere to go
    const int slash = from.lastIndexOf(QLatin1Char('\\'));
    const QString to = slash >= 0 ? from.left(slash) : QString();
    if (!writeUp(to))
        return false;
    askedUp.asked(to);
    askedPath = to;
    askedPathKnown = true;
    notifyUpKey();
    return true;
}

// The user asked for a folder otherwise than by Up, which is shown at once:
// the answers to the Ups asked for before it show nothing.
void Browse::askedFolder(const QString& path, bool known)
{
    upsBeforeFolderAsked = askedUp.linesWritten();
    askedPath = path;
    askedPathKnown = known;
    awaitingName = true;
    notifyUpKey();
}

// "82": the number of the folder an Up named. The recorder's order of
// answers has counted it when it answers an Up line. The answer to the last
// Up shows the folder it asked for, whose path stands for the name until the
// name has been read (the root whatever it asked for, when the recorder
// answers with the root's number); the answers before it show their folders
// on the way. One that answers no Up line of ours shows its folder.
void Browse::onUpAnswer(int number)
{
    const quint64 done = askedUp.linesDone();
    const bool ours = done != upsDoneSeen;
    upsDoneSeen = done;
    if (ours && done <= upsBeforeFolderAsked) {
        notifyUpKey();
        return;
    }
    awaitingName = ours && done == askedUp.linesWritten();
    if (awaitingName && number == 0) {
        askedPath.clear();
        askedPathKnown = true;
    }
    sendOpenFolder(number);
    notifyUpKey();
}

// A new medium: the answers to the Ups sent on the old one show nothing.
void Browse::forgetFolderAsks()
{
    upsBeforeFolderAsked = askedUp.linesWritten();
    awaitingName = false;
    askedPath.clear();
    askedPathKnown = false;
    notifyUpKey();
}

void Browse::forgetUps()
{
    askedUp.reset();
    upsDoneSeen = 0;
    forgetFolderAsks();
}

void Browse::notifyUpKey()
{
    if (notifiedCanGoUp != canGoUp()) {
        notifiedCanGoUp = canGoUp();
        emit canGoUpChanged();
    }
}

void Browse::setToCurrentFolder()
{
    const QByteArray path = lineSafe(nowFolder.name()).toUtf8();
    Request r = onShownFolder(shownFolder(), [this, path] {
        if (!currentChangeWritten(writeLine("07F6B01\\" + path)))
            return false;
        sendRefreshPair();
        return true;
    });
    r.numbered = false;
    held.submit(std::move(r));
}

// The folder is made in the one the window was opened on, by its number then.
void Browse::createFolder(const ShownFolder& in, QString name, QObject* owner)
{
    const QByteArray encoded = namerules::encodedName(name, namerules::folderNameBytes);
    const int number = in.number();
    editShownFolder(in, [this, number, encoded] { return writeMediaNumbered("07F6B15", number, encoded); }, owner);
}

void Browse::createFolder(QString name, QObject* owner)
{
    createFolder(shownFolder(), name, owner);
}

void Browse::renameFolder(const BrowseEntry& entry, QString name, QObject* owner)
{
    editEntry(entry, 0, owner, "07F6B13", namerules::encodedName(name, namerules::folderNameBytes));
}

void Browse::renameFolder(int number, QString name)
{
    renameFolder(listedEntry(number, 0), name);
}

void Browse::deleteFolder(const BrowseEntry& entry, QObject* owner)
{
    if (entry.number() < 0)
        return;
    editEntry(entry, 0, owner, "07F6B14");
}

void Browse::deleteFolder(int number)
{
    deleteFolder(listedEntry(number, 0));
}

void Browse::sortByTime()
{
    sortShownFolder("07F6B0300");
}

void Browse::sortByName()
{
    sortShownFolder("07F6B0301");
}

void Browse::sortShownFolder(const char* head)
{
    const ShownFolder folder = shownFolder();
    const int number = folder.number();
    editShownFolder(folder, [this, head, number] { return writeNumbered(head, number); });
}

void Browse::selectFile(const BrowseEntry& entry)
{
    const int number = entry.number();
    held.submit(request(namesEntry(entry, 1),
                        [this, number] { return currentChangeWritten(writeNumbered("07F6B27", number)); }));
}

void Browse::selectFile(int number)
{
    selectFile(listedEntry(number, 1));
}

void Browse::renameFile(const BrowseEntry& entry, QString newName, QObject* owner)
{
    renameFileKeeping(entry, newName, namerules::audioExtension(entry.name()), owner);
}

void Browse::renameFile(int number, QString newName, QString orgName)
{
    renameFileKeeping(listedEntry(number, 1), newName, namerules::audioExtension(orgName), nullptr);
}

// The new name, cleaned and cut to fit, with that extension ("" none).
void Browse::renameFileKeeping(const BrowseEntry& entry, const QString& newName, const QString& extension,
                               QObject* owner)
{
    QString stem = newName;
    if (!namerules::audioExtension(stem).isEmpty())
        stem.chop(4);
    stem = namerules::cleaned(stem);
    if (stem.isEmpty()) {
        emit execFailed();
        return;
    }
    const QByteArray name = namerules::cutUtf8(stem, namerules::fileStemBytes) + extension.toLatin1();
    editEntry(entry, 1, owner, "07F6B23", name);
}

void Browse::deleteFile(const BrowseEntry& entry, QObject* owner)
{
    if (entry.number() < 0)
        return;
    editEntry(entry, 1, owner, "07F6B24");
}

void Browse::deleteFile(int number)
{
    deleteFile(listedEntry(number, 1));
}

// Named by its path and asked for by the playlist model when the delete's
// turn among the edits of the medium has come: it goes at once, and the
// browse numbers wait for its result like any edit's.
void Browse::deleteFileFullPath(QString file)
{
    editWritten(writeLine("07F6B26" + lineSafe(file).toUtf8()));
}

// Into the folder shown, by paths: it keeps its turn, and goes only while
// that folder is still the one shown.
void Browse::copyFile(QString file, QString folder)
{
    const QByteArray from = lineSafe(file).toUtf8(), to = lineSafe(folder).toUtf8();
    Request r = onShownFolder(shownFolder(), [this, from, to] {
        return editWritten(writeLine("07F6B0400" + from) && writeLine("07F6B0415" + to));
    }, Edit);
    r.numbered = false;
    held.submit(std::move(r));
}

// Undoes the last change. The change the user means is their last edit, on
// this tab or the playlist tab; one whose result has not come when they
// choose the Undo may yet be refused, and the recorder would then take back
// an older change. So the Undo waits, as a numbered request does, until
// every edit of ours has been answered (and the folder read again), and goes
// only if the last result that came meanwhile was "11". It takes its turn
// after the edits of both tabs made before it, and every edit made after it
// goes after it; it goes only if those made before it all went out, and
// nothing else did: otherwise it would take back another change, and it is
// dropped.
void Browse::undo()
{
    const int results = editResults;
    const int editsBefore = held.editsSent() + held.editsWaiting();
    Request r = request([this, results, editsBefore](bool) {
        return (editResults == results || lastEditTaken) && held.editsSent() == editsBefore;
    }, [this] {
        if (!writeLine("07F6B25"))
            return false;
        editSent();
        return true;
    }, Edit);
    r.actsOn = held.lastOf(Edit);
    held.submit(std::move(r));
}

// Asked for by the file menu, which shows it; not the user's confirmation.
void Browse::queryInfo(const BrowseEntry& entry, QObject* owner)
{
    const int number = entry.number();
    Request r = request(namesEntry(entry, 1), [this, number] { return writeMediaNumbered("07F6B22", number); }, 0, owner);
    r.confirmed = false;
    held.submit(std::move(r));
}

void Browse::queryInfo(int number)
{
    queryInfo(listedEntry(number, 1));
}

void Browse::pickFile(const BrowseEntry& entry, QObject* owner)
{
    held.submit(request(namesEntry(entry, 1), [this, picker = QPointer<QObject>(owner), entry] {
        if (!picker)
            return false;
        emit filePicked(picker, entry.number(), entry.name(), entry.folder());
        return true;
    }, 0, owner));
}

// ---------------------------------------------------------------------------
// Answers

void Browse::parseBrowseResponse(QString reply)
{
    const QString code = reply.left(2);
    if (code == QLatin1String("80")) {
        onCurrentFolder(reply);
    } else if (code == QLatin1String("82")) {
        onUpAnswer(numberField(reply, 4));
    } else if (code == QLatin1String("85")) {
        setCurrentFileNumber(numberField(reply, 2));
    } else if (code == QLatin1String("90")) {
        onFolderInfo(reply);
    } else if (code == QLatin1String("91")) {
        onFolderEntry(reply);
    } else if (code == QLatin1String("A0")) {
        onFileInfo(reply);
    } else if (code == QLatin1String("A1")) {
        onFileEntry(reply);
    } else if (code == QLatin1String("A2")) {
        onFileInformation(reply);
    } else if (code == QLatin1String("81") || code == QLatin1String("A7")) {
        onCurrentChangeResult(reply.mid(2, 2));
    } else if (!busyText(code).isEmpty()) {
        onResult(code, reply.mid(2, 2));
    }
}

// The listing walk: one request in flight, each answer asks for the next
// entry. An answer that is not the one asked for last belongs to a walk that
// was given up (another folder was opened meanwhile) and is ignored.

void Browse::stopWalk()
{
    walk = Walk::Idle;
    walkNumber = -1;
    walkTrusted = false;
    setListing(false);
}

// The walk cannot go on. When its list was to show the numbering anew, the
// rows from before can no longer be trusted: they go, and what waited for
// them is dealt with against the empty list.
void Browse::walkFailed()
{
    const bool settles = walkTrusted && relistNeeded;
    stopWalk();
    if (!settles)
        return;
    relistNeeded = false;
    clearEntries();
    notifyNumbering();
    held.run();
    emit listRead();
}

// The whole list has been read: it is published, and a walk that began after
// the last change tells that the rows carry the recorder's numbering.
void Browse::walkDone()
{
    if (walkTrusted)
        relistNeeded = false;
    stopWalk();
    listedFolderNumber = nowFolder.number();
    listedFolderPath = nowFolder.name();
    publish();
    notifyNumbering();
    held.run();
    emit listRead();
}

void Browse::setListing(bool value)
{
    if (listRequested == value)
        return;
    listRequested = value;
    emit listingChanged();
}

// Sends "07F6B" + op + media code + field and waits for the answer `next`
// about `number`. A request that cannot be sent ends the walk.
void Browse::walkRequest(const char* op, const QString& field, Walk next, int number)
{
    walk = next;
    walkNumber = number;
    if (field.size() != 4 || !mediaValid()
        || !writeLine(QByteArray("07F6B") + op + mediaCode.toLatin1() + field.toLatin1()))
        walkFailed();
}

void Browse::onCurrentFolder(const QString& reply)
{
    const int n = numberField(reply, 2);
    // Asked after the answers of our changes of it: the number is the one
    // they left.
    if (currentChangesInFlight == 0)
        currentFolderMoved = false;
    if (n != currentFolder.number()) {
        currentFolder.setNumber(n);
        if (nowFolder.number() == -1) {
            // Nothing shown yet (a new medium): show the current folder.
            nowFolder.setNumber(n);
            folderOpened = true;
        }
    }
    if (!folderOpened || listRequested)
        return;
    setListing(true);
    walkTrusted = true;
    const int shown = nowFolder.number();
    char field[4];
    if (!setCommandNumberField(field, shown)) {
        walkFailed();
        return;
    }
    walkRequest("11", QString::fromLatin1(field, 4), Walk::ShownFolder, shown);
}

void Browse::onFolderEntry(const QString& reply)
{
    const int n = numberField(reply, 4);
    if ((walk != Walk::ShownFolder && walk != Walk::FolderEntry) || n != walkNumber)
        return;
    if (n == currentFolder.number())
        currentFolder.setName(reply.mid(9));
    if (walk == Walk::ShownFolder) {
        nowFolder.setName(reply.mid(9));
        emit nowFolderNameChanged();
        clearEntries();
        walkRequest("10", copiedField(reply, 4), Walk::FolderInfo, n);
        // Up counts from the name read now; an Up that waited for it goes.
        awaitingName = false;
        notifyUpKey();
        held.run();
        return;
    }
    if (n < firstFolderNumber || n > lastFolderNumber) {
        walkFailed();
        return;
    }
    auto* entry = new BrowseObject;
    entry->setName(entryName(reply));
    entry->setNumber(n);
    entry->setType(0);
    entry->setFolder(nowFolder.name());
    entryList.append(entry);
    const int shown = nowFolder.number();
    char field[4];
    if (n == lastFolderNumber && setCommandNumberField(field, shown))
        walkRequest("20", QString::fromLatin1(field, 4), Walk::FileInfo, shown);
    else if (n != lastFolderNumber && setCommandNumberField(field, n + 1))
        walkRequest("11", QString::fromLatin1(field, 4), Walk::FolderEntry, n + 1);
    else
        walkFailed();
}

void Browse::onFolderInfo(const QString& reply)
{
    const int shown = nowFolder.number();
    if (walk != Walk::FolderInfo || numberField(reply, 4) != shown)
        return;
    if (numberField(reply, 16) == 0) {
        firstFolderNumber = lastFolderNumber = 0;
        char field[4];
        if (setCommandNumberField(field, shown))
            walkRequest("20", QString::fromLatin1(field, 4), Walk::FileInfo, shown);
        else
            walkFailed();
        return;
    }
    firstFolderNumber = numberField(reply, 8);
    lastFolderNumber = numberField(reply, 12);
    walkRequest("11", copiedField(reply, 8), Walk::FolderEntry, firstFolderNumber);
}

void Browse::onFileInfo(const QString& reply)
{
    if (walk != Walk::FileInfo || numberField(reply, 4) != nowFolder.number())
        return;
    if (numberField(reply, 16) == 0) {
        firstFileNumber = lastFileNumber = 0;
        walkDone();
        return;
    }
    firstFileNumber = numberField(reply, 8);
    lastFileNumber = numberField(reply, 12);
    walkRequest("21", copiedField(reply, 8), Walk::FileEntry, firstFileNumber);
}

void Browse::onFileEntry(const QString& reply)
{
    const int n = numberField(reply, 4);
    if (walk != Walk::FileEntry || n != walkNumber || n < firstFileNumber || n > lastFileNumber)
        return;
    auto* entry = new BrowseObject;
    entry->setName(entryName(reply));
    entry->setNumber(n);
    entry->setType(1);
    entry->setFolder(nowFolder.name());
    entryList.append(entry);
    char field[4];
    if (n == lastFileNumber) {
        walkDone();
    } else if (setCommandNumberField(field, n + 1)) {
        walkRequest("21", QString::fromLatin1(field, 4), Walk::FileEntry, n + 1);
    } else {
        walkFailed();
    }
}

void Browse::onFileInformation(const QString& reply)
{
    const int n = numberField(reply, 4);
    for (QObject* o : qAsConst(entryList)) {
        auto* entry = static_cast<BrowseObject*>(o);
        if (entry->type() == 1 && entry->number() == n) {
            entry->setInfo(reply.mid(10).replace(QLatin1Char('\t'), QLatin1Char('\n')));
            emit infoChanged();
            return;
        }
    }
}

void Browse::onResult(const QString& code, const QString& state)
{
    if (state == QLatin1String("00")) {
        setDialogString(busyText(code));
    } else if (state == QLatin1String("11")) {
        commandPending = 2;
        setDialogString(QString());
        editAnswered(true);
        refreshFolder();
    } else if (state == QLatin1String("12")) {
        // A refused edit is over: nothing is pending any more.
        commandPending = 0;
        setDialogString(QString());
        emit execFailed();
        if (code == QLatin1String("A6"))
            emit endDeletePpl();
        editAnswered(false);
    }
}
