#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

// Where a named entry of the settings menu is: page, item and subitem index.
// An unset position names no entry at all.
class AskedValue;

struct MenuPosition
{
    int page = -1;
    int item = -1;
    int subitem = -1;

    bool isSet() const { return page >= 0; }
    bool is(int p, int i, int s) const { return isSet() && page == p && item == i && subitem == s; }
    bool operator==(const MenuPosition& o) const { return page == o.page && item == o.item && subitem == o.subitem; }
};

struct MenuSubitem
{
    QString name;
    QPointer<QObject> object; // the row drawn for it; gone when the row is destroyed
    QStringList parameterNames;
    // Which list parameterNames holds: a new number (Menu's count of them)
    // whenever the list is asked for again or one of its names changes. A
    // row filled from the list keeps the number it was filled at.
    int listGeneration = 0;
    int id = 0;
    int parameterCount = 0;
    int type = 0; // 0 choice list, 1 range in milliseconds
    bool readOnly = false;
    bool visible = false; // until the recorder describes it
    bool complete = false;
    int nameAsked = -1; // the parameter name asked for and not answered yet; -1 none
    // Subitem-info requests sent whose answers have not come yet: only the
    // answer to the last one counts, and no name answer counts before it.
    int infoAsked = 0;
    // How many changes of medium had gone out when the last subitem-info
    // request was sent (Menu's count of them).
    quint64 infoAskedAtChange = 0;
    int valuesAsked = 0; // value requests sent whose answers have not come yet
    int linesInFlight = 0; // value requests and sets sent whose reports have not come yet
    // A range entry's knob: the user's last set while its answer is on its
    // way, in the recorder's order of answers (Menu::rangeAsked).
    AskedValue* asked = nullptr;
};

struct MenuItem
{
    QString name;
    QPointer<QObject> object;
    QList<MenuSubitem> subitems;
    int id = 0;
    bool visible = true;
    bool complete = false;
};

struct MenuPage
{
    QString name;
    QPointer<QObject> object;
    QList<MenuItem> items;
    int id = 0;
    bool visible = false; // until its name arrives
    bool complete = false;
};

// One answer of the recorder's settings menu, as read from the text after
// "FF6AFA". Which fields mean something depends on the code.
struct MenuAnswer
{
    QString code;
    int page = 0;
    int item = 0;
    int subitem = 0;
    int count = 0; // children announced, parameter count, parameter index or value
    int type = 0;
    bool readOnly = false;
    bool visible = false;
    QString name;
};

// Reads one menu answer. False for an unknown code, an answer shorter than its
// fixed part (a value answer must be exactly 18 characters) or a number field
// that is not all digits.
bool readMenuAnswer(const QString& text, MenuAnswer* answer);
