#include "playlist.h"

#include "namerules.h"
#include "permission.h"
#include "replyfields.h"
#include "telnet.h"

#include <QRegularExpression>

#include <algorithm>

using replyfields::numberField;

namespace {

template <typename T>
void update(Playlist* model, T& member, const T& value, void (Playlist::*changed)())
{
    if (member == value)
        return;
    member = value;
    emit(model->*changed)();
}

// A playlist name as it goes on the wire: without control characters, which
// would end the line early (CR, LF), split the recorder's TAB-separated
// answers or cut the write (NUL).
QString withoutControls(QString name)
{
    name.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1F]")));
    return name;
}

QByteArray boundedName(const QString& name)
{
    return namerules::cutUtf8(withoutControls(name), namerules::folderNameBytes);
}

} // namespace

Playlist::Playlist(QObject* parent)
    : QObject(parent)
{
    m_held.numberingCurrent = [this] { return numberingCurrent(); };
    m_held.reportDrop = [this] { emit execFailed(); };
    m_held.wake = [this] { sendHeld(); };
}

void Playlist::setExecCommand(bool value)
{
    // The screen sets it as it starts deleting a playlist file.
    if (value && !m_execCommand)
        numberingMoved();
    update(this, m_execCommand, value, &Playlist::execCommandChanged);
}

// What the tab may no longer do goes: a request confirmed before must not
// reach the recorder once the tab is covered, read-only or without the edit
// right, or a file row's once the rows are read-only.
void Playlist::setLocked(bool value)
{
    update(this, m_locked, value, &Playlist::lockedChanged);
    refuseLocked();
}

void Playlist::setFilesLocked(bool value)
{
    update(this, m_filesLocked, value, &Playlist::filesLockedChanged);
    refuseLocked();
}

void Playlist::refuseLocked()
{
    m_held.refuseFromNowOn(m_locked ? FileRow | Other : m_filesLocked ? FileRow : 0);
}

// ---------------------------------------------------------------------------
// Writing: every line goes out whole in one write, and only while this
// application holds the edit right.

bool Playlist::mayWrite() const
{
    return permission && permission->telnet && permission->okPermission();
}

bool Playlist::write(const QByteArray& lines)
{
    if (!mayWrite())
        return false;
    permission->telnet->sendData(lines.constData());
    return true;
}

bool Playlist::writeLine(const QByteArray& line)
{
    return write(line + "\r\n");
}

// head + one number field per number + tail; nothing at all when a number
// does not fit its field.
bool Playlist::writeNumbered(const char* head, std::initializer_list<int> numbers, const QByteArray& tail)
{
    QByteArray line(head);
    for (const int n : numbers) {
        char field[4];
        if (!setCommandNumberField(field, n))
            return false;
        line += QByteArray(field, 4);
    }
    return writeLine(line + tail);
}

// A line that renumbers the playlists, and the files of the medium, once the
// recorder applies it.
bool Playlist::writeMoving(const QByteArray& line)
{
    if (!writeLine(line))
        return false;
    numberingMoved();
    emit mediumEditSent();
    return true;
}

// ---------------------------------------------------------------------------
// The numbering of the rows

// An edit that can renumber the playlists has gone out (or another
// application's has been announced): the rows read so far, and the answers to
// list queries already sent, number by the list before it.
void Playlist::numberingMoved()
{
    m_movedAt = m_listQueriesSent;
}

bool Playlist::numberingCurrent() const
{
    return m_listQueriesOut == 0 && m_rowsComplete && m_rowsQuery > m_movedAt;
}

void Playlist::onListComplete()
{
    m_rowsComplete = true;
    emit pplListRecived();
    sendHeld();
    // What the rows read now show is of no use to a request made on them.
    if (m_held.isEmpty()) {
        m_renames.erase(std::remove_if(m_renames.begin(), m_renames.end(),
                                       [this](const SentRename& r) { return r.answered && r.sentAt < m_rowsQuery; }),
                        m_renames.end());
    }
}

// Sends the waiting requests in turn: a rename while the rows are the
// recorder's numbering, the others whenever their turn comes. A rename, a
// create or a save-as that goes out moves the numbering again, so a rename
// after it waits for the list read after it. While some wait and no list has
// been asked for since the numbering moved, the screen is asked to read it
// again.
void Playlist::sendHeld()
{
    m_held.run();
    if (!m_held.isEmpty() && m_listQueriesSent == m_movedAt)
        emit readyToRedraw();
}

// ---------------------------------------------------------------------------
// Requests

void Playlist::initAll()
{
    // A new grant of the edit right: a delete begun before cannot still run,
    // and other applications may have changed the playlists meanwhile.
    setExecCommand(false);
    numberingMoved();
    m_held.dropAll();
    writeLine("07F4500");
    emit readyToRedraw();
}

void Playlist::initPpl()
{
    if (!write("07F4503\r\n07F4504\r\n"))
        return;
    ++m_listQueriesSent;
    ++m_listQueriesOut;
}

void Playlist::requestEntries()
{
    entryNames.fill(QString());
    write("07F4510\r\n07F4512\r\n");
    receivedEntryCount = 0;
}

void Playlist::initEntry()
{
    requestEntries();
}

// A request waits for its turn behind those confirmed before it, so that the
// recorder gets them all in the order they were confirmed. One that names a
// playlist (ForRows) also waits while the rows may be numbered anew, and
// goes only while it still names the playlist chosen (`stillNames`); an
// edit of the medium (AsEdit) also waits for its turn among the browse tab's
// edits.
void Playlist::submitRequest(Kind kind, int wait, std::function<bool()> send, std::function<bool(bool)> stillNames)
{
    if (!mayWrite())
        return;
    HeldRequests::Request r;
    r.numbered = wait & ForRows;
    r.edit = wait & AsEdit;
    r.kind = kind;
    r.stillNames = std::move(stillNames);
    r.send = std::move(send);
    m_held.submit(std::move(r));
    sendHeld();
}

// Entries keep their numbers: an assign or a clear names no playlist, and
// reaches the one that the loads confirmed before it leave loaded. It changes
// a playlist file, which the recorder's Undo may take back: it takes its turn
// among the edits of the medium, so that an Undo tapped before it goes before
// it. The take is a file's number as the browse rows gave it at the pick,
// just before: an edit of the medium that goes out before the assign may
// number the files anew, and the assign is then dropped. An entry edit
// numbers nothing anew.
void Playlist::assignEntry(int entry, int take)
{
    submitRequest(Other, AsEdit, [this, entry, take] { return writeEntryEdit("07F314B01", { entry, take }); },
                  [this, sent = renumberingEditsSent()](bool) { return renumberingEditsSent() == sent; });
}

void Playlist::clearEntry(int entry)
{
    submitRequest(Other, AsEdit, [this, entry] { return writeEntryEdit("07F314B00", { entry }); });
}

bool Playlist::writeEntryEdit(const char* head, std::initializer_list<int> numbers)
{
    if (!writeNumbered(head, numbers))
        return false;
    ++m_entryEditsSent;
    return true;
}

// The edits of the medium gone out that may have numbered its files anew:
// all but the entry edits.
int Playlist::renumberingEditsSent() const
{
    return m_held.editsSent() - m_entryEditsSent;
}

void Playlist::createPpl(QString name)
{
    submitRequest(Other, AsEdit, [this, line = "07F4540" + boundedName(name)] { return writeMoving(line); });
}

void Playlist::saveAs(QString name)
{
    submitRequest(FileRow, AsEdit, [this, line = "07F4541" + boundedName(name)] { return writeMoving(line); });
}

void Playlist::renamePpl(int pplNumber, QString name, QString shownName)
{
    if (shownName.isEmpty())
        shownName = getPplName(pplNumber - 1);
    submitRequest(FileRow, ForRows | AsEdit, [this, pplNumber, shownName, wire = boundedName(name)] {
        if (!writeNumbered("07F4543", { pplNumber }, wire))
            return false;
        m_renames.append({ shownName, m_listQueriesSent });
        numberingMoved();
        emit mediumEditSent();
        return true;
    }, [this, pplNumber, shownName](bool) { return getPplName(pplNumber - 1) == shownName; });
}

// By the name its row showed, read with the rows of the latest list.
void Playlist::loadPpl(QString name)
{
    static const char* const heads[] = { "07F310000A:/_playlists/", "07F310000B:/_playlists/",
                                         "07F310000C:/_playlists/" };
    if (currentMediaIndex < 0 || currentMediaIndex > 2)
        return;
    submitRequest(FileRow, ForRows, [this, line = heads[currentMediaIndex] + withoutControls(name).toUtf8()] { return writeLine(line); },
                  [this, name, rowsRead = m_rowsQuery](bool) { return stillListed(name, rowsRead); });
}

// The delete runs from when it goes until the recorder has answered it.
void Playlist::deletePpl(QString name, QString fullPath, int rowsRead)
{
    submitRequest(FileRow, ForRows | AsEdit, [this, fullPath] {
        if (!mayWrite())
            return false;
        setExecCommand(true);
        emit deletePplRequested(fullPath);
        return true;
    }, [this, name, rowsRead](bool) { return stillListed(name, rowsRead); });
}

bool Playlist::stillListed(const QString& name, int rowsRead) const
{
    return listsPpl(name) && !renamedSince(name, rowsRead);
}

// Whether this application renamed the playlist of that name after the
// list of that query was asked for; a rename the recorder refused did not.
bool Playlist::renamedSince(const QString& name, int rowsQuery) const
{
    return std::any_of(m_renames.begin(), m_renames.end(), [&](const SentRename& r) {
        return r.from == name && r.sentAt >= rowsQuery && !r.refused;
    });
}

// The recorder answers the renames in the order they were written.
void Playlist::onRenameResult(bool done)
{
    for (SentRename& r : m_renames) {
        if (!r.answered) {
            r.answered = true;
            r.refused = !done;
            return;
        }
    }
}

void Playlist::clearEntryInfo()
{
    update(this, m_infoDataA, QString(), &Playlist::infoDataAChanged);
    update(this, m_infoDataB, QString(), &Playlist::infoDataBChanged);
    update(this, m_infoDateTime, QString(), &Playlist::infoDateTimeChanged);
    update(this, m_infoFolder, QString(), &Playlist::infoFolderChanged);
}

void Playlist::getEntryInfo(int i)
{
    writeNumbered("07F4513", { i });
}

QString Playlist::getPplName(int i) const
{
    return i >= 0 && i < pplList.size() ? pplList.at(i).name : QString();
}

bool Playlist::listsPpl(const QString& name) const
{
    return std::any_of(pplList.begin(), pplList.end(), [&name](const PplRecord& r) { return r.name == name; });
}

QString Playlist::getPplDateTime(int i) const
{
    return i >= 0 && i < pplList.size() ? pplList.at(i).dateTime : QString();
}

QString Playlist::getEntryName(int i) const
{
    return entryNames.value(i);
}

void Playlist::setCurrentMedia(QString media)
{
    if (media == QLatin1String("SD1"))
        currentMediaIndex = 0;
    else if (media == QLatin1String("SD2"))
        currentMediaIndex = 1;
    else if (media == QLatin1String("USB"))
        currentMediaIndex = 2;
    else
        currentMediaIndex = 3;
    // Another medium, or the link lost: no delete of ours is running any more,
    // and the rows and what waits on them are the old medium's. With the
    // link, the answers to the list queries are gone too.
    if (media != m_media) {
        setExecCommand(false);
        numberingMoved();
        m_held.dropAll();
        m_rowsComplete = false;
        m_renames.clear();
    }
    if (media.isEmpty())
        m_listQueriesOut = 0;
    m_media = media;
}

void Playlist::onEndDeletePpl()
{
    setExecCommand(false);
}

// The list is asked for after the edit, so it shows what the edit did; but
// not for a playlist delete of ours, whose end the recorder announces.
void Playlist::onPlaylistsMayChange()
{
    numberingMoved();
    if (!m_execCommand)
        emit readyToRedraw();
}

// ---------------------------------------------------------------------------
// Answers

void Playlist::parsePlaylistResponse(QString data)
{
    const QString code = data.left(2);
    const int number = numberField(data, 2);
    if (code == QLatin1String("80")) {
        if (number <= 999) {
            emit readyToRedraw();
        } else if (number == 4000) {
            // The playlists have changed (a delete of ours among others).
            setExecCommand(false);
            numberingMoved();
            writeLine("07F4500");
        } else if (number == 5000) {
            setExecCommand(false);
            requestEntries();
        }
    } else if (code == QLatin1String("81")) {
        if (!storePpl(number, { data.mid(6), QString() }))
            return;
        emit pplRecived(number - 1);
        if (number < m_allPplNumber)
            writeNumbered("07F4501", { number + 1 });
        else if (listFilled())
            onListComplete();
    } else if (code == QLatin1String("83")) {
        // A number below 1 (a malformed field included) names no playlist.
        update(this, m_currentPlaylist, qMax(number, 0) - 1, &Playlist::currentPlaylistChanged);
        writeLine("07F4510");
    } else if (code == QLatin1String("84")) {
        // Counts come in the order of the queries: with none out any more,
        // the rows are read from the list of the latest.
        if (m_listQueriesOut > 0)
            --m_listQueriesOut;
        m_rowsQuery = m_listQueriesSent;
        m_rowsComplete = false;
        pplList.clear();
        update(this, m_allPplNumber, number, &Playlist::allPplNumberChanged);
        if (number != 0)
            writeNumbered("07F4505", { 1, number });
        else
            onListComplete();
    } else if (code == QLatin1String("85")) {
        const QString dateTime = data.mid(6, 16);
        if (!storePpl(number, { data.mid(22), dateTime }))
            return;
        if (m_currentPlaylist == number - 1)
            update(this, m_currentPlaylistDateTime, dateTime, &Playlist::currentPlaylistDateTimeChanged);
        emit pplRecived(number - 1);
        if (listFilled())
            onListComplete();
    } else if (code == QLatin1String("90")) {
        update(this, m_allEntryNumber, number, &Playlist::allEntryNumberChanged);
    } else if (code == QLatin1String("91")) {
        onEntry(data);
    } else if (code == QLatin1String("92")) {
        onOccupancy(data);
    } else if (code == QLatin1String("93")) {
        onEntryInfo(data);
    } else if (code == QLatin1String("C0") || code == QLatin1String("C1") || code == QLatin1String("C3")) {
        const QString result = data.mid(2, 2);
        const bool done = result == QLatin1String("11");
        if (done || result == QLatin1String("12")) {
            if (code == QLatin1String("C3"))
                onRenameResult(done);
            emit mediumEditAnswered(done);
        }
        if (done)
            writeLine("07F4500");
        else if (result == QLatin1String("12"))
            emit execFailed();
    }
}

// The record of playlist file `number` (1-based) at its own row. A number
// outside the file count is garbled and ignored: the screen would build a
// row for every number up to it.
bool Playlist::storePpl(int number, const PplRecord& record)
{
    if (number < 1 || number > m_allPplNumber)
        return false;
    while (pplList.size() < number)
        pplList.append(PplRecord());
    pplList[number - 1] = record;
    return true;
}

// One entry of the loaded playlist; a single TAB is an empty entry. Numbers
// outside the 100 entries are ignored.
void Playlist::onEntry(const QString& data)
{
    const int entry = numberField(data, 2);
    if (entry < 0 || entry >= maxEntries)
        return;
    if (m_allEntryNumber == 0)
        emit entryListRecived();
    const QString name = data.mid(6);
    if (name == QLatin1String("\t") || name.isEmpty()) {
        entryNames[entry].clear();
        return;
    }
    entryNames[entry] = name;
    if (++receivedEntryCount == m_allEntryNumber)
        emit entryListRecived();
}

// Every playlist file of the count has arrived, once: what arrives after it
// belongs to the next read.
bool Playlist::listFilled() const
{
    return !m_rowsComplete && pplList.size() == m_allPplNumber
        && std::none_of(pplList.begin(), pplList.end(), [](const PplRecord& r) { return r.name.isEmpty(); });
}

// Thirteen blocks of two characters, one per eight entries (the last covers
// 96 to 99): every occupied block is asked for. Missing blocks are empty.
void Playlist::onOccupancy(const QString& data)
{
    const QString blocks = data.mid(2, 26).leftJustified(26, QLatin1Char('0'));
    bool asked = false;
    for (int k = 0; k < 13; ++k) {
        if (blocks.mid(2 * k, 2) == QLatin1String("00"))
            continue;
        writeNumbered("07F4511", { 8 * k, qMin(8 * k + 7, maxEntries - 1) });
        asked = true;
    }
    if (!asked)
        emit entryListRecived();
}

// Four TAB-separated fields: format, channels, date-time and folder. Missing
// fields are empty.
void Playlist::onEntryInfo(const QString& data)
{
    const QStringList fields = data.mid(6).split(QLatin1Char('\t'));
    update(this, m_infoDataA, fields.value(0).replace(QLatin1Char('/'), QLatin1Char(' ')), &Playlist::infoDataAChanged);
    update(this, m_infoDataB, fields.value(1).replace(QLatin1Char('/'), QLatin1Char(' ')), &Playlist::infoDataBChanged);
    update(this, m_infoDateTime, fields.value(2), &Playlist::infoDateTimeChanged);
    update(this, m_infoFolder, fields.value(3).replace(QLatin1Char('\\'), QLatin1Char('/')), &Playlist::infoFolderChanged);
}

void Playlist::handleEntryEditResult(QString data)
{
    const QString operation = data.left(2);
    if (operation != QLatin1String("00") && operation != QLatin1String("01"))
        return;
    const QString result = data.mid(6, 2);
    if (result == QLatin1String("11"))
        requestEntries();
    else if (result == QLatin1String("12"))
        emit execFailed();
}
