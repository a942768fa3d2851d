#pragma once

#include <QLocale>
#include <QVariant>

#include "browse.h"
#include "communication.h"
#include "keyrule.h"
#include "mark.h"
#include "menu.h"
#include "permission.h"
#include "playlist.h"
#include "taprule.h"
#include "telnet.h"
#include "timerevent.h"
#include "udppowercontrol.h"
#include "version.h"

class QQmlContext;

// The font published as multiFont: "Meiryo UI" by name for Japanese, the
// application font value for every other language.
QVariant multiFontFor(const QLocale& locale);

// The application's objects, one of each class. Members are constructed in
// declaration order and destroyed in reverse, as the start-up requires.
class ObjectGraph
{
public:
    ObjectGraph();

    // Publishes multiFont, the objects and the platform flags on the context.
    void publish(QQmlContext* context, const QVariant& multiFont);
    // The application closes, before its documents go: what waits for the
    // recorder is forgotten, so that the windows that made it go quietly.
    void shutDown();

    UdpPowerControl udpc;
    Version ver;
    Telnet telnet;
    Permission permission;
    Menu menu;
    // The browse and playlist tabs edit the files of one medium.
    HeldRequests::EditOrder mediumEdits;
    TimerEvent tev;
    Playlist pl;
    Browse browse;
    Mark mark;
    Communication comm;
    // A quick second tap in the windows is one tap with the first.
    TapRule tapRule;
    // A key reaches only a control that shows.
    KeyRule keyRule;

private:
    void wire();
};
