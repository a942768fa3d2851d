// The command channel: the login dialogue and the line framing, fed the bytes
// of the input in chunks split at points the input chooses.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzzsupport.h"
#include "telnet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    FuzzedDataProvider input(data, size);
    Telnet telnet;
    telnet.skipModelQuery = input.ConsumeBool();
    QList<QByteArray> writes;
    telnet.writeSink = [&](const QByteArray& bytes) { writes << bytes; };
    int connected = 0, failed = 0, refused = 0;
    QObject::connect(&telnet, &Telnet::connectedToServer, [&](int model) {
        FUZZ_CHECK(model == 0 || model == 1);
        ++connected;
    });
    QObject::connect(&telnet, &Telnet::errorConnectedToServer, [&] { ++failed; });
    QObject::connect(&telnet, &Telnet::passwordFailed, [&] { ++refused; });
    QObject::connect(&telnet, &Telnet::readyRead, [&](const QString& line) {
        FUZZ_CHECK(fuzz::singleLine(line));
        FUZZ_CHECK(line.size() <= 2 * Telnet::maxPartialLine);
    });

    telnet.beginDialogue(QStringLiteral("12\r\n34"));
    // Nothing arrives on a link once it is closed.
    while (input.remaining_bytes() > 0 && failed == 0) {
        const size_t length = input.ConsumeIntegralInRange<size_t>(1, 64);
        telnet.takeIn(QByteArray::fromStdString(input.ConsumeBytesAsString(length)));
    }

    // A dialogue ends once at most, logged in or failed; a refusal ends it too.
    FUZZ_CHECK(connected + failed + refused <= 1);
    // The empty first line, then only the password, as one line whatever it
    // holds, and the model query.
    for (int i = 0; i < writes.size(); ++i)
        FUZZ_CHECK(i == 0 ? writes.at(i) == "\r\n" : writes.at(i) == "1234\r\n" || writes.at(i) == "07F6A64\r\n");
    return 0;
}
