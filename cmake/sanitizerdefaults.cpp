// Linked into every program of the sanitizer build: the runtime's defaults,
// so that a plain ctest or a fuzz run needs no environment of its own.

// Memory kept on purpose until the process ends, which the leak checker cannot
// tell from a leak: the offscreen platform's screens, the painting caches of
// Qt's own libraries and what Qt Quick still holds at exit (its stacks end at
// Qt's first frame, Qt being built without frame pointers, so only the
// library can name them), and the discovered recorders' rows, which whatever
// still holds the published list may read until the end.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n"
           "leak:libQt5Gui.so\n"
           "leak:libQt5Quick.so\n"
           "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n"
           "leak:UdpPowerControl::addOrUpdateMachine\n";
}

extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}
