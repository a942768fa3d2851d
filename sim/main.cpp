// kz470-sim: simulated recorders for running the application by hand.
// Each --recorder ADDRESS[:PASSWORD[:MODEL]] starts one recorder on that
// address: command port 23 (with remote power control), FTP port 21 and the
// discovery answer. The options after it apply to that recorder.
// Run it only inside a private network namespace (tools/netns-run): its
// discovery side answers broadcasts.
#include <QCoreApplication>
#include <QTextStream>

#include "livepanel.h"
#include "recorderservices.h"
#include "simrecorder.h"

namespace {

const char usage[] = "usage: kz470-sim --recorder ADDRESS[:PASSWORD[:MODEL]] [--nickname NAME] [--mac MAC]"
                     " [--admin PASSWORD] [--standby] ...\n";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    QList<sim::RecorderServices*> units;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (option == QLatin1String("--recorder") && hasValue) {
            const QStringList fields = args.at(++i).split(QLatin1Char(':'));
            QHostAddress address;
            if (!address.setAddress(fields.value(0)) || address.protocol() != QAbstractSocket::IPv4Protocol) {
                err << "not an IPv4 address: " << fields.value(0) << "\n";
                return 2;
            }
            auto* recorder = new sim::SimRecorder(address, &app);
            if (fields.size() > 1)
                recorder->password = fields.at(1);
            if (fields.size() > 2)
                recorder->model = fields.at(2).toInt();
            auto* unit = new sim::RecorderServices(recorder, &app);
            sim::LivePanel::nameTracks(unit->state);
            new sim::LivePanel(unit->state);
            const quint32 last = address.toIPv4Address() & 0xff;
            unit->discovery.nickname = QStringLiteral("KZ470-%1").arg(last);
            unit->discovery.macAddress = QStringLiteral("00:1B:47:00:00:%1").arg(last, 2, 16, QLatin1Char('0')).toUpper();
            units << unit;
        } else if (units.isEmpty() || !(hasValue || option == QLatin1String("--standby"))) {
            err << usage;
            return 2;
        } else if (option == QLatin1String("--nickname")) {
            units.last()->discovery.nickname = args.at(++i);
        } else if (option == QLatin1String("--mac")) {
            units.last()->discovery.macAddress = args.at(++i);
        } else if (option == QLatin1String("--admin")) {
            units.last()->power.adminPassword = args.at(++i);
        } else if (option == QLatin1String("--standby")) {
            units.last()->recorder()->powered = false;
        } else {
            err << usage;
            return 2;
        }
    }
    if (units.isEmpty()) {
        err << usage;
        return 2;
    }
    for (sim::RecorderServices* unit : qAsConst(units)) {
        const sim::SimRecorder* r = unit->recorder();
        QString error;
        if (!unit->start(&error)) {
            err << "cannot start the recorder on " << r->address().toString() << ": " << error << "\n";
            return 1;
        }
        out << "recorder " << r->address().toString() << " model " << sim::modelName(r->model) << " nickname "
            << unit->discovery.nickname << " mac " << unit->discovery.macAddress << " password " << r->password
            << " admin " << unit->power.adminPassword << (r->powered ? " on" : " standby") << "\n";
    }
    out.flush();
    return app.exec();
}
