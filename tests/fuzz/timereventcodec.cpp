// The timer-event block: a record as the recorder sends it is decoded, and
// the event written back is a whole block of two-digit fields and an option
// that fits a command line.
#include "fuzzsupport.h"
#include "timereventcodec.h"

#include <cctype>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    const QString record = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const TimerEventFields event = timereventcodec::decodeRecord(record);
    const QByteArray block = timereventcodec::encodeBlock(event);
    FUZZ_CHECK(block.size() == timereventcodec::blockSize);
    for (char c : block)
        FUZZ_CHECK(std::isxdigit(static_cast<unsigned char>(c)));
    // A block read back gives the same block.
    FUZZ_CHECK(timereventcodec::encodeBlock(timereventcodec::decodeRecord(QString::fromLatin1(block))) == block);
    const QByteArray option = timereventcodec::optionBytes(event.option);
    FUZZ_CHECK(option.size() <= timereventcodec::maxOptionBytes);
    FUZZ_CHECK(fuzz::wellFormedWrite("07F47420100" + block + option + "\r\n"));
    return 0;
}
