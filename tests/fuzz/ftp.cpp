// The FTP side of a playlist step: control replies and the folder listing,
// each a stream of bytes split at points the input chooses, then the step's
// choice among the names listed.
#include <fuzzer/FuzzedDataProvider.h>

#include "ftpaccess.h"
#include "fuzzsupport.h"

namespace {

QStringList takeStream(FuzzedDataProvider& input, const std::string& stream)
{
    QStringList lines;
    QByteArray pending;
    size_t at = 0;
    while (at < stream.size()) {
        const size_t length = input.ConsumeIntegralInRange<size_t>(1, 256);
        lines << takeLines(pending, QByteArray::fromStdString(stream.substr(at, length)));
        FUZZ_CHECK(pending.size() <= FtpAccess::maxPendingLine + 256);
        at += length;
    }
    for (const QString& line : qAsConst(lines))
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    FuzzedDataProvider input(data, size);
    const std::string control = input.ConsumeRandomLengthString(4096);
    const std::string listing = input.ConsumeRandomLengthString(8192);
    const QString current = QString::fromStdString(input.ConsumeRandomLengthString(64));
    const bool backward = input.ConsumeBool();

    for (const QString& reply : takeStream(input, control)) {
        const int port = passivePort(reply);
        FUZZ_CHECK(port >= -1 && port <= 65535);
    }
    QStringList names;
    for (const QString& line : takeStream(input, listing)) {
        if (!isListedPlaylist(line))
            continue;
        const QString name = listedFileName(line);
        // The name goes into a command line of its own.
        FUZZ_CHECK(fuzz::singleLine(name) && name.endsWith(QLatin1String(".ppl")));
        names << name;
    }
    const QString chosen = stepPlaylist(names, current, backward);
    FUZZ_CHECK(names.isEmpty() ? chosen.isEmpty() : names.contains(chosen));
    return 0;
}
