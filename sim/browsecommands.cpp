// The browse commands of the simulated recorder: "07F6B" + operation, each
// answered with "0FF6B" + (operation + 0x80) + fields. Listing queries are
// answered to anyone; edits only to the holder of the edit right, with the
// transport stopped, on a writable medium. An edit is answered with
// "working" ("00") and then "done" ("11") or "refused" ("12"); a done edit
// tells the other applications to browse again ("0FF6AF602").
#include "mediafiles.h"

#include "recorderstate.h"
#include "simrecorder.h"

#include <algorithm>

namespace sim {

namespace {

QString answerCode(const QString& op)
{
    return QString::number(op.toInt(nullptr, 16) + 0x80, 16).toUpper();
}

QString clock(int frames)
{
    const int seconds = frames / 100;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

bool MediaFiles::handleCommand(SimConnection* c, const QString& line)
{
    if (!line.startsWith(QLatin1String("07F6B")) || line.size() < 7)
        return false;
    const QString op = line.mid(5, 2);
    const QString current = m_state->currentMediumName();
    const QString code = line.mid(7, 2);
    const QString medium = mediumOfCode(code);
    for (const QString& name : m_volumes.keys())
        takeOver(name);
    const int number = readNumberField(line, 9);
    if (op == QLatin1String("00")) {
        c->sendLine(QStringLiteral("0FF6B80") + numberField(folderNumber(current, volume(current).currentFolderId)));
    } else if (op == QLatin1String("05")) {
        c->sendLine(QStringLiteral("0FF6B85") + numberField(fileNumber(current, volume(current).currentFileId)));
    } else if (op == QLatin1String("10")) {
        listFolder(c, medium, code, number);
    } else if (op == QLatin1String("11")) {
        listFolderEntry(c, medium, code, number);
    } else if (op == QLatin1String("20")) {
        listFiles(c, medium, code, number);
    } else if (op == QLatin1String("21")) {
        listFileEntry(c, medium, code, number);
    } else if (op == QLatin1String("22")) {
        fileInformation(c, medium, code, number);
    } else if (op == QLatin1String("01")) {
        setCurrentFolder(c, line.mid(8));
    } else if (op == QLatin1String("02")) {
        goUp(c, code, line.mid(10));
    } else if (op == QLatin1String("27")) {
        selectFile(c, readNumberField(line, 7));
    } else if (op == QLatin1String("04") && line.mid(7, 2) == QLatin1String("00")) {
        m_copySource[c->id()] = line.mid(9); // the destination follows
    } else {
        return edit(c, op, line);
    }
    writeBack(current);
    return true;
}

void MediaFiles::sendText(SimConnection* c, const QString& line)
{
    const QByteArray bytes = line.toUtf8() + "\r\n";
    int cut = -1;
    for (int i = 0; splitInsideCharacters && i < bytes.size() && cut < 0; ++i) {
        if (quint8(bytes.at(i)) >= 0xC0)
            cut = i + 1;
    }
    if (cut < 0) {
        c->send(bytes);
        return;
    }
    c->send(bytes.left(cut));
    c->send(bytes.mid(cut));
}

void MediaFiles::listFolder(SimConnection* c, const QString& medium, const QString& code, int number)
{
    const Index ix = index(medium);
    const bool known = !medium.isEmpty() && number >= 0 && number < ix.folders.size();
    const int count = known ? ix.childCount.at(number) : 0;
    const int first = count ? ix.firstChild.at(number) : 0;
    c->sendLine(QStringLiteral("0FF6B90") + code + numberField(qMax(0, number)) + numberField(first)
                + numberField(count ? first + count - 1 : 0) + numberField(count));
}

void MediaFiles::listFolderEntry(SimConnection* c, const QString& medium, const QString& code, int number)
{
    const Index ix = index(medium);
    const bool known = !medium.isEmpty() && number >= 0 && number < ix.folders.size();
    sendText(c, QStringLiteral("0FF6B91") + code + numberField(qMax(0, number)) + QLatin1Char('\\')
                    + (known ? ix.paths.at(number) : QString()));
}

void MediaFiles::listFiles(SimConnection* c, const QString& medium, const QString& code, int number)
{
    const Index ix = index(medium);
    const bool known = !medium.isEmpty() && number >= 0 && number < ix.folders.size();
    const int count = known ? int(ix.folders.at(number)->files.size()) : 0;
    const int first = count ? ix.firstFile.at(number) : 0;
    c->sendLine(QStringLiteral("0FF6BA0") + code + numberField(qMax(0, number)) + numberField(first)
                + numberField(count ? first + count - 1 : 0) + numberField(count));
}

void MediaFiles::listFileEntry(SimConnection* c, const QString& medium, const QString& code, int number)
{
    const Index ix = index(medium);
    QString path;
    if (!medium.isEmpty() && number >= 1 && number <= ix.files.size()) {
        const Index::FileRef ref = ix.files.at(number - 1);
        path = ix.paths.at(ref.folder);
        path = (path.isEmpty() ? QString() : path + QLatin1Char('\\')) + ix.folders.at(ref.folder)->files.at(ref.index).name;
    }
    sendText(c, QStringLiteral("0FF6BA1") + code + numberField(qMax(0, number)) + QLatin1Char('\\') + path);
}

void MediaFiles::fileInformation(SimConnection* c, const QString& medium, const QString& code, int number)
{
    const Index ix = index(medium);
    if (medium.isEmpty() || number < 1 || number > ix.files.size())
        return;
    const Index::FileRef ref = ix.files.at(number - 1);
    const SimFile& f = ix.folders.at(ref.folder)->files.at(ref.index);
    const QStringList lines = QStringList {
        QStringLiteral("Name: ") + f.name,
        QStringLiteral("Date: ") + f.date.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
        QStringLiteral("Length: ") + clock(f.length),
        QStringLiteral("Size: %1 KB").arg((f.size + 1023) / 1024),
    } + moreInformation;
    sendText(c, QStringLiteral("0FF6BA2") + code + numberField(number) + QStringLiteral("00")
                    + lines.join(QLatin1Char('\t')));
}

// "07F6B01\" + path: the folder becomes the current one of the current medium.
void MediaFiles::setCurrentFolder(SimConnection* c, const QString& path)
{
    const QString medium = m_state->currentMediumName();
    SimVolume& vol = volume(medium);
    SimFolder* f = findFolder(vol.root, path.startsWith(QLatin1Char('\\')) ? path.mid(1) : QString(path));
    if (f) {
        vol.currentFolderId = f->id;
        vol.currentFileId = f->files.empty() ? 0 : f->files.front().id;
    }
    c->sendLine(QStringLiteral("0FF6B81") + (f ? QStringLiteral("11") : QStringLiteral("12")));
}

// "07F6B02" + media code + "\" + parent path: the parent's number.
void MediaFiles::goUp(SimConnection* c, const QString& code, const QString& path)
{
    const QString medium = mediumOfCode(code);
    const Index ix = index(medium);
    const int number = medium.isEmpty() ? 0 : qMax(0, ix.paths.indexOf(path));
    c->sendLine(QStringLiteral("0FF6B82") + code + numberField(number));
}

// "07F6B27" + file: the file and its folder become the current ones.
void MediaFiles::selectFile(SimConnection* c, int number)
{
    const QString medium = m_state->currentMediumName();
    const Index ix = index(medium);
    const bool known = number >= 1 && number <= ix.files.size();
    if (known) {
        const Index::FileRef ref = ix.files.at(number - 1);
        volume(medium).currentFolderId = ix.folders.at(ref.folder)->id;
        volume(medium).currentFileId = ix.folders.at(ref.folder)->files.at(ref.index).id;
    }
    c->sendLine(QStringLiteral("0FF6BA7") + (known ? QStringLiteral("11") : QStringLiteral("12")));
    if (known)
        m_recorder->sendLineToLoggedIn(QStringLiteral("0FF6AF602"));
}

bool MediaFiles::edit(SimConnection* c, const QString& op, const QString& line)
{
    static const QStringList edits = { "03", "04", "13", "14", "15", "23", "24", "25", "26" };
    if (!edits.contains(op))
        return false;
    const bool allowed = !refuse.contains(op) && m_state->editRightHolder() == c->id()
        && m_state->status() == RecorderState::Stopped && !volume(m_state->currentMediumName()).readOnly;
    const bool done = allowed && applyEdit(c, op, line);
    for (const QString& name : m_volumes.keys())
        writeBack(name);
    answerEdit(c, op, done);
    if (done && op == QLatin1String("26"))
        m_recorder->sendLineToLoggedIn(QStringLiteral("0FF45800040")); // read the playlists again
    if (done) {
        for (SimConnection* other : m_recorder->connections()) {
            if (other != c && other->phase() == SimConnection::LoggedIn)
                other->sendLine(QStringLiteral("0FF6AF602"));
        }
    }
    return true;
}

void MediaFiles::answerEdit(SimConnection* c, const QString& op, bool done)
{
    const QString head = QStringLiteral("0FF6B") + answerCode(op);
    QByteArray bytes;
    for (int i = 0; i < workingAnswers; ++i)
        bytes += (head + QStringLiteral("00\r\n")).toLatin1();
    bytes += (head + (done ? QStringLiteral("11\r\n") : QStringLiteral("12\r\n"))).toLatin1();
    if (coalesceResults) {
        c->send(bytes);
        return;
    }
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.isEmpty())
            c->send(line + '\n');
    }
}

bool MediaFiles::applyEdit(SimConnection* c, const QString& op, const QString& line)
{
    const QString current = m_state->currentMediumName();
    const QString medium = mediumOfCode(line.mid(7, 2));
    const int number = readNumberField(line, 9);
    const QString name = line.mid(13);
    if (op == QLatin1String("03"))
        return sortFolder(current, number, line.mid(7, 2) == QLatin1String("01"));
    if (op == QLatin1String("04"))
        return line.mid(7, 2) == QLatin1String("15") && copyFile(m_copySource.take(c->id()), line.mid(9));
    if (op == QLatin1String("25")) {
        if (!m_canUndo)
            return false;
        // The tree goes back; the current folder and file stay what they are.
        SimVolume& vol = volume(m_undoMedium);
        const int folder = vol.currentFolderId, file = vol.currentFileId;
        vol = m_undo;
        vol.currentFolderId = folder;
        vol.currentFileId = file;
        m_canUndo = false;
        emit undone(m_undoMedium);
        return true;
    }
    if (op == QLatin1String("26"))
        return deletePath(line.mid(7));
    if (medium.isEmpty() || volume(medium).readOnly)
        return false;
    if (op == QLatin1String("13"))
        return renameFolder(medium, number, name);
    if (op == QLatin1String("14"))
        return deleteFolder(medium, number);
    if (op == QLatin1String("15"))
        return createFolder(medium, number, name);
    if (op == QLatin1String("23"))
        return renameFile(medium, number, name);
    return deleteFile(medium, number);
}

} // namespace sim
