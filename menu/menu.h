#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include "menutree.h"

class AskedValue;
class ReplyOrder;
class Telnet;

// Model of the recorder's settings menu. After every login it walks the
// recorder's own description of the menu (pages, items, subitems and the
// texts of each subitem's choices) into a tree, which QML reads by index and
// draws as rows; each row registers itself back so that the model can push
// the values the recorder reports into it by property name.
//
// The walk is driven by the recorder's answers (parseMenuResponse): each one
// fills one node and asks for the nodes below it. Whatever it sends may run
// the command channel's short wait, during which further answers, a new walk
// or a reset may arrive: no code here holds on to a node across a send, and
// every burst stops when the tree it was sending for has been replaced.
//
// A pick is sent as the number of the entry the user saw. A row tells which
// of the menu's lists it was filled from (a generation, new whenever a list
// is asked for again or one of its names changes) and the entry tapped, by
// place and name: a pick from a list the menu no longer holds, or of an
// entry its list does not hold at that place, is not sent, and the row gets
// the recorder's value back. While that entry's list is read again, or a
// change of ours that may alter it (INPUT SELECT or an INPUT GAIN for the
// LEVEL lists) has not yet been followed by that reading, the number could
// name another entry by the time the recorder takes it: the pick is not sent
// and the row gets the recorder's value back.
// REC FORMAT is followed at once by a fresh reading of the STEREO/MONO list.
// A change of medium sent from the home tab holds the lists that follow the
// medium (PLAY AREA, REC FORMAT and STEREO/MONO) alike until its answer: a
// pick meanwhile is not sent and has them read at once, behind the change;
// the last answer has them read when it shows another medium than the one
// reported before the change, and releases them when it shows that one.
// A reading of those lists under way when a change of medium goes out starts
// again behind it: a count read before the change may be longer than the
// list the recorder holds after it, and the recorder does not answer a name
// past the end of a list. Names are asked only within the count of the last
// request of it; answers to earlier requests are dropped. A notice that one
// of the lists changed reads again those whose count has come already, and
// a quiet spell during such a reading reads again the lists not complete.
// The phantom-power check reads only values the recorder has told: a row of
// it that has not shown its value yet makes a pick it governs ask first.
//
// PLAY AREA, PLAY MODE, PITCH and KEY are front-panel settings the home tab
// changes too; the recorder holds one value of each. When the home tab sends
// one or the recorder reports a new front-panel value of it, its row reads
// the value again behind what went out. While a read or set of such a row
// is unanswered, its value may be the recorder's no more: the row takes any
// pick, also the choice it shows. A pick of one asks the home tab to read
// the front panel again.
//
// The same holds for every other setting whose value the home tab or its
// information panel shows (inputs, phantom power, record format, the record
// and play indicators): the recorder need not tell the application that set
// it, so a pick of one asks the home tab to read the value right behind it.
//
// A range row's knob stands where the user last set it until the recorder
// has answered that set (it answers every value request and set in order,
// each with a report of the value); older reports reach only its texts.
// The status model's order of answers counts the row's lines: no wait ends
// on time, and where the set went unanswered the row's value is read again.
class Menu : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool drawingFinished READ getDrawingFinished WRITE setDrawingFinished NOTIFY drawingFinishedChanged)
public:
    explicit Menu(QObject* parent = nullptr);

    // The tree is complete and its rows are drawn; the status and time polls
    // send nothing while it is false.
    bool drawingFinished = false;
    bool inputChangePending = false;
    bool mediumChangePending = false;
    bool rebuildingInputLevel = false;
    bool rebuildingForCd = false;
    bool rebuildingForStereoMono = false;
    QList<MenuPage> pages;
    Telnet* telnet = nullptr;
    // The recorder's order of answers, which counts the range rows' lines.
    ReplyOrder* order = nullptr;

    // Entries the walk found by name (the first match in a walk's order of
    // answers, a later match overwriting it); unset when the tree has none.
    MenuPosition sd1Position;
    MenuPosition sd2Position;
    MenuPosition usbPosition;
    MenuPosition capacityPosition;
    MenuPosition availablePosition;
    MenuPosition folderPosition;
    MenuPosition inputSelectPosition;
    MenuPosition inputGainLPosition;
    MenuPosition inputGainRPosition;
    MenuPosition phantomLPosition;
    MenuPosition phantomRPosition;
    MenuPosition levelLPosition;
    MenuPosition levelRPosition;
    MenuPosition playAreaPosition;
    MenuPosition recFormatPosition;
    MenuPosition stereoMonoPosition;
    MenuPosition playModePosition;
    MenuPosition pitchPosition;
    MenuPosition keyPosition;

    // The settings both the home tab and the menu set.
    enum PanelSetting { PlayArea, PlayMode, Pitch, Key };
    // The settings whose values the home tab or its information panel show
    // and only the menu sets, numbered on from the PanelSettings; InputGain
    // decides, with the input, whether phantom power reaches it.
    enum ShownSetting {
        InputSelect = Key + 1,
        InputGain,
        Phantom,
        RecFormat,
        StereoMono,
        MonoMix,
        Agc,
        Dynamics,
        LowCut,
        AutoTrack,
        SyncRec,
        AutoMark,
        DigitalInSrc,
        Repeat,
        AutoCue,
        AutoReady,
        IncrPlay,
        BackupRelay,
        // A list item of a name not known here: every value shown is read.
        OtherSetting,
        ShownSettings
    };

    bool getDrawingFinished() const { return drawingFinished; }
    // Taken only while a complete walk is held: a build interrupted by a
    // reset cannot start the polls.
    void setDrawingFinished(bool value);

    Q_INVOKABLE void changedCommandMenuData();
    Q_INVOKABLE QString getPageName(int i) const;
    Q_INVOKABLE void setPageObject(int i, QObject* obj);
    Q_INVOKABLE QObject* getPageObject(int i) const;
    Q_INVOKABLE int getMaxPageNumber() const { return pages.size(); }
    Q_INVOKABLE bool getPageVisible(int i) const;
    Q_INVOKABLE QString getItemName(int i, int j) const;
    Q_INVOKABLE void setItemObject(int i, int j, QObject* obj);
    Q_INVOKABLE QObject* getItemObject(int i, int j) const;
    Q_INVOKABLE int getMaxItemNumber(int i) const;
    Q_INVOKABLE bool getItemVisible(int i, int j) const;
    Q_INVOKABLE void setSubitemObject(int i, int j, int k, QObject* obj);
    Q_INVOKABLE QObject* getSubitemObject(int i, int j, int k) const;
    Q_INVOKABLE void changedSubitemObjectValue(int pageNum, int itemNum, int subitemNum, int value, int type);
    // The user tapped `choice`, at `index` of the row's list, filled from the
    // list of generation `list`: sent as changedSubitemObjectValue does when
    // the menu's list of the entry is that very list and holds it there.
    Q_INVOKABLE void changedSubitemChoice(int pageNum, int itemNum, int subitemNum, int index, const QString& choice,
                                          int list);
    Q_INVOKABLE QString getSubitemName(int i, int j, int k) const;
    Q_INVOKABLE int getMaxSubitemNumber(int i, int j) const;
    Q_INVOKABLE int getVisibleSubitemNumber(int i, int j) const;
    Q_INVOKABLE int getSubitemType(int i, int j, int k) const;
    Q_INVOKABLE bool getSubitemReadOnly(int i, int j, int k) const;
    Q_INVOKABLE bool getSubitemVisible(int i, int j, int k) const;
    Q_INVOKABLE QString getSubitemParameterName(int i, int j, int k, int l) const;
    Q_INVOKABLE int getMaxSubitemParameterNumber(int i, int j, int k) const;
    Q_INVOKABLE int getSubitemListGeneration(int i, int j, int k) const;
    Q_INVOKABLE void subitemValueRequest(int pageNum, int itemNum, int subitemNum);
    Q_INVOKABLE void rebuildParameterForCd();
    Q_INVOKABLE void rebuildParameterForStereoMono();

    void updateCurrentMediaMenuText(const QString& media);
    // A change of medium went out from the home tab.
    void mediumChangeSent();
    // The recorder reports medium, and every change of medium sent has been
    // answered.
    void mediumAnswered(const QString& medium);
    // The home tab sent a change of the setting, or the recorder reported a
    // new front-panel value of it: its row reads the value again.
    void panelSettingChanged(PanelSetting setting);
    void applySubitemValue(int page, int item, int subitem, int value);
    void parseMenuResponse(const QString& answer);
    void requestSubitemParameters(int page, int item, int subitem);
    bool markItemComplete(int page, int item);
    void rebuildParameterForInputLevel();
    // Forgets the tree after a failed login or a logout, without signals.
    void clearMenuTree();

signals:
    void drawingFinishedChanged(bool drawingFinished);
    void menuStarted();
    void menuCompleted();
    void inputLevelParameterChanged(int page, int item, int subitem, QObject* obj);
    void itemParameterChanged(int page, int item, QObject* obj);
    void phantomOnPopup(int page, int item, int subitem, int value);
    // A pick of a setting the home tab shows went out (a PanelSetting or a
    // ShownSetting), the choice's text and its place in the list: the
    // recorder's value is to be read right behind it, as the recorder need
    // not tell the application that set it.
    void panelSettingSent(int setting, const QString& choice, int index);

private:
    MenuPage* page(int i);
    const MenuPage* page(int i) const;
    MenuItem* item(int i, int j);
    const MenuItem* item(int i, int j) const;
    MenuSubitem* subitem(int i, int j, int k);
    const MenuSubitem* subitem(int i, int j, int k) const;
    MenuSubitem* subitem(const MenuPosition& at) { return at.isSet() ? subitem(at.page, at.item, at.subitem) : nullptr; }
    QObject* itemRow(const MenuPosition& at) const;
    QObject* subitemRow(const MenuPosition& at) const;
    void setRowProperty(QObject* row, const char* name, const QVariant& value);

    // Sends one command line; false when the tree was replaced or cleared
    // meanwhile, so that the caller stops.
    bool send(const QString& line);
    QString address(const char* code, int page, int item, int subitem) const;
    void resetPositions();
    void markCurrentMedium();
    // The setting the entry holds, or -1.
    int panelSettingAt(const MenuPosition& at) const;
    // The PanelSetting or ShownSetting the entry holds, or -1.
    int shownSettingAt(const MenuPosition& at) const;
    // The row that shows a choice entry's value: the item row of a single
    // subitem, else the subitem's own.
    QObject* valueRow(const MenuPosition& at) const;
    // A value request of the entry goes out.
    void noteValueAsked(MenuSubitem* sub, const MenuPosition& at);
    bool needsConfirmation(const MenuPosition& at, int value) const;
    // Whether the entry's list is the one of generation `list`, complete,
    // with `choice` at `index`.
    bool holdsChoice(const MenuPosition& at, int index, const QString& choice, int list) const;
    // The entry's list is asked for again or one of its names changes.
    void listChanged(MenuSubitem* sub);
    bool listBeingRead(const MenuPosition& at) const;
    bool followsMedium(const MenuPosition& at) const;
    void readMediumListsAgain();
    // Reads the lists of the entries that follow the medium (some of PLAY
    // AREA, REC FORMAT and STEREO/MONO) into the reading under way, or starts
    // one. A list the reading has asked for since the last change of medium
    // went out is left to it, unless `changed` (the recorder told that the
    // list changed) and its count has come already.
    void readListsOfMedium(const QList<MenuPosition>& entries, bool changed);
    // A quiet spell while those lists are read: an answer was lost, or a
    // name asked lay past the end of a list that changed unannounced. The
    // lists not complete are read again.
    void readStalledListsAgain();
    // The knob of the range entry at `at`, whose lines the order counts by
    // its ids; null for another entry, or without an order.
    AskedValue* rangeAsked(const MenuPosition& at);
    // The user's last set of a range has its answer: the row shows the
    // recorder's value.
    void releaseRange(const AskedValue* asked);

    // The walk (menuwalk.cpp).
    void onPageCount(int count);
    void onPageName(int page, const QString& name);
    void onItemCount(int page, int count);
    void onItemName(int page, int item, const QString& name);
    void onSubitemCount(int page, int item, int count);
    void onSubitemName(int page, int item, int subitem, QString name);
    void onSubitemInfo(const MenuAnswer& a);
    void onParameterName(int page, int item, int subitem, int index, const QString& name);
    void afterCompletion();
    void endRefetches();
    void finishItems(const QList<MenuPosition>& entries);
    void refetchLists(const QList<MenuPosition>& entries, bool itemRows);

    quint64 m_generation = 0;  // changes whenever the tree is replaced or cleared
    int m_listChanges = 0;     // the last list generation given out
    bool m_treeComplete = false;
    bool m_walkDone = false;   // the current tree's walk has ended once
    QString m_currentMedia;    // the medium last reported, marked once drawn
    QString m_mediumBeforeChange; // the medium reported when the pending change went out
    quint64 m_mediumChangesSent = 0; // changes of medium sent since the start
    // The lists that follow the medium are to be read (again) once drawn.
    bool m_mediumListsStale = false;
    // The range entries' knobs by their ids, kept across walks: the order
    // counts their lines by the ids.
    QHash<QString, AskedValue*> m_rangeAsked;
    QTimer m_mediumListsQuiet; // runs while the lists that follow the medium are read
};
