// Stepping to the previous or next playlist file of the current medium while
// the recorder is stopped in the playlist play area. The file names are read
// from the recorder's FTP listing; until that listing is available a step
// does nothing.
#include "communication.h"

void Communication::stepPlaylist(bool backward)
{
    Q_UNUSED(backward)
}

void Communication::setPlaylist(QString name)
{
    Q_UNUSED(name)
}

void Communication::endPlaylist()
{
}
