#pragma once

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

#include "timereventobject.h"

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
// from the full list (select, full query, read, filtered query). While a
// re-read is under way the recorder numbers events by the full list, so a
// write, create or delete asked for meanwhile waits until it is over.
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

    void setFilter(int value);
    void setFilterDate(const QDate& value);
    void setFocus(int row);
    void setMediaCD(bool value);
    void setDisabledAreaAndMode(bool value);
    void setEnableDante(bool value);

    // A reply of the family "47", from its sub-code on.
    void parseTimerEventResponse(QString data);
    // The rows, as last read (published or still being read).
    const QList<QObject*>& events() const { return m_list; }
    TimerEventObject* row(int index) const;
    // Today's date for a created event; the computer's clock unless set.
    std::function<QDate()> today;

signals:
    void filterChanged();
    void filterDateChanged();
    void focusChanged();
    void mediaCDChanged();
    void disabledAreaAndModeChanged();
    void enableDanteChanged();
    void setNewFocus();

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

private:
    enum Walk { Idle, Reread, Restore };

    bool send(const QByteArray& command);
    bool sendListQuery();
    bool sendNumbered(const char* command, int number);
    bool writeEvent(int row, bool invertEnable);
    void load(bool noteIfBusy);
    bool busy() const;
    bool unavailable() const { return m_mediaCD || m_disabledAreaAndMode; }
    // Runs op now, or once the re-read under way is over.
    bool holdDuringReread(const std::function<void()>& op);
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
    QList<QObject*> m_list;
    TimerEventObject m_undo;
    bool m_areaAll = false;
    bool m_modeAllowed = false;
    int m_status = 0;
    Walk m_walk = Idle;
    int m_expected = 0;
    int m_selected = 0;
    int m_pendingFocus = -1;
    bool m_querying = false;     // a list query is outstanding or its walk under way
    bool m_reading = false;      // its count has arrived and records are being read
    int m_lastNumber = 0;        // number of the last record of the walk
    bool m_selecting = false;    // a select awaits its answer
    int m_rereadRow = -1;        // the row whose event a re-read is for
    bool m_restoreOnRefocus = true;
    bool m_reloadDue = false;
    std::function<void()> m_held;
};
