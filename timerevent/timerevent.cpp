#include "timerevent.h"

#include "globals.h"
#include "permission.h"
#include "replyfields.h"
#include "telnet.h"
#include "timereventcodec.h"

#include <QMetaType>
#include <QTimerEvent>
#include <QVariant>
#include <algorithm>
#include <utility>

namespace codec = timereventcodec;

namespace {

// Published before the list is emptied, so that the view lets go of the rows
// before they are deleted.
const QList<QObject*> emptyList;

const QString allQuery = QStringLiteral("AA0000");
const QString todayQuery = QStringLiteral("DD0000");

QByteArray numberField(int number)
{
    char field[5] = "0000";
    setCommandNumberField(field, number);
    return QByteArray(field, 4);
}

// The event a write line carries: its block and option after "07F4742" and
// the number, before CR LF.
TimerEventFields writtenFields(const QByteArray& line)
{
    return codec::decodeRecord(QString::fromUtf8(line.mid(11, line.size() - 13)));
}

// The event a create line carries: its block after "07F4740", before CR LF.
TimerEventFields createdFields(const QByteArray& line)
{
    return codec::decodeRecord(QString::fromUtf8(line.mid(7, line.size() - 9)));
}

} // namespace

TimerEvent::TimerEvent(QObject* parent)
    : QObject(parent)
    , today([] { return QDate::currentDate(); })
{
    qRegisterMetaType<QList<QObject*>>("QList<QObject*>");
    m_held.numberingCurrent = [this] { return numberingCurrent(); };
    m_held.unnumberedMayGo = [this] { return m_walk == Idle; };
    m_held.reportDrop = [this] { emit execFailed(); };
    publish(m_list);
}

TimerEvent::~TimerEvent()
{
    publish(emptyList);
    qDeleteAll(m_list);
}

TimerEventObject* TimerEvent::row(int index) const
{
    return index >= 0 && index < m_list.size() ? static_cast<TimerEventObject*>(m_list.at(index)) : nullptr;
}

// --- properties ---------------------------------------------------------------

void TimerEvent::setFilter(int value)
{
    if (std::exchange(m_filter, value) != value)
        emit filterChanged();
}

void TimerEvent::setFilterDate(const QDate& value)
{
    if (std::exchange(m_filterDate, value) != value)
        emit filterDateChanged();
}

void TimerEvent::setMediaCD(bool value)
{
    if (std::exchange(m_mediaCD, value) != value)
        emit mediaCDChanged();
}

void TimerEvent::setDisabledAreaAndMode(bool value)
{
    if (std::exchange(m_disabledAreaAndMode, value) != value)
        emit disabledAreaAndModeChanged();
}

void TimerEvent::setEnableDante(bool value)
{
    if (std::exchange(m_enableDante, value) != value)
        emit enableDanteChanged();
}

// The tab may not change the recorder's events any more: what waits is
// dropped, each one the user confirmed reported once.
void TimerEvent::setLocked(bool value)
{
    if (std::exchange(m_locked, value) == value)
        return;
    m_held.refuseFromNowOn(value ? Change : 0);
    emit lockedChanged();
}

// Leaving a row undoes its unsaved edits. A filtered list re-reads the newly
// focused event from the full list, unless a re-read, a list walk or another
// select is already under way: a walk replaces the rows anyway, and a
// selection answered in the middle of it would turn the walk into a re-read
// and leave the list short. Rows the recorder may no longer number by (the
// day has moved on under the today filter, an edit since they were read can
// have renumbered) are read again instead.
void TimerEvent::setFocus(int row)
{
    if (row == m_focus || (row != -1 && !this->row(row)))
        return;
    if (m_restoreOnRefocus)
        restoreFocusedRow();
    if (row == -1) {
        m_focus = -1;
        emit focusChanged();
        return;
    }
    m_undo.assign(this->row(row)->fields());
    m_focus = row;
    emit focusChanged();
    if (m_filter == 0 || busy() || m_selecting)
        return;
    if (!numberingCurrent()) {
        load(false);
        return;
    }
    if (sendNumbered("07F4755", row + 1)) {
        m_selecting = true;
        m_rereadRow = row;
        m_selectTimerId = startTimer(selectTimeoutMs);
    }
}

// A select the recorder leaves unanswered (it refuses a number it does not
// know) is given up; the list is read again, since the recorder's list is
// evidently not the one shown.
void TimerEvent::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_selectTimerId || !m_selectTimerId)
        return;
    dropSelect();
    m_reloadDue = true;
    settle();
}

void TimerEvent::dropSelect()
{
    m_selecting = false;
    m_rereadRow = -1;
    if (m_selectTimerId)
        killTimer(std::exchange(m_selectTimerId, 0));
}

void TimerEvent::restoreFocusedRow()
{
    if (TimerEventObject* focused = focusedRow())
        focused->assign(m_undo.fields());
}

// --- availability and reload triggers -----------------------------------------

void TimerEvent::showData()
{
    startTimerEvent();
}

void TimerEvent::startTimerEvent()
{
    load(false);
}

void TimerEvent::load(bool noteIfBusy)
{
    if (unavailable() || m_status == 0) {
        clearList();
        return;
    }
    if (busy()) {
        m_reloadDue = m_reloadDue || noteIfBusy;
        return;
    }
    // A select still unanswered is given up: its answer, if any, arrives
    // before the count and is ignored.
    dropSelect();
    if (sendListQuery(filterQuery())) {
        m_querying = true;
        m_reading = false;
        ++m_queriesSent;
    }
}

QString TimerEvent::filterQuery() const
{
    if (m_filter == 1)
        return todayQuery;
    if (m_filter == 2 && m_filterDate.isValid())
        return m_filterDate.toString(QStringLiteral("yyMMdd"));
    return allQuery;
}

TimerEvent::ListId TimerEvent::listOf(const QString& query) const
{
    return { query, query == todayQuery ? today() : QDate() };
}

// Whether a row number means the same event to the recorder as to the rows:
// the rows come from the last list query sent, no edit since then can have
// renumbered, and the recorder still numbers by that list.
bool TimerEvent::numberingCurrent() const
{
    return m_walk == Idle && !m_reading && m_view == m_rows && m_rows == listOf(m_rows.query)
        && m_rowsQuery == m_queriesSent && m_rowsQuery > m_movedAt;
}

// A row's event as the recorder gave it, whatever the row shows (the focused
// one's edits, a Save kept on it).
TimerEventFields TimerEvent::asRead(int row) const
{
    return m_read.value(row);
}

void TimerEvent::onReadOnlyChanged(bool readOnly)
{
    if (readOnly && m_focus != -1)
        setFocus(-1);
}

// Whatever was under way belongs to the medium that is gone. That is settled
// before the availability changes, since the screen loads the list as soon as
// its notice hides. Answers to queries and reads already sent still come and
// are told apart by their count; an empty medium means the link is gone, and
// with it every answer.
void TimerEvent::setCurrentMedia(QString media)
{
    m_querying = false;
    m_reading = false;
    m_walk = Idle;
    dropSelect();
    m_pendingFocus = {};
    m_held.dropAll();
    forgetEdits();
    m_rereadVersion.reset();
    m_reloadDue = false;
    // Writes still unanswered will be answered, but teach nothing about the
    // new rows.
    for (Write& w : m_writesOut)
        w.stale = true;
    if (media.isEmpty()) {
        m_queriesOut = 0;
        m_readsOut = 0;
        m_writesOut.clear();
    }
    setMediaCD(media == QLatin1String("CD") || media.isEmpty());
    // The rows are the old medium's events: none may be tapped until the
    // new medium's list has been read.
    clearList();
    startTimerEvent();
}

void TimerEvent::setPlayArea(QString area)
{
    m_areaAll = area == QLatin1String("ALL");
    if (!m_areaAll)
        setDisabledAreaAndMode(true);
    else if (m_modeAllowed)
        setDisabledAreaAndMode(false);
}

void TimerEvent::setPlayMode(QString mode)
{
    m_modeAllowed = mode == QLatin1String("CONTINUE") || mode == QLatin1String("SINGLE");
    if (!m_modeAllowed)
        setDisabledAreaAndMode(true);
    else if (m_areaAll)
        setDisabledAreaAndMode(false);
}

void TimerEvent::setStatus(int i)
{
    const int previous = m_status;
    m_status = i;
    if (previous == 0 && i != 0)
        startTimerEvent();
}

void TimerEvent::showAll()
{
    setFilter(0);
    load(true);
}

void TimerEvent::showToday()
{
    setFilter(1);
    load(true);
}

void TimerEvent::showDate(QDate date)
{
    if (!date.isValid())
        return;
    setFilter(2);
    setFilterDate(date);
    load(true);
}

// --- writes -----------------------------------------------------------------------

// Sends an edit of row `row` now, or holds it (after whatever is held
// already) until the rows number by the recorder's list again; a create or a
// delete of all events names no row (-1) and waits only for a re-read to
// end. The reload a switch asks for waits until all that can go has gone out.
//
// When its turn comes, a Save or a switch on an event this application has
// deleted since its rows were read is dropped and told, a delete of it is
// done. A Save or a switch that repeats the last edit sent on its row, an
// accepted write, is done unless a list read since shows otherwise. One
// whose row may hold another event alike is dropped and told once the rows
// may have been numbered anew. Anything else goes while its row still names
// the event, and is dropped and told when not. A Save that goes nowhere
// leaves its row.
void TimerEvent::submit(Edit edit, const QByteArray& line, int row)
{
    HeldRequests::Request r;
    r.kind = Change; // what a locked tab refuses
    r.numbered = row != -1;
    const bool writes = writesRow(edit);
    const QList<TimerEventFields> rows = m_read; // as the recorder gave them
    const TimerEventFields named = rows.value(row);
    const TimerEventFields content = writes ? writtenFields(line) : TimerEventFields();
    const int madeOn = m_rowsQuery;
    const auto gone = [=] { return row != -1 && deletedSince(row, rows, madeOn); };
    const auto done = [=] {
        return gone() ? edit == Edit::Delete : writes && repeatsAcceptedWrite(row, content, madeOn);
    };
    if (row != -1) {
        r.stillNames = [=](bool) {
            return done() || (!gone() && !lookalikeInDoubt(row, rows, madeOn) && namesEvent(row, named));
        };
    }
    r.send = [this, edit, line, row, madeOn, done] {
        if (done())
            return true;
        if (!sendEdit(edit, line, row, madeOn))
            return false;
        if (edit == Edit::Switch)
            m_reloadDue = true;
        return true;
    };
    if (edit == Edit::Save)
        r.dropped = [this, row, madeOn] { unkeepSave(row, madeOn); };
    m_held.submit(std::move(r));
    settle();
}

// From a create or a delete on, and from a Save while the recorder numbers
// by a filtered list (the event written may have left it), the recorder may
// number its events anew: the rows number nothing until a list query sent
// after it has been answered. A write makes the row's event what it wrote,
// once the recorder is known to have taken it. Writes and creates wait for
// their answers, which tell where the event the recorder was given went.
// Each row keeps the last write sent on it. A write or a delete keeps the
// rows it was sent on, which tell the event it went to.
bool TimerEvent::sendEdit(Edit edit, const QByteArray& line, int row, int madeOn)
{
    const Listing sentOn = rowsNow();
    if (!send(line))
        return false;
    if (edit == Edit::Create || edit == Edit::Delete || (edit == Edit::Save && m_view.query != allQuery))
        m_movedAt = m_queriesSent;
    if (edit == Edit::Delete) {
        if (row == -1) {
            m_allDeletedAt = m_queriesSent;
            m_lastWrites.clear();
        } else {
            m_deleted << Deleted { row, sentOn };
            while (m_deleted.size() > maxVersions)
                m_deleted.removeFirst();
            m_lastWrites.remove(row);
        }
        return true;
    }
    Write w;
    if (edit == Edit::Create) {
        w.creates = true;
        w.version.to = createdFields(line);
        m_made << Made { w.version.to, -1, madeOn, m_queriesSent, {} };
    } else {
        w.version.row = row;
        w.version.from = sentOn.events.value(row);
        w.version.to = writtenFields(line);
        w.version.written = true;
        w.version.madeOn = madeOn;
        w.version.sentAt = m_queriesSent;
        w.version.list = m_rows;
        w.version.sent = ++m_writesSent;
        m_lastWrites[row] = { w.version };
        m_made << Made { w.version.to, row, madeOn, m_queriesSent, sentOn };
    }
    while (m_made.size() > maxVersions)
        m_made.removeFirst();
    w.queriesAhead = m_queriesOut;
    m_writesOut << w;
    return true;
}

// Whether a held command's row still holds the event it was made on: as read
// then, or as this application has made it since.
bool TimerEvent::namesEvent(int row, const TimerEventFields& named) const
{
    return this->row(row) && versionsOf(row, named).contains(asRead(row));
}

// The event of a row as read when a command was made on it, and what it is
// known to have become since.
QList<TimerEventFields> TimerEvent::versionsOf(int row, const TimerEventFields& named) const
{
    QList<TimerEventFields> known { named };
    for (int i = 0; i < known.size(); ++i) {
        for (const Version& v : m_versions) {
            if (v.row == row && v.from == known.at(i) && !known.contains(v.to))
                known << v.to;
        }
    }
    return known;
}

// Whether content may not tell the event of a request made on row `row` of
// `rows` (read with list query `madeOn`) from another on that row now: the
// rows may have been numbered anew since, and another event the model knows
// of could be there with what it holds.
bool TimerEvent::lookalikeInDoubt(int row, const QList<TimerEventFields>& rows, int madeOn) const
{
    const Listing now = rowsNow();
    return now.query != madeOn && renumberedBetween(rows, madeOn, now)
        && alikeElsewhere(row, rows, madeOn, now, row, true);
}

// Whether row `at` of the rows `there` holds the event of a request made on
// row `row` of `rows` (read with list query `madeOn`). The same rows hold it
// at its row, and so do rows read since while nothing can have numbered them
// anew in between; otherwise the row must hold a version of it that no other
// event the model knows of could have. Rows read before tell nothing of it.
bool TimerEvent::holdsEvent(int row, const QList<TimerEventFields>& rows, int madeOn, const Listing& there, int at,
                            bool laterWrites) const
{
    if (there.query < madeOn)
        return false;
    if (there.query == madeOn || !renumberedBetween(rows, madeOn, there))
        return at == row;
    return versionsOf(row, rows.value(row)).contains(there.events.value(at))
        && !alikeElsewhere(row, rows, madeOn, there, at, laterWrites);
}

// Whether another event than that of a request made on row `row` of `rows`
// (read with list query `madeOn`) could be on row `at` of `there` with what
// it holds: another row's event of `rows` or of `there`, or anything this
// application has written or created since `rows` were read, except the
// writes of the request's own event (wroteEvent).
bool TimerEvent::alikeElsewhere(int row, const QList<TimerEventFields>& rows, int madeOn, const Listing& there,
                                int at, bool laterWrites) const
{
    const TimerEventFields held = there.events.value(at);
    const auto elsewhere = [&](const QList<TimerEventFields>& list, int own) {
        for (int i = 0; i < list.size(); ++i) {
            if (i != own && list.at(i) == held)
                return true;
        }
        return false;
    };
    if (elsewhere(rows, row) || elsewhere(there.events, at))
        return true;
    return std::any_of(m_made.begin(), m_made.end(), [&](const Made& m) {
        return m.sentAt >= madeOn && m.to == held && !wroteEvent(m, row, rows, madeOn, laterWrites);
    });
}

// Whether a write went to the event of a request made on row `row` of
// `rows` (read with list query `madeOn`): it was sent at that row, and made
// on those rows, or sent while the recorder numbered by them, or (with
// `laterWrites`) sent on rows read since whose row held that event, judged
// without looking at later writes again.
bool TimerEvent::wroteEvent(const Made& write, int row, const QList<TimerEventFields>& rows, int madeOn,
                            bool laterWrites) const
{
    if (write.row != row)
        return false;
    if (write.madeOn == madeOn || write.sentAt == madeOn)
        return true;
    return laterWrites && write.sentAt > madeOn && holdsEvent(row, rows, madeOn, write.on, row, false);
}

// Whether the recorder may have numbered its events anew between `rows`,
// read with list query `madeOn`, and the rows `there`: an edit that can
// renumber went out in between, or `there` does not hold, row by row, those
// events or what this application has made of them (another controller's
// change).
bool TimerEvent::renumberedBetween(const QList<TimerEventFields>& rows, int madeOn, const Listing& there) const
{
    if (there.movedAt >= madeOn || rows.size() != there.events.size())
        return true;
    for (int i = 0; i < rows.size(); ++i) {
        if (!versionsOf(i, rows.at(i)).contains(there.events.at(i)))
            return true;
    }
    return false;
}

// Whether this application has deleted the event of a request made on row
// `row` of `rows` (read with list query `madeOn`): a delete of all events
// went out since, or a delete of one went to a row that held that event.
bool TimerEvent::deletedSince(int row, const QList<TimerEventFields>& rows, int madeOn) const
{
    return madeOn <= m_allDeletedAt || std::any_of(m_deleted.begin(), m_deleted.end(), [&](const Deleted& d) {
               return holdsEvent(row, rows, madeOn, d.on, d.row, true);
           });
}

// Whether a write of that content on that row, made on the rows read with
// list query `madeOn`, repeats the last edit this application sent naming
// the row: a write made on those same rows (one made on rows read before
// knows nothing of what the event has become since), carrying that content,
// which the recorder accepted, and which no list read since contradicts. A
// delete of the row or of all events sent after it leaves none.
bool TimerEvent::repeatsAcceptedWrite(int row, const TimerEventFields& content, int madeOn) const
{
    const auto last = m_lastWrites.constFind(row);
    return last != m_lastWrites.constEnd() && last->accepted && last->version.madeOn >= madeOn
        && last->version.to == content && !shownOtherwise(last->version);
}

// Whether the rows, read since that write, show the recorder holding
// something else for its event. They can only while the write's row is still
// its event's: they are the list it was made on, and nothing since the write,
// the write included, can have moved the numbering (a Save under a filter, a
// create, a delete). Then a row without that content, or gone, means another
// controller has changed the event. An event missing from a filtered list
// read after a Save that took it out is what that Save predicts.
bool TimerEvent::shownOtherwise(const Version& write) const
{
    const bool readSince = m_rowsQuery > write.sentAt;
    const bool rowKept = m_rows == write.list && m_movedAt < write.sentAt;
    return readSince && rowKept && !(this->row(write.row) && asRead(write.row) == write.to);
}

void TimerEvent::learnVersion(const Version& version)
{
    if (version.from == version.to && !version.written)
        return;
    m_versions << version;
    while (m_versions.size() > maxVersions)
        m_versions.removeFirst();
    const auto last = m_lastWrites.find(version.row);
    if (version.written && last != m_lastWrites.end() && last->version.sent == version.sent)
        last->accepted = true;
}

// A new medium: what this application has made of the old one's events
// tells nothing of the new one's.
void TimerEvent::forgetEdits()
{
    m_versions.clear();
    m_made.clear();
    m_lastWrites.clear();
    m_deleted.clear();
    m_allDeletedAt = -1;
}

// A list query is counted: the writes and creates sent before it have all
// been answered. The recorder's refusal ("0F2") does not reach this model, so
// the writes teach their versions only when a "C2" has come for every one of
// them.
void TimerEvent::settleWrites()
{
    QList<Write> answered;
    for (auto it = m_writesOut.begin(); it != m_writesOut.end();) {
        if (it->queriesAhead == 0) {
            answered << *it;
            it = m_writesOut.erase(it);
        } else {
            --it->queriesAhead;
            ++it;
        }
    }
    if (std::all_of(answered.begin(), answered.end(), [](const Write& w) { return w.creates || w.answered; })) {
        for (const Write& w : qAsConst(answered)) {
            if (!w.creates && !w.stale)
                learnVersion(w.version);
        }
    }
}

// A "C2" answers the first write still unanswered, a "C0" the first create:
// what the recorder was given, if one was waiting.
std::optional<TimerEventFields> TimerEvent::onWriteAnswered(bool creates)
{
    const auto unanswered = std::find_if(m_writesOut.begin(), m_writesOut.end(),
                                         [creates](const Write& w) { return !w.answered && w.creates == creates; });
    if (unanswered == m_writesOut.end())
        return std::nullopt;
    unanswered->answered = true;
    return unanswered->version.to;
}

void TimerEvent::createNewEvent()
{
    if (unavailable()) {
        clearList();
        return;
    }
    const QByteArray date = today().toString(QStringLiteral("yyMMdd")).toLatin1();
    submit(Edit::Create, "07F47400100" + date + "000000000100000001\r\n", -1);
}

// A Save taken stays on its row: leaving it or Cancel puts back what was
// saved, so that the row goes on showing it until the list is read again,
// unless the Save goes nowhere.
void TimerEvent::updateEvent()
{
    if (unavailable()) {
        clearList();
        return;
    }
    const TimerEventObject* focused = focusedRow();
    if (!focused)
        return;
    m_undo.assign(focused->fields());
    submit(Edit::Save, writeLine(m_focus, false), m_focus);
}

// A Save dropped, refused or not sent leaves its row: while the rows are
// those it was made on, what the row keeps becomes the last write this
// application sent naming its event on them, or the event as read. The
// focused row's edits stay on screen.
void TimerEvent::unkeepSave(int row, int madeOn)
{
    TimerEventObject* event = this->row(row);
    if (!event || madeOn != m_rowsQuery)
        return;
    const auto last = m_lastWrites.constFind(row);
    const bool sentOnThem = last != m_lastWrites.constEnd() && last->version.madeOn == madeOn;
    const TimerEventFields kept = sentOnThem ? last->version.to : asRead(row);
    if (row == m_focus)
        m_undo.assign(kept);
    else
        event->assign(kept);
}

void TimerEvent::changeEnable(int number)
{
    if (unavailable()) {
        clearList();
        return;
    }
    if (row(number))
        submit(Edit::Switch, writeLine(number, true), number);
}

QByteArray TimerEvent::writeLine(int row, bool invertEnable) const
{
    const TimerEventObject* event = this->row(row);
    QByteArray block = codec::encodeBlock(event->fields());
    if (invertEnable)
        block[1] = block.at(1) == '0' ? '1' : '0';
    QByteArray command = "07F4742" + numberField(row + 1) + block;
    if (codec::writesOption(event->eventType()))
        command += codec::optionBytes(event->option());
    return command + "\r\n";
}

void TimerEvent::deleteItem(int number)
{
    if (unavailable()) {
        clearList();
        return;
    }
    if (number != -1 && !row(number))
        return;
    const QByteArray line = "07F4744" + numberField(number + 1) + "\r\n";
    if (m_focus != -1)
        setFocus(-1);
    submit(Edit::Delete, line, number);
}

// --- edits of the focused row ---------------------------------------------------

void TimerEvent::cancelUpdate()
{
    restoreFocusedRow();
}

void TimerEvent::changeType(int eventType, int timeMode)
{
    if (TimerEventObject* e = focusedRow()) {
        e->setEventType(eventType);
        e->setTimeMode(timeMode);
    }
}

// A date outside the years the recorder can hold is not taken.
void TimerEvent::changeDate(QDate date, bool everyMonth)
{
    TimerEventObject* e = focusedRow();
    if (!e || !date.isValid() || date.year() < 2000 || date.year() > 2099)
        return;
    QString text = date.toString(QStringLiteral("yyyy/MM/dd"));
    if (everyMonth)
        text.replace(5, 2, QStringLiteral("00"));
    e->setDate(text);
}

void TimerEvent::changeWeek(QString week)
{
    if (TimerEventObject* e = focusedRow())
        e->setDate(week);
}

void TimerEvent::changeTime(int h, int m, int s)
{
    if (TimerEventObject* e = focusedRow())
        e->setTime(replyfields::pad2(h) + QLatin1Char(':') + replyfields::pad2(m) + QLatin1Char(':') + replyfields::pad2(s));
}

void TimerEvent::changeRepeat(int c, int h, int m)
{
    if (TimerEventObject* e = focusedRow()) {
        e->setRepeatEventCount(c);
        e->setRepeatIntervalTime(replyfields::pad2(h) + QLatin1Char(':') + replyfields::pad2(m));
    }
}

void TimerEvent::changeOption(QString option)
{
    if (TimerEventObject* e = focusedRow())
        e->setOption(option);
}

void TimerEvent::changeRecInput(QString recInput)
{
    changeOption(recInput.isEmpty() ? codec::recordInputLabel(0) : recInput);
}

QString TimerEvent::getDateOfFocus()
{
    const TimerEventObject* e = focusedRow();
    return e ? e->date() : QString();
}

// --- commands -------------------------------------------------------------------

bool TimerEvent::send(const QByteArray& command)
{
    if (!permission || !permission->okPermission() || !telnet)
        return false;
    telnet->sendData(command.constData());
    return true;
}

bool TimerEvent::sendNumbered(const char* command, int number)
{
    return send(command + numberField(number) + "\r\n");
}

bool TimerEvent::sendRead(int number)
{
    if (!sendNumbered("07F4757", number))
        return false;
    ++m_readsOut;
    return true;
}

// From here on the recorder numbers by the list of that query.
bool TimerEvent::sendListQuery(const QString& query)
{
    if (!send("07F475D" + query.toLatin1() + "\r\n"))
        return false;
    ++m_queriesOut;
    m_view = listOf(query);
    return true;
}

// --- replies --------------------------------------------------------------------

void TimerEvent::parseTimerEventResponse(QString data)
{
    const QString code = data.left(2);
    if (code == QLatin1String("DD")) {
        onCount(data);
    } else if (code == QLatin1String("D7")) {
        onRecord(data);
    } else if (code == QLatin1String("D5")) {
        onSelected(data);
    } else if (code == QLatin1String("C0") || code == QLatin1String("C2")) {
        // The next list read focuses the event named, if it holds what was given.
        const std::optional<TimerEventFields> given = onWriteAnswered(code == QLatin1String("C0"));
        m_pendingFocus = given ? Focus { replyfields::numberField(data, 2) - 1, *given } : Focus {};
    } else if (code == QLatin1String("D6")) {
        setEnableDante(data.mid(5) == QLatin1String("1"));
    } else if (code == QLatin1String("F6")) {
        // A notice that arrives before the count of a query already sent is
        // answered by that query. One that arrives while a list walk reads
        // records makes the rows read so far stale, and the record asked for
        // next may be gone (the recorder then never answers): the list is
        // queried again at once, and the answer to the read under way, if
        // any, is ignored because no walk is reading. During a re-read the
        // rows' list is only counted again afterwards: the change may have
        // renumbered it, so it is read again before anything held goes out,
        // and the event read need not be the focused one's.
        if (m_querying && !m_reading && m_walk == Idle)
            return;
        if (m_walk != Idle) {
            m_movedAt = m_queriesSent;
            m_rereadChanged = true;
        }
        if (m_reading && m_walk == Idle) {
            m_reading = false;
            m_querying = false;
        }
        load(true);
    }
}

// Only the answer to the last query sent counts: the recorder answers in
// order, so an earlier one is followed by another, and a count nobody asked
// for is ignored.
void TimerEvent::onCount(const QString& data)
{
    if (m_queriesOut == 0)
        return;
    settleWrites();
    if (--m_queriesOut > 0)
        return;
    m_expected = replyfields::numberField(data, 8);
    switch (m_walk) {
    case Idle:
        if (!m_querying)
            return;
        clearList();
        m_rows = m_view;
        m_rowsQuery = m_queriesSent;
        if (m_expected <= 0) {
            finishWalk();
            return;
        }
        m_reading = true;
        m_lastNumber = 0;
        if (!sendRead(1))
            abandonWalk();
        return;
    case Reread:
        // An event that is not there any more is not read; the rows' list comes back.
        if (m_selected <= m_expected && sendRead(m_selected))
            return;
        m_walk = Restore;
        if (!sendListQuery(m_rows.query))
            abandonWalk();
        return;
    case Restore:
        // A count other than the rows' means the recorder's list has changed
        // meanwhile: the rows no longer number its events, and are read anew.
        // What the re-read told of the focused event holds only if the list
        // stayed as it was throughout.
        m_walk = Idle;
        m_querying = false;
        if (m_expected != m_list.size()) {
            m_view = {};
            m_reloadDue = true;
        } else if (m_rereadVersion && !m_rereadChanged) {
            learnVersion(*m_rereadVersion);
        }
        m_rereadVersion.reset();
        settle();
        return;
    }
}

// The walk follows the number of each record and ends with the expected count;
// a record out of sequence ends it with what has been read, unless it repeats
// one while the answer to a later read is still to come.
void TimerEvent::onRecord(const QString& data)
{
    if (m_readsOut > 0)
        --m_readsOut;
    const int number = replyfields::numberField(data, 2);
    if (m_walk == Reread) {
        if (number == m_selected && m_rereadRow != -1 && m_rereadRow == m_focus && !m_rereadChanged)
            takeReread(codec::decodeRecord(data.mid(6)));
        m_walk = Restore;
        if (!sendListQuery(m_rows.query))
            abandonWalk();
        return;
    }
    if (m_walk != Idle || !m_reading)
        return;
    if (number >= 1 && number <= m_lastNumber && m_readsOut > 0)
        return;
    if (number < 1 || number <= m_lastNumber) {
        finishWalk();
        return;
    }
    auto* event = new TimerEventObject;
    event->assign(codec::decodeRecord(data.mid(6)));
    m_list.append(event);
    m_read.append(event->fields());
    m_lastNumber = number;
    if (number >= m_expected)
        finishWalk();
    else if (!sendRead(number + 1))
        abandonWalk();
}

// The recorder's version of the focused event becomes what the requests
// made on the row know of it, once the rows' list has been counted again
// unchanged; and, unless a Save has been taken on the row, what Cancel
// restores and what the row shows if it has not been edited meanwhile.
void TimerEvent::takeReread(const TimerEventFields& fields)
{
    TimerEventObject* focused = focusedRow();
    const TimerEventFields read = m_read.at(m_focus);
    if (m_undo.fields() == read) {
        if (focused->fields() == read)
            focused->assign(fields);
        m_undo.assign(fields);
    }
    Version reread;
    reread.row = m_focus;
    reread.from = read;
    reread.to = fields;
    reread.madeOn = m_rowsQuery;
    m_rereadVersion = reread;
    m_read[m_focus] = fields;
}

void TimerEvent::onSelected(const QString& data)
{
    if (!m_selecting)
        return;
    const int rereadRow = m_rereadRow;
    dropSelect();
    const int number = replyfields::numberField(data, 2);
    if (number < 1 || busy()) {
        settle();
        return;
    }
    m_rereadRow = rereadRow;
    m_selected = number;
    m_walk = Reread;
    m_rereadChanged = false;
    m_rereadVersion.reset();
    if (!sendListQuery(allQuery))
        abandonWalk();
}

void TimerEvent::finishWalk()
{
    m_querying = false;
    m_reading = false;
    publish(m_list);
    // Only the event the recorder was given: by now its number may name
    // another one, or it may have been changed elsewhere.
    const Focus pending = m_pendingFocus;
    m_pendingFocus = {};
    if (row(pending.row) && row(pending.row)->fields() == pending.fields) {
        setFocus(pending.row);
        emit setNewFocus();
    }
    settle();
}

// A step that cannot be sent (the edit right is gone) ends the walk; the next
// load request starts afresh.
void TimerEvent::abandonWalk()
{
    m_querying = false;
    m_reading = false;
    m_walk = Idle;
    dropSelect();
    m_pendingFocus = {};
    m_rereadVersion.reset();
    m_held.dropAll();
    m_reloadDue = false;
}

// Back to idle: what was held goes out while the recorder numbers by the
// rows it was made on, or the list is read again first; then a reload asked
// for meanwhile. Once an edit that can renumber has gone out, what follows it
// waits for the list to be read again.
void TimerEvent::settle()
{
    if (busy())
        return;
    m_held.run();
    // What is still held waits for the list to be read again: the recorder
    // numbers by another list, or an edit that went out has moved its numbering.
    if (!m_held.isEmpty()) {
        m_reloadDue = false;
        load(false);
        if (busy())
            return;
        m_held.dropAll(); // nothing can be read: nothing held can be checked
    }
    if (m_reloadDue) {
        m_reloadDue = false;
        startTimerEvent();
    }
}

void TimerEvent::clearList()
{
    publish(emptyList);
    qDeleteAll(m_list);
    m_list.clear();
    m_read.clear();
    m_rereadRow = -1;
    m_restoreOnRefocus = false;
    if (m_focus != -1) {
        m_focus = -1;
        emit focusChanged();
    }
    m_restoreOnRefocus = true;
    publish(m_list);
}

void TimerEvent::publish(const QList<QObject*>& list)
{
    publishContextProperty(QStringLiteral("timerEventModel"), QVariant::fromValue(list));
}
