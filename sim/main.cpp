// kz470-sim: simulated recorders for running the application by hand.
// Each --recorder ADDRESS[:PASSWORD[:MODEL]] starts one recorder on that address.
// Run it only inside a private network namespace (see the README).
#include <QCoreApplication>
#include <QTextStream>

#include "recorderstate.h"
#include "simrecorder.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    QList<sim::SimRecorder*> recorders;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) != QLatin1String("--recorder") || i + 1 >= args.size()) {
            err << "usage: kz470-sim --recorder ADDRESS[:PASSWORD[:MODEL]] ...\n";
            return 2;
        }
        const QStringList fields = args.at(++i).split(QLatin1Char(':'));
        QHostAddress address;
        if (!address.setAddress(fields.value(0))) {
            err << "not an address: " << fields.value(0) << "\n";
            return 2;
        }
        auto* r = new sim::SimRecorder(address, &app);
        if (fields.size() > 1)
            r->password = fields.at(1);
        if (fields.size() > 2)
            r->model = fields.at(2).toInt();
        sim::installStatusModel(*r);
        QString error;
        if (!r->start(&error)) {
            err << "cannot listen on " << address.toString() << ": " << error << "\n";
            return 1;
        }
        out << "recorder " << address.toString() << " model " << (r->model ? "KZ-470DUAL" : "KZ-470MX")
            << " password " << r->password << "\n";
        recorders << r;
    }
    if (recorders.isEmpty()) {
        err << "usage: kz470-sim --recorder ADDRESS[:PASSWORD[:MODEL]] ...\n";
        return 2;
    }
    out.flush();
    return app.exec();
}
