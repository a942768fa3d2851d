#include "browse.h"

#include "globals.h"
#include "permission.h"
#include "telnet.h"

#include <QVariant>

Browse::Browse(QObject* parent)
    : QObject(parent)
{
    publishContextProperty(QStringLiteral("browseModel"), QVariant::fromValue(browseModel));
}

Browse::~Browse()
{
    qDeleteAll(browseModel);
}

void Browse::startBrowse()
{
    if (status == 0 || mediaCode.startsWith(QLatin1Char('F')) || !permission || !permission->okPermission())
        return;
    permission->telnet->sendData("07F6B00\r\n");
    if (permission->okPermission())
        permission->telnet->sendData("07F6B05\r\n");
}

void Browse::restartBrowse()
{
    nowFolder.setNumber(-1);
    startBrowse();
}

void Browse::setCurrentMediaNumber(QString media)
{
    mediaName = media;
    // Medium in the browse commands' fields; "FF" when it cannot be browsed.
    if (media == QLatin1String("SD1"))
        mediaCode = QStringLiteral("00");
    else if (media == QLatin1String("SD2"))
        mediaCode = QStringLiteral("01");
    else if (media == QLatin1String("USB"))
        mediaCode = QStringLiteral("02");
    else
        mediaCode = QStringLiteral("FF");
}

void Browse::setStatus(int s)
{
    status = s;
}

void Browse::clearFolderState()
{
    if (!dialogString.isEmpty()) {
        dialogString.clear();
        emit dialogStringChanged();
    }
    for (BrowseObject* folder : { &nowFolder, &currentFolder }) {
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

void Browse::parseBrowseResponse(QString)
{
}
