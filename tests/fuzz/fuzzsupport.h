#pragma once

// Shared by the fuzz targets: the Qt application object of the run and the
// checks whose failure is a finding (the input is kept as a crash).
#include <QByteArray>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                       \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

namespace fuzz {

// Makes the application object once; settings go to a folder of the run in
// memory (a login writes them), and the models' warnings about bad input are
// not printed for every run.
inline void initialise()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    if (QCoreApplication::instance())
        return;
    static QTemporaryDir home(QStringLiteral("/dev/shm/kz470-fuzz-XXXXXX"));
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
            std::abort();
        }
    });
    new QCoreApplication(argc, argv);
}

// Whether one write to the recorder is whole command lines: it ends in CR LF,
// and no line is empty or holds a CR, LF or NUL of its own.
inline bool wellFormedWrite(const QByteArray& write)
{
    if (!write.endsWith("\r\n"))
        return false;
    int start = 0;
    while (start < write.size()) {
        const int end = write.indexOf("\r\n", start);
        const QByteArray line = write.mid(start, end - start);
        if (line.isEmpty() || line.contains('\r') || line.contains('\n') || line.contains('\0'))
            return false;
        start = end + 2;
    }
    return true;
}

// Whether a line handed on from a channel is free of line ends and NULs.
inline bool singleLine(const QString& line)
{
    return !line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')) && !line.contains(QChar(0));
}

} // namespace fuzz
