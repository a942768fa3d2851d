#pragma once

// The simulated recorder's settings menu: a tree of pages, items and
// subitems that the recorder describes on request ("07F6A7A" commands), with
// the current value of every subitem.
//
// Attaching it: sim::installMenuModel(recorder) creates the one MenuModel of
// a SimRecorder (a child of it, next to its status model, which it reads for
// the current medium and keeps in step for the settings it reports) and
// adds its command handler; installStatusModel does it for every recorder.
// sim::menuModel(recorder) finds it.
//
// Scenario API for tests: `pages` is the tree (load() replaces it, for small
// or pathological menus); the dynamic lists of the realistic menu (LEVEL,
// PLAY AREA, REC FORMAT, STEREO/MONO, the medium information) are computed
// from the other settings each time they are asked for. PLAY AREA, PLAY
// MODE, PITCH and KEY are front-panel settings: their values are those of the
// status model's panel, whichever line sets them, and a set of one here tells
// the other applications what a set over the front-panel line does. The
// status reports of the input, phantom power, record format and sampling
// rate, AGC, dynamics, low cut, mono mix and the other settings the status
// model keeps follow the menu's values after a set, over the wire or at the
// front panel; the setter is told nothing but the menu's answer.
// setValue() acts as a person at the front panel; the other members shape how
// answers go out.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

namespace sim {

class RecorderState;
struct SimPanel;
class SimConnection;
class SimRecorder;

struct SimMenuSubitem
{
    QString name;
    int type = 0; // 0 choice, 1 range (values 0 .. 200)
    bool readOnly = false;
    bool visible = true;
    QStringList choices;
    int value = 0;
    // A list that depends on other settings; replaces `choices` when set.
    std::function<QStringList()> dynamicChoices;
    // A front-panel setting keeps its value on the panel, not in `value`:
    // read and written through these, and the others hear othersHear().
    std::function<int()> panelValue;
    std::function<void(int)> setPanelValue;
    std::function<QString()> othersHear;
    // A setting the status model also reports: the report follows the
    // chosen value (its index and text) whichever way it is set.
    std::function<void(SimPanel&, int, const QString&)> reported;

    int current() const { return panelValue ? panelValue() : value; }
    void set(int v)
    {
        if (setPanelValue)
            setPanelValue(v);
        else
            value = v;
    }
};

struct SimMenuItem
{
    QString name;
    QList<SimMenuSubitem> subitems;
};

struct SimMenuPage
{
    QString name;
    QList<SimMenuItem> items;
};

// page, item, subitem index; page -1 when not found
struct SimMenuEntry
{
    int page = -1;
    int item = -1;
    int subitem = -1;
    bool found() const { return page >= 0; }
};

class MenuModel : public QObject
{
    Q_OBJECT
public:
    MenuModel(SimRecorder* recorder, RecorderState* state);

    bool handleCommand(SimConnection* connection, const QString& line);
    // The reply lines (without CR LF) to one command line; false for a line
    // that is no settings-menu command. Touches no connection.
    bool answersTo(const QString& line, QStringList* replies);

    QList<SimMenuPage> pages;
    // Replaces the tree with one of a test's own.
    void load(const QList<SimMenuPage>& tree)
    {
        pages = tree;
        m_menuOfModel = -2;
    }
    // The realistic menu of the recorder's model (0 KZ-470MX, 1 KZ-470DUAL).
    QList<SimMenuPage> realisticMenu(int model);

    SimMenuSubitem* subitem(const SimMenuEntry& e);
    QStringList choices(const SimMenuEntry& e);
    // The first subitem of the item whose name begins with itemName (and, when
    // given, whose own name begins with subitemName).
    SimMenuEntry find(const QString& itemName, const QString& subitemName = QString()) const;

    // Front panel: the values change and every application hears notice 40
    // once, and notice 51 when the STEREO/MONO choices change with them.
    void setValues(const QList<QPair<SimMenuEntry, int>>& values);
    void setValue(const SimMenuEntry& e, int value) { setValues({ { e, value } }); }
    // Selects a medium through the status model (a person at the front
    // panel); the lists follow it as after a switch over the wire.
    void selectMedium(const QString& name);
    // Sends "0FF6AF6" + code to every logged-in application.
    void pushNotice(const QString& code);

    // How a set command is answered: with the value answer (the default) or
    // with notice 40; refuseSets > 0 refuses it with that popup code.
    bool answerSetWithNotice = false;
    int refuseSets = 0;
    // A set or a front-panel change that alters another list (STEREO/MONO
    // with REC FORMAT, LEVEL with the input or its gain) keeps that list's
    // value by its text, or takes the first entry when the new list lacks
    // it, as a switch of medium does; otherwise the value keeps its place.
    bool listsKeepTexts = false;
    // Answers made in one pass of the event loop go out as one write.
    bool coalesce = false;
    // After this many more menu answers the link is closed (-1: never).
    int dropAfterAnswers = -1;
    int answers() const { return m_answers; }

private:
    void reply(SimConnection* c, const QString& line);
    void flush();
    QStringList applySet(const SimMenuEntry& e, int value);
    QStringList stereoMonoChoices();
    // The status model's input and phantom power follow the menu's, and the
    // value the set subitem e reports.
    void showOnPanel(const SimMenuEntry& e);
    // Switching to or from CD changes the PLAY AREA and REC FORMAT lists
    // (notice 50), and with REC FORMAT the STEREO/MONO list (notice 51). A
    // value its new list still holds keeps its text; one it lacks becomes
    // the first entry.
    void noteListsBeforeSwitch();
    // The lists that follow other settings, as they are now.
    QList<QPair<SimMenuEntry, QStringList>> dynamicLists();
    // Each of these lists that has changed since keeps its value's text
    // (else the first entry), which the status model reports; the entries
    // whose lists changed.
    QList<SimMenuEntry> keepTexts(const QList<QPair<SimMenuEntry, QStringList>>& lists);
    void linkToPanel(SimMenuSubitem& s, std::function<int(SimPanel&)> get, std::function<void(SimPanel&, int)> set,
                     std::function<QString(SimPanel&)> notice = {});
    void followMedium();

    SimRecorder* m_recorder;
    RecorderState* m_state;
    QList<QPair<QPointer<SimConnection>, QByteArray>> m_pending;
    bool m_flushQueued = false;
    int m_answers = 0;
    int m_menuOfModel = -1; // the model whose realistic menu `pages` holds; -2 a loaded one
    QList<QPair<SimMenuEntry, QStringList>> m_listsBeforeSwitch;
    // What the applications other than the setter hear of the set answered
    // last; empty for none.
    QString m_othersHear;
};

MenuModel* installMenuModel(SimRecorder& recorder);
MenuModel* menuModel(const SimRecorder& recorder);

} // namespace sim
