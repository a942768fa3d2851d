#include "browse.h"

#include "globals.h"
#include "linesafe.h"
#include "namerules.h"
#include "permission.h"
#include "replyfields.h"
#include "telnet.h"

#include <QVariant>

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
    publish();
    connect(&nowFolder, &BrowseObject::nameChanged, this, &Browse::nowFolderNameChanged);
    connect(&nowFolder, &BrowseObject::numberChanged, this, &Browse::nowFolderNumberChanged);
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
// and its current file.
void Browse::sendRefreshPair()
{
    if (status == 0 || !mediaValid())
        return;
    if (writeLine("07F6B00"))
        writeLine("07F6B05");
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

void Browse::startBrowse()
{
    stopWalk();
    sendRefreshPair();
}

void Browse::restartBrowse()
{
    currentFolder.setNumber(-1);
    stopWalk();
    sendRefreshPair();
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
    if (status == 0)
        setBrowseDialogString(mediaName + QStringLiteral(" is not available"));
    currentFolder.setNumber(-1);
    sendRefreshPair();
}

void Browse::setStatus(int newStatus)
{
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
    if (refreshDeferred) {
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
}

// Re-reads the shown folder after a finished edit; waits while the status is 0.
void Browse::refreshFolder()
{
    if (status == 0) {
        refreshDeferred = true;
        return;
    }
    commandPending = 0;
    stopWalk();
    if (nowFolder.number() == -1) {
        setDialogString(QString());
        currentFolder.setNumber(-1);
        sendRefreshPair();
        return;
    }
    nowFolder.setName(QString());
    folderOpened = true;
    sendRefreshPair();
    setDialogString(QString());
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

void Browse::openFolder(int number)
{
    showFolder(number);
    sendRefreshPair();
}

void Browse::goToCurrentFolder()
{
    openFolder(currentFolder.number());
}

void Browse::upFolder()
{
    if (!mediaValid())
        return;
    const QString name = nowFolder.name();
    const int slash = name.lastIndexOf(QLatin1Char('\\'));
    const QString parent = slash >= 0 ? name.left(slash) : QString();
    writeLine("07F6B02" + mediaCode.toLatin1() + '\\' + lineSafe(parent).toUtf8());
}

void Browse::createFolder(QString name)
{
    if (writeMediaNumbered("07F6B15", nowFolder.number(), namerules::encodedName(name, namerules::folderNameBytes)))
        commandPending = 1;
}

void Browse::renameFolder(int number, QString name)
{
    if (writeMediaNumbered("07F6B13", number, namerules::encodedName(name, namerules::folderNameBytes)))
        commandPending = 1;
}

void Browse::deleteFolder(int number)
{
    if (writeMediaNumbered("07F6B14", number))
        commandPending = 1;
}

void Browse::setToCurrentFolder()
{
    writeLine("07F6B01\\" + lineSafe(nowFolder.name()).toUtf8());
    sendRefreshPair();
}

void Browse::sortByTime()
{
    if (writeNumbered("07F6B0300", nowFolder.number()))
        commandPending = 1;
}

void Browse::sortByName()
{
    if (writeNumbered("07F6B0301", nowFolder.number()))
        commandPending = 1;
}

void Browse::selectFile(int number)
{
    writeNumbered("07F6B27", number);
}

void Browse::renameFile(int number, QString newName, QString orgName)
{
    QString stem = newName;
    if (!namerules::audioExtension(stem).isEmpty())
        stem.chop(4);
    stem = namerules::cleaned(stem);
    if (stem.isEmpty()) {
        emit execFailed();
        return;
    }
    const QByteArray name = namerules::cutUtf8(stem, namerules::fileStemBytes)
        + namerules::audioExtension(orgName).toLatin1();
    if (writeMediaNumbered("07F6B23", number, name))
        commandPending = 1;
}

void Browse::deleteFile(int number)
{
    if (writeMediaNumbered("07F6B24", number))
        commandPending = 1;
}

void Browse::deleteFileFullPath(QString file)
{
    if (writeLine("07F6B26" + lineSafe(file).toUtf8()))
        commandPending = 1;
}

void Browse::copyFile(QString file, QString folder)
{
    if (writeLine("07F6B0400" + lineSafe(file).toUtf8()) && writeLine("07F6B0415" + lineSafe(folder).toUtf8()))
        commandPending = 1;
}

void Browse::undo()
{
    writeLine("07F6B25");
}

void Browse::queryInfo(int number)
{
    writeMediaNumbered("07F6B22", number);
}

// ---------------------------------------------------------------------------
// Answers

void Browse::parseBrowseResponse(QString reply)
{
    const QString code = reply.left(2);
    if (code == QLatin1String("80")) {
        onCurrentFolder(reply);
    } else if (code == QLatin1String("82")) {
        openFolder(numberField(reply, 4));
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
    setListing(false);
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
        stopWalk();
}

void Browse::onCurrentFolder(const QString& reply)
{
    const int n = numberField(reply, 2);
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
    const int shown = nowFolder.number();
    char field[4];
    if (!setCommandNumberField(field, shown)) {
        stopWalk();
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
        return;
    }
    if (n < firstFolderNumber || n > lastFolderNumber) {
        stopWalk();
        return;
    }
    auto* entry = new BrowseObject;
    entry->setName(entryName(reply));
    entry->setNumber(n);
    entry->setType(0);
    entryList.append(entry);
    const int shown = nowFolder.number();
    char field[4];
    if (n == lastFolderNumber && setCommandNumberField(field, shown))
        walkRequest("20", QString::fromLatin1(field, 4), Walk::FileInfo, shown);
    else if (n != lastFolderNumber && setCommandNumberField(field, n + 1))
        walkRequest("11", QString::fromLatin1(field, 4), Walk::FolderEntry, n + 1);
    else
        stopWalk();
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
            stopWalk();
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
        stopWalk();
        publish();
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
    entryList.append(entry);
    char field[4];
    if (n == lastFileNumber) {
        stopWalk();
        publish();
    } else if (setCommandNumberField(field, n + 1)) {
        walkRequest("21", QString::fromLatin1(field, 4), Walk::FileEntry, n + 1);
    } else {
        stopWalk();
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
        refreshFolder();
    } else if (state == QLatin1String("12")) {
        // A refused edit is over: nothing is pending any more.
        commandPending = 0;
        setDialogString(QString());
        emit execFailed();
        if (code == QLatin1String("A6"))
            emit endDeletePpl();
    }
}
