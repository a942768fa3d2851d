// Writes the seed corpora of the model fuzz targets (menu, browse, playlist,
// timerevent) from real exchanges: the application's objects log in to a
// simulated recorder of each model, and the lines they receive during the
// login and each walk are kept (and the timer-event records alone, for the
// block decoder), one per line without the leading "0". An
// empty line marks the moment the walk was asked for. Run it only inside a
// private network namespace:
//   tools/netns-run build-asan/tests/fuzz/fuzz-capture tests/fuzz/corpus
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "simlink.h"
#include "simunits.h"

namespace {

// Reply prefixes of each model's family; a seed keeps its own family's
// lines and every line that is no model's (status, notices, the edit right).
const QList<QPair<QString, QStringList>> families = {
    { "menu", { "FF6AFA" } },
    { "browse", { "FF6B" } },
    { "playlist", { "FF45", "FF31CB" } },
    { "timerevent", { "FF47" } },
};

bool ofFamily(const QString& line, const QStringList& prefixes)
{
    for (const QString& p : prefixes) {
        if (line.startsWith(p))
            return true;
    }
    return false;
}

void write(const QString& folder, const QString& family, const QString& name, const QStringList& lines)
{
    QStringList kept;
    for (const QString& line : lines) {
        bool other = false;
        for (const auto& f : families)
            other = other || (f.first != family && ofFamily(line, f.second));
        if (!other)
            kept << line;
    }
    QDir().mkpath(folder + QLatin1Char('/') + family);
    QFile file(folder + QLatin1Char('/') + family + QLatin1Char('/') + name);
    if (file.open(QIODevice::WriteOnly))
        file.write(kept.join(QLatin1Char('\n')).toUtf8());
}

// Lets the exchange run its course (the polls go on meanwhile).
void settle()
{
    QTest::qWait(1500);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("corpus");
    for (int model = 0; model < 2; ++model) {
        SimUnit unit(model, QStringLiteral("Seeds"), QStringLiteral("00:1B:47:00:00:3%1").arg(model));
        unit.recorder.model = model;
        if (!unit.start())
            return 1;
        ObjectGraph app;
        // As the playlist screen does.
        QObject::connect(&app.pl, &Playlist::readyToRedraw, &app.pl, &Playlist::initPpl);
        QStringList received;
        QObject::connect(&app.telnet, &Telnet::readyRead, [&](const QString& line) { received << line; });
        if (!simlink::logIn(app, unit.recorder))
            return 1;
        app.permission.requestPermission(); // the edit right, which the walks need
        settle();
        const QString name = QStringLiteral("model-%1").arg(model);
        const QStringList login = received;
        write(folder, QStringLiteral("menu"), name, login);

        received << QString();
        app.browse.startBrowse();
        settle();
        write(folder, QStringLiteral("browse"), name, received);

        received = login + QStringList(QString());
        app.pl.initAll();
        settle();
        write(folder, QStringLiteral("playlist"), name, received);

        received = login + QStringList(QString());
        app.tev.startTimerEvent();
        settle();
        write(folder, QStringLiteral("timerevent"), name, received);
        // The decoder's seeds: each record's block and option.
        int record = 0;
        for (const QString& line : qAsConst(received)) {
            if (model == 0 && line.startsWith(QLatin1String("FF47D7")))
                write(folder, QStringLiteral("timereventcodec"), QStringLiteral("record-%1").arg(++record),
                      { line.mid(10) });
        }
        app.comm.logoutRequest();
        QTest::qWait(300);
    }
    return 0;
}
