#pragma once

#include <QDate>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "heldrequests.h"
#include "timereventobject.h"

class QTimerEvent;
class Telnet;
class Permission;

// The recorder's timer events: the list read from the recorder (published as
// `timerEventModel`), its filter (all, today, one day), the focused row with
// an undo copy, the screen's availability, and the commands that write new,
// changed, switched and deleted events back.
//
// A list load sends the list query of the filter; the count reply starts a
// walk that reads the events one by one and publishes the list when the last
// has arrived. Focusing a row while a filter is active re-reads that event
// from the full list (select, full query, read, the rows' own query again).
//
// The recorder numbers events by the list it last answered a query for, the
// model's rows by the list they were read with. A numbered command (write,
// switch, delete of one event) goes out at once only while the rows are the
// recorder's current numbering. They are not: during a re-read, while a query
// for another list awaits its answer, once the local day has moved on under
// the today filter, from any list query sent after the rows were read (a
// change notice's, a reload of the same filter) until its listing has been
// read, and from an edit that can renumber until a list query sent after it
// has been answered. The edits that can renumber are the application's own
// create and delete, a write while a filter is active (the saved event may
// leave the list), and another controller's change told while a re-read is
// under way. Meanwhile the commands are held in order (the list is read again
// first when it has to be). When the rows number by the recorder's list again,
// each held command goes out if its number still names the same event, told
// by the event as read (not the unsaved edits of the focused row), or by
// what this application has made of it since (its own writes the recorder
// accepted, a re-read of the focused event during which the recorder's list
// did not change), and is dropped otherwise: the rows read anew then show
// the recorder's events, and the drop is reported with execFailed.
//
// Content does not tell two alike events apart. Once the recorder may have
// numbered its events anew since a request's rows were read (an edit that
// can renumber has gone out, or the rows read again do not hold, row by row,
// those events or what this application has made of them), a held request
// goes only if no other event the model knows of could be on its row with
// what that row holds at the request's turn. The others are every other
// event of the rows it was made on and of the rows read since, as read or as
// this application has written it since, and every event this application
// has created since those rows were read. A write of the request's own
// event is none of them, whichever rows it was made on: one sent at its row
// that was made on its rows, or sent while the recorder numbered by them, or
// sent on rows read since whose row held its event (as below). Otherwise it
// is dropped and reported, and it never reaches the lookalike. Without that
// doubt it goes, or is done already, as any other.
//
// An event this application has deleted is gone for good. A delete is known
// by its event, not its row number: it marks the event of the row it went
// to, on the rows it was sent on. A request made on those rows names that
// event at that row. One made on rows read before names it only if that row
// held its event: at its own row while nothing can have numbered the rows
// anew in between, or else holding a version of it that no other event could
// have, as the lookalike rule tells. A request whose event is deleted (or made
// on rows read before a delete of all events) names nothing, whatever its row
// holds once the list is read again: a write or switch on it is dropped and
// reported; a delete of it is done already. Any other goes, or is dropped
// and reported, as above.
//
// A held Save or switch is done already, neither sent nor reported, only
// when the last edit this application sent naming its row, on the same rows,
// is a write of the same content that the recorder accepted (a second tap on
// Save, a slow link), no delete of all events has gone out since, and no
// list read since shows the recorder holding something else for that event.
// Only a list in which the write left its event in its row can show that
// (the whole list, unless a create or delete has renumbered it since; under
// a filter a Save may take its event out of the list or move it within):
// there a row read again with other content means another controller has
// changed the event. A write, switch or delete of the row sent after it, or
// a refusal, means the held one is no repeat: it goes while its row still
// names the event.
//
// A Save taken stays on its row: leaving the row or Cancel undoes only the
// edits made after it, until the list is read again, so that a switch of the
// row carries what was saved. What a request knows as the row's event stays
// what the recorder gave. A Save that goes nowhere (dropped, refused or not
// sent, for whatever reason) leaves its row: while the rows are those it was
// made on, what the row keeps goes back to the last write this application
// sent naming its event on them, or to the event as read; the focused row's
// edits stay on screen as edits.
//
// The recorder answers an accepted write or create with the event's number.
// The list read next focuses that row only if it holds just what the
// recorder was given: by then the number may name another event, or another
// controller may have changed this one. Otherwise nothing is focused.
//
// While the screen locks the tab (the recorder is read-only, timer events are
// unavailable, or the edit right is not held), nothing is written: what
// waits is dropped when the lock comes, and a write, switch, create or delete
// asked for meanwhile is not sent; each is reported with execFailed.
class TimerEvent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int filter READ filter WRITE setFilter NOTIFY filterChanged)
    Q_PROPERTY(QDate filterDate READ filterDate WRITE setFilterDate NOTIFY filterDateChanged)
    Q_PROPERTY(int focus READ focus WRITE setFocus NOTIFY focusChanged)
    Q_PROPERTY(bool mediaCD READ mediaCD WRITE setMediaCD NOTIFY mediaCDChanged)
    Q_PROPERTY(bool disabledAreaAndMode READ disabledAreaAndMode WRITE setDisabledAreaAndMode NOTIFY
                   disabledAreaAndModeChanged)
    Q_PROPERTY(bool enableDante READ enableDante WRITE setEnableDante NOTIFY enableDanteChanged)
    Q_PROPERTY(bool locked READ locked WRITE setLocked NOTIFY lockedChanged)
public:
    explicit TimerEvent(QObject* parent = nullptr);
    ~TimerEvent() override;

    Telnet* telnet = nullptr;
    Permission* permission = nullptr;

    int filter() const { return m_filter; }
    QDate filterDate() const { return m_filterDate; }
    int focus() const { return m_focus; }
    bool mediaCD() const { return m_mediaCD; }
    bool disabledAreaAndMode() const { return m_disabledAreaAndMode; }
    bool enableDante() const { return m_enableDante; }
    bool locked() const { return m_locked; }

    void setFilter(int value);
    void setFilterDate(const QDate& value);
    void setFocus(int row);
    void setMediaCD(bool value);
    void setDisabledAreaAndMode(bool value);
    void setEnableDante(bool value);
    // Set by the screen while the tab is read-only or unavailable.
    void setLocked(bool value);

    // A reply of the family "47", from its sub-code on.
    void parseTimerEventResponse(QString data);
    // The application closes: what waits is forgotten, neither sent nor told.
    void shutDown() { m_held.shutDown(); }
    // The rows, as last read (published or still being read).
    const QList<QObject*>& events() const { return m_list; }
    TimerEventObject* row(int index) const;
    // Today's date for a created event and for the today list; the
    // computer's clock unless set.
    std::function<QDate()> today;
    // How long a select may go unanswered before it is given up.
    static constexpr int selectTimeoutMs = 2000;
    int getSelectTimerId() const { return m_selectTimerId; }

signals:
    void filterChanged();
    void filterDateChanged();
    void focusChanged();
    void mediaCDChanged();
    void disabledAreaAndModeChanged();
    void enableDanteChanged();
    void lockedChanged();
    void setNewFocus();
    // A write, switch, create or delete the user made could not be sent: its
    // event had moved or gone, the list could not be read again, or the tab
    // is locked.
    void execFailed();

public slots:
    void showData();
    void onReadOnlyChanged(bool readOnly);
    void setCurrentMedia(QString media);
    void setPlayArea(QString area);
    void setPlayMode(QString mode);
    void setStatus(int i);

public:
    Q_INVOKABLE void startTimerEvent();
    Q_INVOKABLE void createNewEvent();
    Q_INVOKABLE void showAll();
    Q_INVOKABLE void showToday();
    Q_INVOKABLE void showDate(QDate date);
    Q_INVOKABLE void updateEvent();
    Q_INVOKABLE void cancelUpdate();
    Q_INVOKABLE void changeEnable(int number);
    Q_INVOKABLE void changeType(int eventType, int timeMode);
    Q_INVOKABLE void changeDate(QDate date, bool everyMonth);
    Q_INVOKABLE void changeWeek(QString week);
    Q_INVOKABLE void changeTime(int h, int m, int s);
    Q_INVOKABLE void changeRepeat(int c, int h, int m);
    Q_INVOKABLE void changeOption(QString option);
    Q_INVOKABLE void changeRecInput(QString recInput);
    Q_INVOKABLE void deleteItem(int number);
    Q_INVOKABLE QString getDateOfFocus();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    enum Walk { Idle, Reread, Restore };
    // The one kind of request of this model, for the lock.
    static constexpr int Change = 1;
    // A list as the recorder tells it apart: the date field of its query,
    // and for the today list the local day it was asked on.
    struct ListId
    {
        QString query;
        QDate day;
        bool operator==(const ListId& o) const { return query == o.query && day == o.day; }
        bool operator!=(const ListId& o) const { return !(*this == o); }
    };
    // What a request does to the recorder's events: a Save writes the
    // focused row's edits, a switch writes a row with its enable turned
    // over, a create adds an event, a delete removes one or all.
    enum class Edit { Save, Switch, Create, Delete };
    static bool writesRow(Edit edit) { return edit == Edit::Save || edit == Edit::Switch; }
    // What this application knows became of the event of a row: its own
    // write, or the event read again while focused.
    struct Version
    {
        int row = -1;
        TimerEventFields from;
        TimerEventFields to;
        bool written = false; // by this application
        int madeOn = 0;       // for a write: the list query of the rows it was made on
        int sentAt = 0;       // for a write: the list queries sent before it went out
        ListId list;          // for a write: the list of the rows it was made on
        int sent = 0;         // for a write: which of this application's writes it was
    };
    // The last edit sent naming a row, when it was a write: whether the
    // recorder has taken it is known once its version is learned.
    struct SentWrite
    {
        Version version;
        bool accepted = false;
    };
    // A write or a create sent and not yet known to be accepted: the recorder
    // answers "C2" when it takes a write, "C0" when it takes a create, and
    // answers in order, so it has answered one by the count of the first list
    // query sent after it.
    struct Write
    {
        Version version;       // a create's names no row; `to` is the event created
        bool creates = false;
        int queriesAhead = 0;  // counts due before its answer
        bool answered = false; // its answer has come (or the answer to one before it)
        bool stale = false;    // made on rows that are gone
    };
    // The row a write's or a create's answer named, and what the recorder was
    // given there.
    struct Focus
    {
        int row = -1;
        TimerEventFields fields;
    };
    // Rows as the recorder gave them for one list query, kept as an edit
    // was sent on them.
    struct Listing
    {
        QList<TimerEventFields> events;
        int query = 0;    // the list query they were read with
        int movedAt = -1; // such queries sent when an edit had last moved the numbering
    };
    // An event this application has written or created: what it carried,
    // and for a write the row, the rows it was made on and those it was sent on.
    struct Made
    {
        TimerEventFields to;
        int row = -1;    // -1: a create
        int madeOn = 0;  // for a write: the list query of the rows it was made on
        int sentAt = 0;  // list queries sent before it went out
        Listing on;      // for a write
    };
    // A delete of one event this application sent: its row on the rows it was sent on.
    struct Deleted
    {
        int row = -1;
        Listing on;
    };
    static constexpr int maxVersions = 32;

    bool send(const QByteArray& command);
    bool sendListQuery(const QString& query);
    bool sendNumbered(const char* command, int number);
    bool sendRead(int number);
    void submit(Edit edit, const QByteArray& line, int row);
    bool sendEdit(Edit edit, const QByteArray& line, int row, int madeOn);
    bool namesEvent(int row, const TimerEventFields& named) const;
    QList<TimerEventFields> versionsOf(int row, const TimerEventFields& named) const;
    bool lookalikeInDoubt(int row, const QList<TimerEventFields>& rows, int madeOn) const;
    bool holdsEvent(int row, const QList<TimerEventFields>& rows, int madeOn, const Listing& there, int at,
                    bool laterWrites) const;
    bool alikeElsewhere(int row, const QList<TimerEventFields>& rows, int madeOn, const Listing& there, int at,
                        bool laterWrites) const;
    bool wroteEvent(const Made& write, int row, const QList<TimerEventFields>& rows, int madeOn,
                    bool laterWrites) const;
    bool renumberedBetween(const QList<TimerEventFields>& rows, int madeOn, const Listing& there) const;
    bool deletedSince(int row, const QList<TimerEventFields>& rows, int madeOn) const;
    Listing rowsNow() const { return { m_read, m_rowsQuery, m_movedAt }; }
    bool repeatsAcceptedWrite(int row, const TimerEventFields& content, int madeOn) const;
    bool shownOtherwise(const Version& write) const;
    void unkeepSave(int row, int madeOn);
    void learnVersion(const Version& version);
    void forgetEdits();
    void settleWrites();
    std::optional<TimerEventFields> onWriteAnswered(bool creates);
    QByteArray writeLine(int row, bool invertEnable) const;
    void load(bool noteIfBusy);
    bool busy() const { return m_querying || m_walk != Idle; }
    bool unavailable() const { return m_mediaCD || m_disabledAreaAndMode; }
    QString filterQuery() const;
    ListId listOf(const QString& query) const;
    bool numberingCurrent() const;
    TimerEventFields asRead(int row) const;
    void dropSelect();
    void onCount(const QString& data);
    void onRecord(const QString& data);
    void onSelected(const QString& data);
    void takeReread(const TimerEventFields& fields);
    void finishWalk();
    void abandonWalk();
    void settle();
    void clearList();
    void publish(const QList<QObject*>& list);
    void restoreFocusedRow();
    TimerEventObject* focusedRow() const { return row(m_focus); }

    int m_filter = 0;
    QDate m_filterDate;
    int m_focus = -1;
    bool m_mediaCD = true;
    bool m_disabledAreaAndMode = true;
    bool m_enableDante = false;
    bool m_locked = false;
    QList<QObject*> m_list;
    QList<TimerEventFields> m_read; // the rows' events as the recorder gave them
    // What leaving the focused row or Cancel puts back: its event as read
    // when it was focused, or the last Save taken on it.
    TimerEventObject m_undo;
    bool m_areaAll = false;
    bool m_modeAllowed = false;
    int m_status = 0;
    Walk m_walk = Idle;
    int m_expected = 0;
    int m_selected = 0;
    Focus m_pendingFocus;
    bool m_querying = false;     // a list query is outstanding or its walk under way
    bool m_reading = false;      // its count has arrived and records are being read
    int m_lastNumber = 0;        // number of the last record of the walk
    int m_queriesOut = 0;        // list queries sent and not yet answered
    int m_readsOut = 0;          // reads sent and not yet answered
    ListId m_view;               // the list the recorder numbers by
    ListId m_rows;               // the list the rows were read with
    int m_queriesSent = 0;       // list queries of a load sent so far (a re-read's not counted)
    int m_rowsQuery = 0;         // which of them the rows were read with
    int m_movedAt = -1;          // such queries sent when an edit last moved the numbering
    bool m_selecting = false;    // a select awaits its answer
    int m_selectTimerId = 0;
    int m_rereadRow = -1;        // the row whose event a re-read is for
    bool m_restoreOnRefocus = true;
    bool m_reloadDue = false;
    bool m_rereadChanged = false; // a change notice came during the re-read
    std::optional<Version> m_rereadVersion; // the re-read's, learned if its list stayed
    HeldRequests m_held;
    QList<Version> m_versions;
    QList<Write> m_writesOut;
    int m_writesSent = 0;
    QList<Made> m_made;                 // the last writes and creates sent, oldest first
    QHash<int, SentWrite> m_lastWrites; // by row
    QList<Deleted> m_deleted;           // the last deletes of one event sent, oldest first
    int m_allDeletedAt = -1;            // list queries sent when the delete of all events went out
};
