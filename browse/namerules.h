#pragma once

#include <QByteArray>
#include <QString>

// Rules for the folder, file and playlist names a person types before they go
// to the recorder inside a command line.
namespace namerules {

// Longest name, in UTF-8 bytes, of a folder or playlist.
constexpr int folderNameBytes = 117;
// Longest file name before its extension, so that name and extension fit 117.
constexpr int fileStemBytes = 113;

// The name without the characters the recorder refuses (/ : * ? " < > | and
// the backslash) and without any control character (a CR or LF would end the
// command line early, a TAB would split the recorder's answers).
QString cleaned(QString name);

// The UTF-8 bytes of text, cut to the longest run of whole characters that
// fits in maxBytes.
QByteArray cutUtf8(const QString& text, int maxBytes);

// cleaned(), then cut to maxBytes.
QByteArray encodedName(const QString& name, int maxBytes);

// The audio extension of a file name, ".mp3" or ".wav" in lower case, or ""
// when it has neither (compared without regard to case).
QString audioExtension(const QString& fileName);

} // namespace namerules
