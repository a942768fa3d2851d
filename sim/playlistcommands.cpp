#include "playlistcommands.h"

#include "mediafiles.h"
#include "recorderstate.h"
#include "simrecorder.h"

#include <algorithm>

namespace sim {

namespace {

// A playlist file name as the recorder stores it: ".ppl" added when missing.
// Empty names, names with characters a file name cannot hold and names over
// 117 bytes are refused ("").
QString fileName(QString name)
{
    static const QString forbidden = QStringLiteral("/:*?\"<>|\\");
    if (!name.endsWith(QLatin1String(".ppl"), Qt::CaseInsensitive))
        name += QLatin1String(".ppl");
    const bool bad = std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20 || forbidden.contains(c); });
    if (bad || name.size() == 4 || name.toUtf8().size() > 117)
        return QString();
    return name;
}

QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

} // namespace

PlaylistBook::PlaylistBook(SimRecorder* recorder, RecorderState* state, MediaFiles* files)
    : QObject(recorder)
    , m_recorder(recorder)
    , m_state(state)
    , m_files(files)
{
    setObjectName(QStringLiteral("playlistBook"));
    populate();
    // The entries go back with the files' tree.
    connect(files, &MediaFiles::kept, this, [this](const QString& medium) { m_undo = m_playlists.value(medium); });
    connect(files, &MediaFiles::undone, this, [this](const QString& medium) { m_playlists[medium] = m_undo; });
}

PlaylistBook* installPlaylists(SimRecorder& recorder, RecorderState* state, MediaFiles* files)
{
    if (PlaylistBook* existing = playlistBook(recorder))
        return existing;
    auto* book = new PlaylistBook(&recorder, state, files);
    recorder.addCommandHandler(
        [book](SimConnection* connection, const QString& line) { return book->handleCommand(connection, line); });
    return book;
}

PlaylistBook* playlistBook(const SimRecorder& recorder)
{
    return recorder.findChild<PlaylistBook*>(QStringLiteral("playlistBook"), Qt::FindDirectChildrenOnly);
}

// What the recorders hold when they start: names beyond ASCII, a full
// playlist (99 recordings), an empty one, and one loaded on each medium.
void PlaylistBook::populate()
{
    QStringList archive;
    for (int i = 1; i <= 99; ++i)
        archive << QStringLiteral("Archive\\TAKE%1.WAV").arg(i, 4, 10, QLatin1Char('0'));
    const QString cafe = QStringLiteral("Café Müller\\");
    fill("SD1", "Bühne Süd.ppl", "2026/04/12 19:30",
         { "LIVE\\Opening.wav", cafe + "Grüße aus Köln.mp3", cafe + "日本語のメモ.wav" });
    fill("SD1", "set1.ppl", "2026/05/01 10:15",
         { "LIVE\\Opening.wav", "LIVE\\Interview.wav", "LIVE\\Closing.wav", "LIVE\\2017\\Encore.mp3", "Memo.wav" });
    fill("SD1", "set1.ppl", "2026/05/01 10:15", archive.mid(0, 10), 6); // entry 5 stays empty
    fill("SD1", "set2.ppl", "2026/05/02 08:00", archive);
    fill("SD1", "set3.ppl", "2026/05/03 21:45", {});
    fill("SD1", "Ωδή 2026.ppl", "2026/06/30 23:59", { cafe + "Ωmega.wav" });
    fill("SD2", "evening.ppl", "2026/03/14 18:00", { "REHEARSAL\\Rehearsal A.wav", "REHEARSAL\\Rehearsal B.wav" });
    fill("SD2", "Probe Ä.ppl", "2026/03/15 09:00", {});
    fill("USB", "archive.ppl", "2026/01/02 12:00", { "BACKUP\\Backup.wav" });
    fill("USB", "backup.ppl", "2026/01/03 12:00", {});
    fill("USB", "Sicherung ß.ppl", "2026/01/04 12:00", { "BACKUP\\Backup.wav" });
    for (const char* medium : { "SD1", "SD2", "USB" }) {
        SimMedium& record = m_state->medium(medium);
        record.playlists = m_playlists.value(medium).keys();
        std::sort(record.playlists.begin(), record.playlists.end());
        m_files->sync(medium);
    }
    m_state->medium("SD1").playlist = QStringLiteral("set1.ppl");
    m_state->medium("SD2").playlist = QStringLiteral("evening.ppl");
    m_state->medium("USB").playlist = QString();
}

void PlaylistBook::fill(const QString& medium, const QString& name, const QString& dateTime, const QStringList& paths,
                        int firstEntry)
{
    SimPlaylist& p = m_playlists[medium][name];
    p.dateTime = dateTime;
    for (int i = 0; i < paths.size() && firstEntry + i < p.entries.size(); ++i) {
        if (const SimFile* f = m_files->fileAt(medium, paths.at(i)))
            p.entries[firstEntry + i] = { f->id, f->name };
    }
}

SimPlaylist& PlaylistBook::playlist(const QString& medium, const QString& name)
{
    SimPlaylist& p = m_playlists[medium][name];
    if (p.dateTime.isEmpty())
        p.dateTime = QStringLiteral("2026/05/01 10:00");
    return p;
}

QStringList PlaylistBook::names(const QString& medium)
{
    m_files->sync(medium); // takes over deletes made through the browser
    return m_state->medium(medium).playlists;
}

QString PlaylistBook::entryName(const QString& medium, const SimPlaylistEntry& entry)
{
    if (entry.fileId == 0)
        return QString();
    const SimFile* f = m_files->fileOfId(medium, entry.fileId);
    return f ? f->name : entry.name;
}

QStringList PlaylistBook::entryNames(const QString& medium, const QString& name)
{
    QStringList out;
    for (const SimPlaylistEntry& e : playlist(medium, name).entries)
        out << entryName(medium, e);
    return out;
}

// The loaded playlist of the current medium; null when none is loaded.
SimPlaylist* PlaylistBook::loaded()
{
    const QString medium = m_state->currentMediumName();
    const QString name = m_state->current().playlist;
    return names(medium).contains(name) ? &playlist(medium, name) : nullptr;
}

int PlaylistBook::loadedNumber()
{
    return names(m_state->currentMediumName()).indexOf(m_state->current().playlist) + 1;
}

void PlaylistBook::announce(int value)
{
    m_recorder->sendLineToLoggedIn(QStringLiteral("0FF4580") + numberField(value));
}

void PlaylistBook::tellOthers(SimConnection* c, int value)
{
    for (SimConnection* other : m_recorder->connections()) {
        if (other != c && other->phase() == SimConnection::LoggedIn)
            other->sendLine(QStringLiteral("0FF4580") + numberField(value));
    }
}

bool PlaylistBook::mayChange(SimConnection* c, const QString& op) const
{
    return !refuse.contains(op) && m_state->editRightHolder() == c->id()
        && !m_state->currentMediumName().isEmpty() && m_state->currentMediumName() != QLatin1String("CD");
}

bool PlaylistBook::handleCommand(SimConnection* c, const QString& line)
{
    const QString medium = m_state->currentMediumName();
    if (line.startsWith(QLatin1String("07F314B")) && line.size() >= 9) {
        const bool assign = line.mid(7, 2) == QLatin1String("01");
        const int entry = readNumberField(line, 9);
        const bool done = mayChange(c, "4B") && editEntry(assign, entry, assign ? readNumberField(line, 13) : 0);
        c->sendLine(QStringLiteral("0FF31CB") + line.mid(7, 2) + numberField(entry)
                    + (done ? QStringLiteral("11") : QStringLiteral("12")));
        if (done)
            tellOthers(c, 5000);
        return true;
    }
    if (!line.startsWith(QLatin1String("07F45")) || line.size() < 7)
        return false;
    const QString op = line.mid(5, 2);
    const int count = names(medium).size();
    if (op == QLatin1String("00")) {
        c->sendLine(QStringLiteral("0FF45800000"));
    } else if (op == QLatin1String("01")) {
        const int n = readNumberField(line, 7);
        if (n >= 1 && n <= count)
            c->sendLine(QStringLiteral("0FF4581") + numberField(n) + names(medium).at(n - 1));
    } else if (op == QLatin1String("03")) {
        c->sendLine(QStringLiteral("0FF4583") + numberField(loadedNumber()));
    } else if (op == QLatin1String("04")) {
        c->sendLine(QStringLiteral("0FF4584") + numberField(count));
    } else if (op == QLatin1String("05")) {
        sendList(c, readNumberField(line, 7), readNumberField(line, 11));
    } else if (op == QLatin1String("10")) {
        int filled = 0;
        if (SimPlaylist* p = loaded())
            filled = std::count_if(p->entries.begin(), p->entries.end(), [](const SimPlaylistEntry& e) { return e.fileId; });
        c->sendLine(QStringLiteral("0FF4590") + numberField(filled));
    } else if (op == QLatin1String("11")) {
        sendEntries(c, readNumberField(line, 7), readNumberField(line, 11));
    } else if (op == QLatin1String("12")) {
        sendOccupancy(c);
    } else if (op == QLatin1String("13")) {
        sendEntryInfo(c, readNumberField(line, 7));
    } else if (op == QLatin1String("40") || op == QLatin1String("41") || op == QLatin1String("43")) {
        bool done = false;
        if (mayChange(c, op)) {
            if (op == QLatin1String("43")) {
                done = rename(readNumberField(line, 7), line.mid(11));
            } else if (op == QLatin1String("40")) {
                SimPlaylist fresh;
                fresh.dateTime = now();
                done = addPlaylist(line.mid(7), fresh);
            } else if (SimPlaylist* p = loaded()) {
                SimPlaylist copy = *p;
                copy.dateTime = now();
                done = addPlaylist(line.mid(7), copy);
                if (done)
                    m_state->setPlaylist(fileName(line.mid(7))); // the copy is the loaded one now
            }
        }
        c->sendLine(QStringLiteral("0FF45C") + op.at(1) + (done ? QStringLiteral("11") : QStringLiteral("12")));
        if (done)
            tellOthers(c, 4000);
    } else {
        return false;
    }
    return true;
}

void PlaylistBook::sendList(SimConnection* c, int first, int last)
{
    const QStringList list = names(m_state->currentMediumName());
    for (int n = qMax(1, first); n <= qMin(last, list.size()); ++n) {
        const QString& name = list.at(n - 1);
        c->sendLine(QStringLiteral("0FF4585") + numberField(n)
                    + playlist(m_state->currentMediumName(), name).dateTime.leftJustified(16, QLatin1Char(' '), true) + name);
    }
}

// Occupancy of the loaded playlist: per eight entries, one bit each, as two
// hex digits (the last block covers entries 96 to 99).
void PlaylistBook::sendOccupancy(SimConnection* c)
{
    const SimPlaylist* p = loaded();
    QString blocks;
    for (int k = 0; k < 13; ++k) {
        int bits = 0;
        for (int i = 0; p && i < 8 && 8 * k + i < 100; ++i)
            bits |= p->entries.at(8 * k + i).fileId ? 1 << i : 0;
        blocks += QString::number(bits, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    c->sendLine(QStringLiteral("0FF4592") + blocks);
}

void PlaylistBook::sendEntries(SimConnection* c, int first, int last)
{
    const SimPlaylist* p = loaded();
    for (int e = qMax(0, first); p && e <= qMin(last, 99); ++e) {
        const QString name = entryName(m_state->currentMediumName(), p->entries.at(e));
        c->sendLine(QStringLiteral("0FF4591") + numberField(e) + (name.isEmpty() ? QStringLiteral("\t") : name));
    }
}

// Format, channels, date and folder of an entry's recording, TAB-separated.
void PlaylistBook::sendEntryInfo(SimConnection* c, int entry)
{
    const SimPlaylist* p = loaded();
    if (!p || entry < 0 || entry > 99)
        return;
    QString folder;
    const SimFile* f = m_files->fileOfId(m_state->currentMediumName(), p->entries.at(entry).fileId, &folder);
    if (!f)
        return;
    const bool mp3 = f->name.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
    const QStringList fields = {
        mp3 ? QStringLiteral("MP3/44.1kHz") : QStringLiteral("WAV/44.1kHz"),
        mp3 ? QStringLiteral("STEREO/320kbps") : QStringLiteral("STEREO/16bit"),
        f->date.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
        folder.isEmpty() ? QString() : QLatin1Char('\\') + folder,
    };
    c->sendLine(QStringLiteral("0FF4593") + numberField(entry) + fields.join(QLatin1Char('\t')));
}

// A new playlist file on the current medium, in its place by name.
bool PlaylistBook::addPlaylist(const QString& requested, const SimPlaylist& content)
{
    const QString medium = m_state->currentMediumName();
    const QString name = fileName(requested);
    QStringList list = names(medium);
    if (name.isEmpty() || list.contains(name, Qt::CaseInsensitive))
        return false;
    m_playlists[medium][name] = content;
    list << name;
    std::sort(list.begin(), list.end());
    m_state->medium(medium).playlists = list;
    m_files->sync(medium);
    return true;
}

bool PlaylistBook::rename(int number, const QString& requested)
{
    const QString medium = m_state->currentMediumName();
    const QString name = fileName(requested);
    QStringList list = names(medium);
    if (number < 1 || number > list.size() || name.isEmpty())
        return false;
    const QString old = list.at(number - 1);
    if (name != old && list.contains(name, Qt::CaseInsensitive) && name.compare(old, Qt::CaseInsensitive) != 0)
        return false;
    m_playlists[medium][name] = playlist(medium, old);
    if (name != old)
        m_playlists[medium].remove(old);
    list[number - 1] = name;
    std::sort(list.begin(), list.end());
    m_state->medium(medium).playlists = list;
    m_files->sync(medium);
    if (m_state->current().playlist == old)
        m_state->setPlaylist(name);
    return true;
}

// Assigns the recording of a browse file number to an entry of the loaded
// playlist, or empties the entry.
bool PlaylistBook::editEntry(bool assign, int entry, int take)
{
    if (!loaded() || entry < 0 || entry > 99)
        return false;
    const QString medium = m_state->currentMediumName();
    const SimFile* f = assign ? m_files->fileOfNumber(medium, take) : nullptr;
    if (assign && !f)
        return false;
    const SimPlaylistEntry filled = f ? SimPlaylistEntry { f->id, f->name } : SimPlaylistEntry {};
    m_files->snapshot(medium);
    // Looked up after the snapshot: the playlists kept share their data until
    // one is written, and a pointer from before would write the kept copy too.
    loaded()->entries[entry] = filled;
    return true;
}

} // namespace sim
