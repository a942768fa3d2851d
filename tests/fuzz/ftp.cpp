// The FTP side of a playlist step: the control replies and the folder
// listing, each a stream of bytes split at points the input chooses, through
// FtpAccess with no connection, then the step's choice among the names listed.
#include <fuzzer/FuzzedDataProvider.h>

#include "ftpaccess.h"
#include "fuzzsupport.h"

namespace {

// Hands a stream to take in chunks whose sizes the input chooses.
template <typename TakeIn>
void feed(FuzzedDataProvider& input, const std::string& stream, TakeIn takeIn)
{
    size_t at = 0;
    while (at < stream.size()) {
        const size_t length = input.ConsumeIntegralInRange<size_t>(1, 256);
        takeIn(QByteArray::fromStdString(stream.substr(at, length)));
        at += length;
    }
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
    const char* const media[] = { "SD1", "SD2", "USB", "CD" };
    const QString medium = QLatin1String(media[input.ConsumeIntegralInRange<int>(0, 3)]);
    const int model = input.ConsumeIntegralInRange<int>(0, 2);

    FtpAccess ftp;
    QList<QByteArray> writes;
    ftp.writeSink = [&](const QByteArray& bytes) { writes << bytes; };
    QStringList names;
    int ends = 0;
    QObject::connect(&ftp, &FtpAccess::receivedPlaylist, [&](const QString& name) {
        // The name goes into a command line of its own.
        FUZZ_CHECK(fuzz::singleLine(name) && name.endsWith(QLatin1String(".ppl")));
        names << name;
    });
    QObject::connect(&ftp, &FtpAccess::endPlaylist, [&] { ++ends; });

    ftp.connectFtp(QStringLiteral("10.47.0.11"), QStringLiteral("12\r\n34"), medium, model);
    feed(input, control, [&](const QByteArray& bytes) { ftp.takeIn(bytes); });
    feed(input, listing, [&](const QByteArray& bytes) { ftp.takeInListing(bytes); });
    ftp.endListing();

    FUZZ_CHECK(ends == 1);
    for (const QByteArray& write : qAsConst(writes)) {
        FUZZ_CHECK(fuzz::wellFormedWrite(write));
        FUZZ_CHECK(!write.startsWith("PASS") || write == "PASS 1234\r\n");
    }
    const QString chosen = stepPlaylist(names, current, backward);
    FUZZ_CHECK(names.isEmpty() ? chosen.isEmpty() : names.contains(chosen));

    // The passive-mode port of every reply, on its own.
    QByteArray pending;
    for (const QString& reply : takeLines(pending, QByteArray::fromStdString(control))) {
        FUZZ_CHECK(fuzz::singleLine(reply));
        const int port = passivePort(reply);
        FUZZ_CHECK(port >= -1 && port <= 65535);
    }
    FUZZ_CHECK(pending.size() <= FtpAccess::maxPendingLine);
    return 0;
}
