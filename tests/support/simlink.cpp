#include "simlink.h"

#include <QSignalSpy>
#include <QTest>

#include "netenv.h"

namespace simlink {

std::unique_ptr<sim::SimRecorder> startRecorder(int n)
{
    auto recorder = std::make_unique<sim::SimRecorder>(QHostAddress(netenv::recorderAddress(n)));
    sim::installStatusModel(*recorder);
    QString error;
    if (!recorder->start(&error)) {
        qWarning("simulated recorder %d: %s", n, qPrintable(error));
        return nullptr;
    }
    return recorder;
}

void drawMenuOnCompletion(ObjectGraph& app)
{
    Menu* menu = &app.menu;
    if (menu->property("simlinkDraws").toBool())
        return;
    menu->setProperty("simlinkDraws", true);
    QObject::connect(menu, &Menu::menuCompleted, menu, [menu] { menu->setDrawingFinished(true); });
}

int logIn(ObjectGraph& app, sim::SimRecorder& recorder, int timeoutMs)
{
    drawMenuOnCompletion(app);
    int connection = 0;
    const auto link = QObject::connect(&recorder, &sim::SimRecorder::loggedIn, [&connection](int id) { connection = id; });
    app.comm.loginRequest(recorder.address().toString(), recorder.password);
    // Done when the recorder has also received the level-meter start that ends
    // the walk, so that nothing of the login is still on its way afterwards.
    const bool done = QTest::qWaitFor(
        [&] {
            return connection != 0 && app.comm.getLoginComp() && app.menu.drawingFinished
                && recorder.receivedLines(connection).contains(QStringLiteral("07F6A3F01"));
        },
        timeoutMs);
    QObject::disconnect(link);
    return done ? connection : 0;
}

bool containsRun(const QStringList& lines, const QStringList& run)
{
    if (run.isEmpty())
        return true;
    for (int i = 0; i + run.size() <= lines.size(); ++i) {
        if (lines.mid(i, run.size()) == run)
            return true;
    }
    return false;
}

} // namespace simlink
