#include "modelrig.h"

ModelRig::ModelRig()
{
    graph.telnet.writeSink = [this](const QByteArray& bytes) { writes << QString::fromUtf8(bytes); };
    // Tests tick the sleep check themselves.
    comm.sleepTimer.stop();
    // The scripts answer only the lines that matter to them: a reply answers
    // the oldest line it can, as if those before it had gone unanswered, and
    // the answer due ends a wait.
    comm.replyOrder.skipsUnanswered = true;
    comm.replyOrder.fences = false;
}

QStringList ModelRig::takeLines()
{
    const QStringList lines = splitLines(writes);
    writes.clear();
    return lines;
}

void ModelRig::replies(const QStringList& lines)
{
    for (const QString& line : lines)
        reply(line);
}

QStringList splitLines(const QStringList& writes)
{
    QStringList lines;
    for (const QString& w : writes) {
        QStringList parts = w.split(QStringLiteral("\r\n"));
        if (!parts.isEmpty() && parts.last().isEmpty())
            parts.removeLast();
        lines << parts;
    }
    return lines;
}

QStringList fullRefreshLines()
{
    return QStringList {
        "03F00", "050", "055", "05D", "030FF", "036FF", "03AFF", "04E", "035FF", "07F6A0A",
        "02DFF", "025FF", "03DFF", "07F6A0001", "07F01FF", "07F6A04", "07F6A05", "07F6A06", "07F6A0A",
        "07F074FFF", "07F6A0C", "07F3105", "07F6A02", "07F6A0B", "07F0417FF", "07F6A07", "07F6A08", "07F6A0D",
        "07F6A0E", "07F6A60", "07F12110000FF", "07F6A61", "031FF", "038FF", "07F6A01", "07F6A62",
        "07F6A63", "056", "07F6A65",
        "07F035D", "07F6A63",
    };
}
