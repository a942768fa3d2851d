// The object graph as start-up wires it: reactions to one signal run in the
// order their connections were made.
#include <QtTest>

#include "modelrig.h"

class TestObjectGraph : public QObject
{
    Q_OBJECT
private slots:
    void menuCompletionWritesInOrder();
};

void TestObjectGraph::menuCompletionWritesInOrder()
{
    ModelRig rig;
    rig.grantEditRight();
    rig.reply(QStringLiteral("FF0100")); // a medium is in
    rig.reply(QStringLiteral("D010"));   // stopped
    rig.replies({ QStringLiteral("FF07CF00"), QStringLiteral("CE00") }); // play area ALL, mode CONTINUE
    rig.takeLines();
    emit rig.graph.menu.menuCompleted();
    const QStringList lines = rig.takeLines();
    // Level meter on, then the browser's folder queries, then the timer-event list.
    const int meter = lines.indexOf("07F6A3F01");
    const int browse = lines.indexOf("07F6B00");
    const int events = lines.indexOf("07F475DAA0000");
    QVERIFY2(meter >= 0 && browse >= 0 && events >= 0, qPrintable(lines.join(' ')));
    QVERIFY(meter < browse);
    QVERIFY(browse < lines.indexOf("07F6B05"));
    QVERIFY(lines.indexOf("07F6B05") < events);
}

QTEST_GUILESS_MAIN(TestObjectGraph)
#include "tst_objectgraph.moc"
