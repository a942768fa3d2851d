#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "objectgraph.h"

// The application's objects, wired as at start-up, with every write captured
// instead of sent: drives the models with no network at all.
class ModelRig
{
public:
    ModelRig();

    ObjectGraph graph;
    Communication& comm = graph.comm;
    // One entry per write, as written.
    QStringList writes;

    // The lines written since the last call, without CR LF.
    QStringList takeLines();
    // Hands one reply line (without its leading "0") to the status model.
    void reply(const QString& line) { comm.recievedData(line); }
    void replies(const QStringList& lines);
    // Walks an empty settings menu and draws it as the menu screen would,
    // after which the polls write.
    void finishMenuWalk()
    {
        reply(QStringLiteral("FF6AFA1000"));
        graph.menu.setDrawingFinished(true);
    }
    void grantEditRight() { reply(QStringLiteral("FF6AFE11")); }
};

// The lines of a full-status refresh followed by the mark query, in order.
QStringList fullRefreshLines();
// The lines of lines split at CR LF.
QStringList splitLines(const QStringList& writes);
