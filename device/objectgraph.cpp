#include "objectgraph.h"

#include <QCoreApplication>
#include <QFont>
#include <QQmlContext>

QVariant multiFontFor(const QLocale& locale)
{
    if (locale.language() == QLocale::Japanese)
        return QStringLiteral("Meiryo UI");
    return QVariant::fromValue(QFont(QStringLiteral("Arial")));
}

ObjectGraph::ObjectGraph()
{
    wire();
}

void ObjectGraph::wire()
{
    permission.telnet = &telnet;
    menu.telnet = &telnet;
    menu.order = &comm.replyOrder;
    tev.telnet = &telnet;
    tev.permission = &permission;
    pl.telnet = &telnet;
    pl.permission = &permission;
    browse.telnet = &telnet;
    browse.permission = &permission;
    mark.telnet = &telnet;

    comm.telnet = &telnet;
    QObject::connect(&telnet, SIGNAL(connectedToServer(int)), &comm, SLOT(finishedLogin(int)));
    QObject::connect(&telnet, SIGNAL(errorConnectedToServer()), &comm, SLOT(failedLogin()));
    QObject::connect(&telnet, SIGNAL(readyRead(QString)), &comm, SLOT(recievedData(QString)));
    QObject::connect(&telnet, SIGNAL(passwordFailed()), &comm, SLOT(passwordFailed()));
    comm.menu = &menu;
    QObject::connect(&menu, SIGNAL(menuCompleted()), &comm, SLOT(startLevelMeter()));
    QObject::connect(&menu, SIGNAL(menuStarted()), &comm, SLOT(stopLevelMeter()));
    // A pick of a front-panel setting in the menu has the home tab read it.
    QObject::connect(&menu, &Menu::panelSettingSent, &comm, &Communication::readPanelSetting);
    comm.mark = &mark;
    comm.replyOrder.track("07F035D", 7, "FF03DD", &mark.listAsked);
    telnet.writeObserver = [this](const QByteArray& lines) { comm.replyOrder.written(lines); };
    comm.replyOrder.send = [this](const char* lines) { telnet.sendData(lines); };
    comm.pl = &pl;
    QObject::connect(&comm, SIGNAL(currentMediaChanged(QString)), &pl, SLOT(setCurrentMedia(QString)));
    comm.browse = &browse;
    comm.replyOrder.track("07F6B02", -1, "FF6B82", &browse.askedUp);
    QObject::connect(&comm, SIGNAL(currentMediaChanged(QString)), &browse, SLOT(setCurrentMediaNumber(QString)));
    QObject::connect(&comm, SIGNAL(statusIconChanged(int)), &browse, SLOT(setStatus(int)));
    comm.tev = &tev;
    QObject::connect(&comm, SIGNAL(currentMediaChanged(QString)), &tev, SLOT(setCurrentMedia(QString)));
    QObject::connect(&comm, SIGNAL(playAreaChanged(QString)), &tev, SLOT(setPlayArea(QString)));
    QObject::connect(&comm, SIGNAL(playModeChanged(QString)), &tev, SLOT(setPlayMode(QString)));
    QObject::connect(&comm, SIGNAL(statusIconChanged(int)), &tev, SLOT(setStatus(int)));
    udpc.setDataSettings(&comm.dataSettings);
    QObject::connect(&menu, SIGNAL(menuCompleted()), &browse, SLOT(startBrowse()));
    QObject::connect(&menu, SIGNAL(menuCompleted()), &tev, SLOT(showData()));
    comm.permission = &permission;
    QObject::connect(&permission, SIGNAL(isReadOnlyChanged(bool)), &tev, SLOT(onReadOnlyChanged(bool)));
    QObject::connect(&browse, SIGNAL(endDeletePpl()), &pl, SLOT(onEndDeletePpl()));
    QObject::connect(&pl, &Playlist::deletePplRequested, &browse, &Browse::deleteFileFullPath);
    // The playlists are files of the medium that the browse tab edits: the
    // edits of both tabs go in one order, and each tab's rows hear of the
    // other's.
    browse.shareEditOrder(mediumEdits);
    pl.shareEditOrder(mediumEdits);
    QObject::connect(&browse, SIGNAL(mediumEditSent()), &pl, SLOT(onPlaylistsMayChange()));
    QObject::connect(&pl, &Playlist::mediumEditSent, &browse, &Browse::onPlaylistEditSent);
    QObject::connect(&pl, &Playlist::mediumEditAnswered, &browse, &Browse::onPlaylistEditAnswered);
}

void ObjectGraph::shutDown()
{
    browse.shutDown();
    pl.shutDown();
    tev.shutDown();
}

void ObjectGraph::publish(QQmlContext* context, const QVariant& multiFont)
{
    context->setContextProperty(QStringLiteral("multiFont"), multiFont);
    context->setContextProperty(QStringLiteral("comm"), &comm);
    context->setContextProperty(QStringLiteral("menu"), &menu);
    context->setContextProperty(QStringLiteral("tev"), &tev);
    context->setContextProperty(QStringLiteral("pl"), &pl);
    context->setContextProperty(QStringLiteral("browse"), &browse);
    context->setContextProperty(QStringLiteral("mark"), &mark);
    context->setContextProperty(QStringLiteral("ver"), &ver);
    context->setContextProperty(QStringLiteral("permission"), &permission);
    context->setContextProperty(QStringLiteral("udpc"), &udpc);
    context->setContextProperty(QStringLiteral("isAndroid"), false);
    context->setContextProperty(QStringLiteral("isIos"), false);
    context->setContextProperty(QStringLiteral("isWindows"), true);
    context->setContextProperty(QStringLiteral("isMac"), false);
    context->setContextProperty(QStringLiteral("isDesktop"), true);
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(&tapRule);
        app->installEventFilter(&keyRule);
    }
}
