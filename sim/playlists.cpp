#include "playlists.h"

#include "simrecorder.h"

namespace sim {

namespace {
const QLatin1String loadCommand("07F310000");
const QLatin1String folderPart("/_playlists/");
} // namespace

PlaylistFolders::PlaylistFolders(SimRecorder* recorder, QObject* parent)
    : QObject(parent)
{
    recorder->addCommandHandler([this](SimConnection* c, const QString& line) {
        if (line.startsWith(loadCommand)) {
            if (load(line.mid(loadCommand.size()))) {
                c->sendLine(QStringLiteral("0FF318000"));
                c->sendLine(QStringLiteral("0FF3185") + current);
            } else {
                c->sendLine(QStringLiteral("0FF318001"));
            }
            return true;
        }
        if (line == QLatin1String("07F3105")) {
            c->sendLine(QStringLiteral("0FF3185") + current);
            return true;
        }
        return false;
    });
}

void PlaylistFolders::setPlaylists(const QString& medium, const QStringList& fileNames)
{
    QList<FolderEntry> entries;
    for (const QString& name : fileNames)
        entries.append({ name, false });
    folders.insert(medium, entries);
}

QString PlaylistFolders::mediumOfDrive(const QString& drive)
{
    if (drive == QLatin1String("A:"))
        return QStringLiteral("SD1");
    if (drive == QLatin1String("B:"))
        return QStringLiteral("SD2");
    if (drive == QLatin1String("C:"))
        return QStringLiteral("USB");
    return QString();
}

// path: drive, "/_playlists/", file name.
bool PlaylistFolders::load(const QString& path)
{
    const QString medium = mediumOfDrive(path.left(2));
    if (medium.isEmpty() || path.mid(2, folderPart.size()) != folderPart)
        return false;
    const QString name = path.mid(2 + folderPart.size());
    const auto entries = folders.value(medium);
    for (const FolderEntry& e : entries) {
        if (!e.directory && e.name == name) {
            current = name;
            currentMedium = medium;
            emit playlistLoaded(medium, name);
            return true;
        }
    }
    return false;
}

} // namespace sim
