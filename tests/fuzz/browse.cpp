// A folder listing of the media browser: the login's own and one the person
// asks for; the recorder's answers fill the shown folder's entries.
#include "browseobject.h"
#include "modelsession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    fuzz::ModelSession session;
    Browse& browse = session.graph.browse;
    const auto check = [&] {
        // Folders first, then files, each a real object.
        bool files = false;
        for (QObject* o : browse.entries()) {
            const auto* entry = qobject_cast<BrowseObject*>(o);
            FUZZ_CHECK(entry && (entry->type() == 0 || entry->type() == 1));
            FUZZ_CHECK(!(files && entry->type() == 0));
            files = entry->type() == 1;
        }
    };
    session.feed(data, size, [&] { browse.restartBrowse(); }, check);

    // What the screen does with a listed folder.
    for (int i = -1; i <= browse.entries().size(); ++i)
        browse.getInfo(i);
    if (!browse.entries().isEmpty()) {
        const auto* first = static_cast<BrowseObject*>(browse.entries().first());
        first->type() == 0 ? browse.openFolder(first->number()) : browse.selectFile(first->number());
    }
    browse.upFolder();
    for (const QByteArray& write : qAsConst(session.writes))
        FUZZ_CHECK(fuzz::wellFormedWrite(write));
    return 0;
}
