// The timer-event list: walked record by record after the person asks for
// it, then focused, changed and written back.
#include "modelsession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    fuzz::ModelSession session;
    TimerEvent& tev = session.graph.tev;
    tev.today = [] { return QDate(2026, 5, 1); };
    const auto check = [&] {
        FUZZ_CHECK(tev.focus() >= -1 && tev.focus() < tev.events().size());
        for (QObject* o : tev.events())
            FUZZ_CHECK(qobject_cast<TimerEventObject*>(o));
    };
    session.feed(data, size, [&] { tev.startTimerEvent(); }, check);

    // What the screen does with a walked list.
    if (!tev.events().isEmpty()) {
        tev.setFocus(int(size % unsigned(tev.events().size())));
        tev.getDateOfFocus();
        tev.changeTime(12, 30, 0);
        tev.updateEvent();
        tev.changeEnable(tev.focus());
        check();
    }
    tev.showToday();
    check();
    for (const QByteArray& write : qAsConst(session.writes))
        FUZZ_CHECK(fuzz::wellFormedWrite(write));
    return 0;
}
