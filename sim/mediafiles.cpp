#include "mediafiles.h"

#include "recorderstate.h"
#include "simrecorder.h"

#include <algorithm>
#include <functional>

namespace sim {

namespace {

const QString playlistFolder = QStringLiteral("_playlists");
const QDateTime firstRecording(QDate(2026, 5, 1), QTime(10, 0), Qt::UTC);

QString joined(const QString& folderPath, const QString& name)
{
    return folderPath.isEmpty() ? name : folderPath + QLatin1Char('\\') + name;
}

// Bytes per second: 44.1 kHz 16-bit stereo, or 320 kbit/s.
qint64 bytesPerSecond(const QString& name)
{
    return name.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive) ? 40000 : 176400;
}

} // namespace

MediaFiles::MediaFiles(SimRecorder* recorder, RecorderState* state)
    : QObject(recorder)
    , m_recorder(recorder)
    , m_state(state)
{
    setObjectName(QStringLiteral("mediaFiles"));
    populate();
    for (const QString& medium : m_volumes.keys())
        sync(medium);
}

MediaFiles* installMediaFiles(SimRecorder& recorder, RecorderState* state)
{
    if (MediaFiles* existing = mediaFiles(recorder))
        return existing;
    auto* files = new MediaFiles(&recorder, state);
    recorder.addCommandHandler(
        [files](SimConnection* connection, const QString& line) { return files->handleCommand(connection, line); });
    return files;
}

MediaFiles* mediaFiles(const SimRecorder& recorder)
{
    return recorder.findChild<MediaFiles*>(QStringLiteral("mediaFiles"), Qt::FindDirectChildrenOnly);
}

QString MediaFiles::mediumOfCode(const QString& code)
{
    if (code == QLatin1String("00"))
        return QStringLiteral("SD1");
    if (code == QLatin1String("01"))
        return QStringLiteral("SD2");
    if (code == QLatin1String("02"))
        return QStringLiteral("USB");
    return QString();
}

SimFolder MediaFiles::folder(const QString& name, int minutesAfter)
{
    SimFolder f;
    f.id = newId();
    f.name = name;
    f.date = firstRecording.addSecs(minutesAfter * 60);
    return f;
}

void MediaFiles::addFile(SimFolder& folder, const QString& name, int seconds, int minutesAfter)
{
    SimFile f;
    f.id = newId();
    f.name = name;
    f.length = seconds * 100;
    f.size = bytesPerSecond(name) * seconds;
    f.date = firstRecording.addSecs(minutesAfter * 60);
    folder.files.push_back(f);
}

// What the recorders hold when they start. Every folder lists its entries in
// the order they were recorded, so a sort by name changes the order.
void MediaFiles::populate()
{
    SimVolume& sd1 = m_volumes[QStringLiteral("SD1")];
    SimFolder live = folder(QStringLiteral("LIVE"), 0);
    addFile(live, QStringLiteral("Opening.wav"), 180, 0);
    addFile(live, QStringLiteral("Interview.wav"), 270, 5);
    addFile(live, QStringLiteral("Closing.wav"), 135, 10);
    SimFolder year = folder(QStringLiteral("2017"), 20);
    addFile(year, QStringLiteral("Encore.mp3"), 240, 21);
    live.folders.push_back(year);
    SimFolder cafe = folder(QStringLiteral("Café Müller"), 30);
    addFile(cafe, QStringLiteral("Grüße aus Köln.mp3"), 95, 31);
    addFile(cafe, QStringLiteral("日本語のメモ.wav"), 61, 32);
    addFile(cafe, QStringLiteral("Ωmega.wav"), 12, 33);
    SimFolder archive = folder(QStringLiteral("Archive"), 40);
    for (int i = 1; i <= 10; ++i)
        archive.folders.push_back(folder(QStringLiteral("Box %1").arg(i, 2, 10, QLatin1Char('0')), 40 + i));
    for (int i = 1; i <= 290; ++i)
        addFile(archive, QStringLiteral("TAKE%1.WAV").arg(i, 4, 10, QLatin1Char('0')), 30 + i % 60, 60 + i);
    sd1.root.folders = { live, cafe, archive, folder(QStringLiteral("Empty"), 50) };
    addFile(sd1.root, QStringLiteral("Memo.wav"), 20, 400);
    sd1.currentFileId = sd1.root.folders.front().files.front().id;

    SimVolume& sd2 = m_volumes[QStringLiteral("SD2")];
    SimFolder rehearsal = folder(QStringLiteral("REHEARSAL"), 0);
    addFile(rehearsal, QStringLiteral("Rehearsal A.wav"), 600, 1);
    addFile(rehearsal, QStringLiteral("Rehearsal B.wav"), 450, 12);
    sd2.root.folders = { rehearsal };

    SimVolume& usb = m_volumes[QStringLiteral("USB")];
    SimFolder backup = folder(QStringLiteral("BACKUP"), 0);
    addFile(backup, QStringLiteral("Backup.wav"), 3600, 1);
    usb.root.folders = { backup };

    SimVolume& cd = m_volumes[QStringLiteral("CD")];
    cd.readOnly = true;
    for (int i = 1; i <= 5; ++i)
        addFile(cd.root, QStringLiteral("CD Track %1.wav").arg(i), (3 + i) * 60 + 10 * i, i);
}

SimVolume& MediaFiles::volume(const QString& medium)
{
    return m_volumes[medium];
}

SimFolder* MediaFiles::findFolder(SimFolder& root, const QString& path)
{
    SimFolder* f = &root;
    if (path.isEmpty())
        return f;
    for (const QString& name : path.split(QLatin1Char('\\'))) {
        auto it = std::find_if(f->folders.begin(), f->folders.end(), [&](const SimFolder& s) { return s.name == name; });
        if (it == f->folders.end())
            return nullptr;
        f = &*it;
    }
    return f;
}

bool MediaFiles::hasFolder(const QString& medium, const QString& folderPath)
{
    return findFolder(volume(medium).root, folderPath);
}

QStringList MediaFiles::tree(const QString& medium)
{
    QStringList all;
    const std::function<void(const SimFolder&, const QString&)> walk = [&](const SimFolder& f, const QString& path) {
        for (const SimFile& file : f.files)
            all << path + file.name;
        for (const SimFolder& sub : f.folders) {
            all << path + sub.name + QLatin1Char('\\');
            walk(sub, path + sub.name + QLatin1Char('\\'));
        }
    };
    walk(volume(medium).root, QString());
    return all;
}

QStringList MediaFiles::entryNames(const QString& medium, const QString& folderPath)
{
    sync(medium);
    QStringList names;
    SimFolder* f = findFolder(volume(medium).root, folderPath);
    if (!f)
        return names;
    for (const SimFolder& s : f->folders) {
        if (showPlaylistFolder || !folderPath.isEmpty() || s.name != playlistFolder)
            names << s.name;
    }
    for (const SimFile& file : f->files)
        names << file.name;
    return names;
}

MediaFiles::Index MediaFiles::index(const QString& medium)
{
    Index ix;
    ix.folders << &volume(medium).root;
    ix.paths << QString();
    ix.parent << -1;
    for (int i = 0; i < ix.folders.size(); ++i) {
        SimFolder* f = ix.folders.at(i);
        ix.firstChild << ix.folders.size();
        int count = 0;
        for (SimFolder& sub : f->folders) {
            if (i == 0 && !showPlaylistFolder && sub.name == playlistFolder)
                continue;
            ix.folders << &sub;
            ix.paths << joined(ix.paths.at(i), sub.name);
            ix.parent << i;
            ++count;
        }
        ix.childCount << count;
    }
    for (int i = 0; i < ix.folders.size(); ++i) {
        ix.firstFile << ix.files.size() + 1;
        for (int j = 0; j < int(ix.folders.at(i)->files.size()); ++j)
            ix.files.append({ i, j });
    }
    return ix;
}

QString MediaFiles::pathOfFolderId(const QString& medium, int id)
{
    const bool shown = showPlaylistFolder;
    showPlaylistFolder = true;
    const Index ix = index(medium);
    showPlaylistFolder = shown;
    for (int i = 0; i < ix.folders.size(); ++i) {
        if (ix.folders.at(i)->id == id)
            return ix.paths.at(i);
    }
    return QString();
}

QString MediaFiles::currentFolderPath(const QString& medium)
{
    sync(medium);
    return pathOfFolderId(medium, volume(medium).currentFolderId);
}

QString MediaFiles::currentFileName(const QString& medium)
{
    const int id = volume(medium).currentFileId;
    const Index ix = index(medium);
    for (const Index::FileRef& ref : ix.files) {
        const SimFile& f = ix.folders.at(ref.folder)->files.at(ref.index);
        if (f.id == id)
            return f.name;
    }
    return QString();
}

void MediaFiles::sync(const QString& medium)
{
    takeOver(medium);
    writeBack(medium);
}

void MediaFiles::takeOver(const QString& medium)
{
    SimMedium& record = m_state->medium(medium);
    SimVolume& vol = volume(medium);

    // The play folder the status model stands on ("ROOT" is the root).
    const QString playFolder = record.folders.value(record.folderIndex);
    if (SimFolder* f = findFolder(vol.root, playFolder == QLatin1String("ROOT") ? QString() : playFolder))
        vol.currentFolderId = f->id;
    if (vol.readOnly)
        return;

    // "_playlists" holds what the status model's lists name, in their order.
    SimFolder* lists = findFolder(vol.root, playlistFolder);
    if (!lists) {
        vol.root.folders.push_back(folder(playlistFolder, 0));
        lists = &vol.root.folders.back();
    }
    std::vector<SimFolder> folders;
    for (const QString& name : qAsConst(record.playlistSubfolders)) {
        auto it = std::find_if(lists->folders.begin(), lists->folders.end(),
                               [&](const SimFolder& s) { return s.name == name; });
        folders.push_back(it != lists->folders.end() ? *it : folder(name, 0));
    }
    std::vector<SimFile> files;
    for (const QString& name : qAsConst(record.playlists)) {
        auto it = std::find_if(lists->files.begin(), lists->files.end(),
                               [&](const SimFile& s) { return s.name == name; });
        if (it != lists->files.end()) {
            files.push_back(*it);
            continue;
        }
        SimFile f;
        f.id = newId();
        f.name = name;
        f.size = 2048;
        f.date = firstRecording;
        files.push_back(f);
    }
    lists->folders = folders;
    lists->files = files;
}

void MediaFiles::writeBack(const QString& medium)
{
    SimMedium& record = m_state->medium(medium);
    SimVolume& vol = volume(medium);

    // Play folders: every folder outside "_playlists", parents before children.
    QStringList paths { QStringLiteral("ROOT") };
    int current = 0;
    std::function<void(const SimFolder&, const QString&)> walk = [&](const SimFolder& f, const QString& path) {
        for (const SimFolder& sub : f.folders) {
            if (path.isEmpty() && sub.name == playlistFolder)
                continue;
            const QString subPath = joined(path, sub.name);
            if (sub.id == vol.currentFolderId)
                current = paths.size();
            paths << subPath;
            walk(sub, subPath);
        }
    };
    walk(vol.root, QString());
    record.folders = paths;
    record.folderIndex = current;

    if (const SimFolder* lists = findFolder(vol.root, playlistFolder)) {
        record.playlistSubfolders.clear();
        for (const SimFolder& s : lists->folders)
            record.playlistSubfolders << s.name;
        record.playlists.clear();
        for (const SimFile& f : lists->files)
            record.playlists << f.name;
    }
}

void MediaFiles::snapshot(const QString& medium)
{
    m_undoMedium = medium;
    m_undo = volume(medium);
    m_canUndo = true;
    emit kept(medium);
}

// ---------------------------------------------------------------------------
// Edits: each checks what it is asked, keeps the tree for undo and changes it.

namespace {

bool validName(const QString& name)
{
    static const QString forbidden = QStringLiteral("/:*?\"<>|\\");
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.toUtf8().size() > 117)
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20 || forbidden.contains(c); });
}

// True when a folder or file other than exceptId in f already has the name.
bool nameTaken(const SimFolder& f, const QString& name, int exceptId = -1)
{
    auto same = [&](const auto& e) { return e.id != exceptId && e.name.compare(name, Qt::CaseInsensitive) == 0; };
    return std::any_of(f.folders.begin(), f.folders.end(), same) || std::any_of(f.files.begin(), f.files.end(), same);
}

template <typename T>
void eraseId(std::vector<T>& list, int id)
{
    list.erase(std::remove_if(list.begin(), list.end(), [id](const T& e) { return e.id == id; }), list.end());
}

bool holdsId(const SimFolder& f, int id)
{
    return f.id == id || std::any_of(f.files.begin(), f.files.end(), [id](const SimFile& e) { return e.id == id; })
        || std::any_of(f.folders.begin(), f.folders.end(), [id](const SimFolder& s) { return holdsId(s, id); });
}

} // namespace

int MediaFiles::folderNumber(const QString& medium, int id)
{
    const Index ix = index(medium);
    for (int i = 0; i < ix.folders.size(); ++i) {
        if (ix.folders.at(i)->id == id)
            return i;
    }
    return 0;
}

int MediaFiles::fileNumber(const QString& medium, int id)
{
    const Index ix = index(medium);
    for (int i = 0; i < ix.files.size(); ++i) {
        if (ix.folders.at(ix.files.at(i).folder)->files.at(ix.files.at(i).index).id == id)
            return i + 1;
    }
    return 0;
}

bool MediaFiles::sortFolder(const QString& medium, int number, bool byName)
{
    const Index ix = index(medium);
    if (number < 0 || number >= ix.folders.size())
        return false;
    snapshot(medium);
    SimFolder* f = ix.folders.at(number);
    auto order = [byName](const auto& a, const auto& b) {
        const int names = a.name.compare(b.name, Qt::CaseInsensitive);
        return byName || a.date == b.date ? names < 0 : a.date < b.date;
    };
    std::stable_sort(f->folders.begin(), f->folders.end(), order);
    std::stable_sort(f->files.begin(), f->files.end(), order);
    return true;
}

bool MediaFiles::createFolder(const QString& medium, int parent, const QString& name)
{
    const Index ix = index(medium);
    if (parent < 0 || parent >= ix.folders.size() || !validName(name) || nameTaken(*ix.folders.at(parent), name))
        return false;
    snapshot(medium);
    SimFolder f = folder(name, 0);
    f.date = QDateTime::currentDateTimeUtc();
    ix.folders.at(parent)->folders.push_back(f);
    return true;
}

// The root and the root's "_playlists" keep their names and stay.
bool MediaFiles::fixedFolder(const QString& medium, int number)
{
    const Index ix = index(medium);
    return number <= 0 || number >= ix.folders.size()
        || (ix.parent.at(number) == 0 && ix.folders.at(number)->name == playlistFolder);
}

bool MediaFiles::renameFolder(const QString& medium, int number, const QString& name)
{
    if (fixedFolder(medium, number))
        return false;
    const Index ix = index(medium);
    SimFolder* f = ix.folders.at(number);
    if (!validName(name) || nameTaken(*ix.folders.at(ix.parent.at(number)), name, f->id))
        return false;
    snapshot(medium);
    f->name = name;
    return true;
}

bool MediaFiles::deleteFolder(const QString& medium, int number)
{
    if (fixedFolder(medium, number))
        return false;
    const Index ix = index(medium);
    SimFolder* parent = ix.folders.at(ix.parent.at(number));
    SimVolume& vol = volume(medium);
    snapshot(medium);
    if (holdsId(*ix.folders.at(number), vol.currentFolderId))
        vol.currentFolderId = parent->id;
    if (holdsId(*ix.folders.at(number), vol.currentFileId))
        vol.currentFileId = 0;
    eraseId(parent->folders, ix.folders.at(number)->id);
    return true;
}

bool MediaFiles::renameFile(const QString& medium, int number, const QString& name)
{
    const Index ix = index(medium);
    if (number < 1 || number > ix.files.size() || !validName(name))
        return false;
    SimFolder* f = ix.folders.at(ix.files.at(number - 1).folder);
    SimFile& file = f->files.at(ix.files.at(number - 1).index);
    if (nameTaken(*f, name, file.id))
        return false;
    snapshot(medium);
    file.name = name;
    return true;
}

bool MediaFiles::deleteFile(const QString& medium, int number)
{
    const Index ix = index(medium);
    if (number < 1 || number > ix.files.size())
        return false;
    SimFolder* f = ix.folders.at(ix.files.at(number - 1).folder);
    const int id = f->files.at(ix.files.at(number - 1).index).id;
    snapshot(medium);
    if (volume(medium).currentFileId == id)
        volume(medium).currentFileId = 0;
    eraseId(f->files, id);
    return true;
}

// A drive path ("A:\LIVE\Opening.wav") -> medium, folder path and name.
bool MediaFiles::splitDrivePath(const QString& drivePath, QString* medium, QString* folderPath, QString* name)
{
    *medium = mediumOfDrive(drivePath.left(2));
    if (medium->isEmpty() || drivePath.mid(2, 1) != QLatin1String("\\"))
        return false;
    const QString path = drivePath.mid(3);
    const int slash = path.lastIndexOf(QLatin1Char('\\'));
    *folderPath = slash >= 0 ? path.left(slash) : QString();
    *name = path.mid(slash + 1);
    return findFolder(volume(*medium).root, *folderPath) && !volume(*medium).readOnly;
}

SimFile* MediaFiles::findFile(const QString& medium, const QString& folderPath, const QString& name)
{
    SimFolder* f = findFolder(volume(medium).root, folderPath);
    if (!f)
        return nullptr;
    auto it = std::find_if(f->files.begin(), f->files.end(), [&](const SimFile& e) { return e.name == name; });
    return it == f->files.end() ? nullptr : &*it;
}

bool MediaFiles::deletePath(const QString& drivePath)
{
    QString medium, folderPath, name;
    if (!splitDrivePath(drivePath, &medium, &folderPath, &name))
        return false;
    SimFile* file = findFile(medium, folderPath, name);
    if (!file)
        return false;
    const int id = file->id;
    snapshot(medium);
    eraseId(findFolder(volume(medium).root, folderPath)->files, id);
    return true;
}

bool MediaFiles::copyFile(const QString& from, const QString& to)
{
    QString medium, folderPath, name, toMedium, toFolder, toName;
    if (from == to || !splitDrivePath(from, &medium, &folderPath, &name)
        || !splitDrivePath(to, &toMedium, &toFolder, &toName))
        return false;
    const SimFile* source = findFile(medium, folderPath, name);
    SimFolder* target = findFolder(volume(toMedium).root, toFolder);
    if (!source || !validName(toName) || nameTaken(*target, toName))
        return false;
    SimFile copy = *source;
    snapshot(toMedium);
    copy.id = newId();
    copy.name = toName;
    findFolder(volume(toMedium).root, toFolder)->files.push_back(copy);
    return true;
}

// ---------------------------------------------------------------------------
// Recordings for the playlists

const SimFile* MediaFiles::fileOfNumber(const QString& medium, int number, QString* folderPath)
{
    const Index ix = index(medium);
    if (number < 1 || number > ix.files.size())
        return nullptr;
    const Index::FileRef ref = ix.files.at(number - 1);
    const QString path = ix.paths.at(ref.folder);
    if (path == playlistFolder || path.startsWith(playlistFolder + QLatin1Char('\\')))
        return nullptr;
    if (folderPath)
        *folderPath = path;
    return &ix.folders.at(ref.folder)->files.at(ref.index);
}

const SimFile* MediaFiles::fileOfId(const QString& medium, int id, QString* folderPath)
{
    const bool shown = showPlaylistFolder;
    showPlaylistFolder = true;
    const Index ix = index(medium);
    showPlaylistFolder = shown;
    for (const Index::FileRef& ref : ix.files) {
        const SimFile& f = ix.folders.at(ref.folder)->files.at(ref.index);
        if (f.id != id)
            continue;
        if (folderPath)
            *folderPath = ix.paths.at(ref.folder);
        return &f;
    }
    return nullptr;
}

const SimFile* MediaFiles::fileAt(const QString& medium, const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('\\'));
    return findFile(medium, slash >= 0 ? path.left(slash) : QString(), path.mid(slash + 1));
}

} // namespace sim
