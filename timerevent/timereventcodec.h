#pragma once

#include <QByteArray>
#include <QString>

#include "timereventobject.h"

// How a timer event travels on the command channel: a block of 28 ASCII
// characters (enable, type, year, month, day, week, hour, minute, second,
// record input, time mode, interval hours and minutes, repeat count; two
// characters each) followed, in a record reply and a write, by the option text.
namespace timereventcodec {

constexpr int blockSize = 28;
// Longest option text a write carries, in UTF-8 bytes.
constexpr int maxOptionBytes = 768;

const QString& everyDay(); // "EVERY DAY"

// The record-input label of code 0..4; "" for any other code.
QString recordInputLabel(int code);
// The code of a record-input label; 0 for any other text.
int recordInputCode(const QString& label);
// A date text of the week form: it starts with "S" or "_".
bool isWeek(const QString& date);

// The 28-character block of an event. Every numeric field holds two digits
// whatever the event holds: a field that cannot be read goes out as "00".
QByteArray encodeBlock(const TimerEventFields& event);
// An event from a block followed by its option text. Missing or non-numeric
// digits read as "00", a missing option as "".
TimerEventFields decodeRecord(const QString& record);
// The option as a write carries it: control characters dropped, UTF-8, cut
// at a character boundary to at most maxOptionBytes bytes.
QByteArray optionBytes(const QString& option);
// Whether a write carries the option of an event of this type: not for a
// record event (its input is in the block) nor for a stop.
bool writesOption(int eventType);

} // namespace timereventcodec
