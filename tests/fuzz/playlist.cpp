// The playlists of the current medium: the files, the open one and its
// entries, read after the person asks for them.
#include "modelsession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    fuzz::ModelSession session;
    Playlist& pl = session.graph.pl;
    QObject::connect(&pl, &Playlist::readyToRedraw, &pl, &Playlist::initPpl); // as the screen does
    const auto check = [&] {
        FUZZ_CHECK(pl.entryNames.size() == Playlist::maxEntries);
        FUZZ_CHECK(pl.currentPlaylist() >= -1);
    };
    session.feed(data, size, [&] { pl.initAll(); }, check);

    // What the screen reads and does with an open playlist.
    for (int i = -1; i <= qMax(pl.allPplNumber(), pl.pplList.size()); ++i)
        pl.getPplName(i) + pl.getPplDateTime(i);
    for (int i = -1; i <= Playlist::maxEntries; ++i)
        pl.getEntryName(i);
    pl.getEntryInfo(0);
    pl.assignEntry(0, 1);
    pl.clearEntry(Playlist::maxEntries - 1);
    for (const QByteArray& write : qAsConst(session.writes))
        FUZZ_CHECK(fuzz::wellFormedWrite(write));
    return 0;
}
