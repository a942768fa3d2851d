#include "timereventcommands.h"

#include "recorderstate.h"
#include "simrecorder.h"

#include <QRegularExpression>

namespace sim {

namespace {

int readField(const QString& line, int pos)
{
    bool okLow = false, okHigh = false;
    const int low = line.mid(pos, 2).toInt(&okLow);
    const int high = line.mid(pos + 2, 2).toInt(&okHigh);
    return okLow && okHigh && line.size() >= pos + 4 ? high * 100 + low : -1;
}

bool wellFormed(const QString& block)
{
    static const QRegularExpression form(QStringLiteral("^\\d{10}[0-9a-fA-F]{2}\\d{16}$"));
    return form.match(block).hasMatch();
}

int field(const SimTimerEvent& e, int pos)
{
    return e.block.mid(pos, 2).toInt();
}

} // namespace

TimerEventList::TimerEventList(SimRecorder* recorder)
    : QObject(recorder)
    , m_recorder(recorder)
{
    setObjectName(QStringLiteral("timerEvents"));
    connect(recorder, &SimRecorder::connectionClosed, this, [this](int id) { m_views.remove(id); });
}

QList<SimTimerEvent> TimerEventList::sampleEvents()
{
    return {
        { "0100000000000730000000000001", "\\FOLDER01\\TAKE0001.wav" }, // play at start, every day
        { "0102000000be0900000300000001", "" },                        // record XLR, Monday to Friday
        { "0001171026001200000000013005", "\\TAKE0002.wav" },          // repeat play on a date, off
        { "0103180015001800000000000001", "" },                        // stop on the 15th of every month
        { "0104000000000300000000000001", "DL_TARGET01" },             // download every day
        { "0100000000c12215300001000000", "\\LIVE\\2017\\TAKE0003.wav" }, // play to an end, weekends, 100 times
        { "0105260001000400000000000001", "DL_TARGET02" },             // delete & download on the 1st
        { "0102261224001930000000000001", "" },                        // record unbalanced on a date
        { "0102000000000600000100000001", "" },                        // record balanced every day
        { "0102000000d51015000200000001", "" },                        // record coaxial, Sun Tue Thu Sat
        { "0002000000002000000400000001", "" },                        // record Dante every day, off
    };
}

bool TimerEventList::matches(const SimTimerEvent& e, const QString& query) const
{
    if (query == QLatin1String("AA0000"))
        return true;
    QDate day = today;
    if (query != QLatin1String("DD0000")) {
        day = QDate(2000 + query.left(2).toInt(), query.mid(2, 2).toInt(), query.mid(4, 2).toInt());
        if (!day.isValid())
            return false;
    }
    const int week = e.block.mid(10, 2).toInt(nullptr, 16);
    if (week & 0x80)
        return week & (1 << (day.dayOfWeek() % 7));
    if (field(e, 8) == 0)
        return true; // every day
    const bool sameYearAndDay = field(e, 4) == day.year() - 2000 && field(e, 8) == day.day();
    return sameYearAndDay && (field(e, 6) == 0 || field(e, 6) == day.month());
}

QList<int> TimerEventList::view(int connection) const
{
    const QString query = m_views.value(connection, QStringLiteral("AA0000"));
    QList<int> indexes;
    for (int i = 0; i < events.size(); ++i) {
        if (matches(events.at(i), query))
            indexes << i;
    }
    return indexes;
}

bool TimerEventList::mayChange(SimConnection* c) const
{
    const RecorderState* state = statusModel(*m_recorder);
    return !refuseChanges && (!state || state->editRightHolder() == c->id());
}

void TimerEventList::answerChange(SimConnection* c, const QString& code, int eventIndex)
{
    const QList<int> indexes = view(c->id());
    const int position = indexes.indexOf(eventIndex);
    c->sendLine(QStringLiteral("0FF47") + code + numberField(position < 0 ? indexes.size() + 1 : position + 1));
    m_recorder->sendLineToLoggedIn(QStringLiteral("0FF47F6"));
}

bool TimerEventList::handleCommand(SimConnection* c, const QString& line)
{
    if (!line.startsWith(QLatin1String("07F47")))
        return false;
    if (!changeElsewhereOn.pattern().isEmpty() && changeElsewhereOn.match(line).hasMatch()) {
        changeElsewhereOn = QRegularExpression();
        if (changeElsewhere)
            changeElsewhere(events);
        m_recorder->sendLineToLoggedIn(QStringLiteral("0FF47F6"));
    }
    const QString command = line.mid(5, 2);
    const QList<int> indexes = view(c->id());
    const int number = readField(line, 7);
    const int index = number >= 1 && number <= indexes.size() ? indexes.at(number - 1) : -1;
    const auto refuse = [c] { c->sendLine(QStringLiteral("0F2")); };

    if (line == QLatin1String("07F475600")) {
        const bool dante = danteOffered < 0 ? m_recorder->model == 1 : danteOffered != 0;
        c->sendLine(QStringLiteral("0FF47D6000") + (dante ? QLatin1Char('1') : QLatin1Char('0')));
    } else if (command == QLatin1String("5D") && line.size() == 13) {
        m_views[c->id()] = line.mid(7);
        c->sendLine(QStringLiteral("0FF47DD") + line.mid(7) + numberField(view(c->id()).size()));
    } else if (command == QLatin1String("57") && line.size() == 11) {
        if (index < 0)
            return refuse(), true;
        const SimTimerEvent& e = events.at(index);
        c->sendLine(QStringLiteral("0FF47D7") + numberField(number) + e.block + e.option);
    } else if (command == QLatin1String("55") && line.size() == 11) {
        if (selectAnswer == IgnoreSelects)
            return true;
        if (index < 0 || selectAnswer == RefuseSelects)
            return refuse(), true;
        c->sendLine(QStringLiteral("0FF47D5") + numberField(index + 1));
    } else if (command == QLatin1String("42")) {
        const QString block = line.mid(11, 28);
        if (index < 0 || !wellFormed(block) || !mayChange(c))
            return refuse(), true;
        events[index] = { block, line.mid(39) };
        answerChange(c, QStringLiteral("C2"), index);
    } else if (command == QLatin1String("40")) {
        const QString block = line.mid(7);
        if (!wellFormed(block) || !mayChange(c))
            return refuse(), true;
        events.append({ block, QString() });
        answerChange(c, QStringLiteral("C0"), events.size() - 1);
    } else if (command == QLatin1String("44") && line.size() == 11) {
        if ((number != 0 && index < 0) || !mayChange(c))
            return refuse(), true;
        if (number == 0)
            events.clear();
        else
            events.removeAt(index);
        c->sendLine(QStringLiteral("0FF47C4") + numberField(number));
        m_recorder->sendLineToLoggedIn(QStringLiteral("0FF47F6"));
    } else {
        refuse();
    }
    return true;
}

TimerEventList* installTimerEvents(SimRecorder& recorder)
{
    if (TimerEventList* existing = timerEvents(recorder))
        return existing;
    auto* list = new TimerEventList(&recorder);
    recorder.addCommandHandler(
        [list](SimConnection* connection, const QString& line) { return list->handleCommand(connection, line); });
    return list;
}

TimerEventList* timerEvents(const SimRecorder& recorder)
{
    return recorder.findChild<TimerEventList*>(QStringLiteral("timerEvents"), Qt::FindDirectChildrenOnly);
}

} // namespace sim
