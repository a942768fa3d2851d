// The walk of the recorder's settings menu: every answer fills one node of
// the tree and asks for the nodes below it; the walk has ended when every
// node is complete. The same machinery fetches a few choice lists again when
// the recorder reports that they changed.
#include "menu.h"

#include <QVariant>

#include "telnet.h"

namespace {

// Pages the application does not show.
const char* const hiddenPages[] = { "PLAYLIST",  "CD",         "MARK LIST", "NETWORK 1", "NETWORK 2",
                                    "FTP CLIENT", "SNTP",      "SYSTEM 1",  "SYSTEM 2" };

} // namespace

void Menu::parseMenuResponse(const QString& text)
{
    MenuAnswer a;
    if (!readMenuAnswer(text, &a))
        return;
    // The quiet spell of a reading of the lists that follow the medium
    // counts from the recorder's last answer.
    if (rebuildingForCd || rebuildingForStereoMono)
        m_mediumListsQuiet.start();
    if (a.code == QLatin1String("01"))
        applySubitemValue(a.page, a.item, a.subitem, a.count);
    else if (a.code == QLatin1String("10"))
        onPageCount(a.count);
    else if (a.code == QLatin1String("20"))
        onPageName(a.page, a.name);
    else if (a.code == QLatin1String("11"))
        onItemCount(a.page, a.count);
    else if (a.code == QLatin1String("21"))
        onItemName(a.page, a.item, a.name);
    else if (a.code == QLatin1String("13"))
        onSubitemCount(a.page, a.item, a.count);
    else if (a.code == QLatin1String("23"))
        onSubitemName(a.page, a.item, a.subitem, a.name);
    else if (a.code == QLatin1String("14"))
        onSubitemInfo(a);
    else if (a.code == QLatin1String("24"))
        onParameterName(a.page, a.item, a.subitem, a.count, a.name);
}

void Menu::onPageCount(int count)
{
    clearMenuTree();
    const quint64 generation = m_generation;
    emit drawingFinishedChanged(false);
    emit menuStarted();
    if (generation != m_generation)
        return;
    for (int i = 0; i < count; ++i) {
        MenuPage p;
        p.id = i;
        pages << p;
    }
    for (int i = 0; i < count; ++i) {
        if (!send(address("20", i, -1, -1)))
            return;
    }
    afterCompletion(); // a menu without pages is complete at once
}

void Menu::onPageName(int i, const QString& name)
{
    MenuPage* p = page(i);
    if (!p)
        return;
    for (const char* hidden : hiddenPages) {
        if (name == QLatin1String(hidden)) {
            p->visible = false;
            p->complete = true;
            afterCompletion();
            return;
        }
    }
    // A name ending in 1 is the first page of a group, "WORD 1" titled WORD;
    // one ending in another digit continues the page before it, untitled.
    const QChar last = name.isEmpty() ? QChar() : name.back();
    QString stored = name;
    if (last == QLatin1Char('1'))
        stored.chop(2);
    else if (last.isDigit() && last.unicode() < 128)
        stored.clear();
    p->name = stored;
    p->visible = true;
    send(address("11", i, -1, -1));
}

void Menu::onItemCount(int i, int count)
{
    MenuPage* p = page(i);
    if (!p || !p->visible || !p->items.isEmpty())
        return; // a page is described once
    if (count <= 0) {
        p->complete = true;
        afterCompletion();
        return;
    }
    for (int j = 0; j < count; ++j) {
        MenuItem it;
        it.id = j;
        p->items << it;
    }
    for (int j = 0; j < count; ++j) {
        if (!send(address("21", i, j, -1)))
            return;
    }
}

void Menu::onItemName(int i, int j, const QString& name)
{
    MenuItem* it = item(i, j);
    if (!it)
        return;
    it->name = name;
    if (name == QLatin1String("REMOTE POWER CONTROL")) {
        it->visible = false;
        it->complete = true;
        if (markItemComplete(i, j))
            afterCompletion();
        return;
    }
    send(address("13", i, j, -1));
}

void Menu::onSubitemCount(int i, int j, int count)
{
    MenuItem* it = item(i, j);
    if (!it || !it->visible || !it->subitems.isEmpty())
        return; // an item is described once
    if (count < 1) {
        if (markItemComplete(i, j))
            afterCompletion();
        return;
    }
    for (int k = 0; k < count; ++k) {
        MenuSubitem s;
        s.id = k;
        it->subitems << s;
    }
    for (int k = 0; k < count; ++k) {
        if (!send(address("23", i, j, k)))
            return;
    }
}

void Menu::onSubitemName(int i, int j, int k, QString name)
{
    MenuSubitem* s = subitem(i, j, k);
    if (!s)
        return;
    const QString& itemName = pages[i].items[j].name;
    const MenuPosition here { i, j, k };
    const MenuPosition itemHere { i, j, 0 };
    enum Test { SubitemBegins, ItemBegins, ItemIs, SubitemContains };
    const struct
    {
        Test test;
        const char* text;
        const char* alsoText;
        MenuPosition* at;
        const char* rename;
    } rules[] = {
        { SubitemBegins, "SD1", nullptr, &sd1Position, nullptr },
        { SubitemBegins, "SD2", nullptr, &sd2Position, nullptr },
        { SubitemBegins, "USB", nullptr, &usbPosition, nullptr },
        { SubitemBegins, "CAPACITY", nullptr, &capacityPosition, nullptr },
        { SubitemBegins, "AVAILABLE", nullptr, &availablePosition, nullptr },
        { SubitemBegins, "FOLDER", nullptr, &folderPosition, nullptr },
        { ItemBegins, "INPUT SELECT", nullptr, &inputSelectPosition, nullptr },
        { SubitemBegins, "INPUT GAIN Lch", nullptr, &inputGainLPosition, nullptr },
        { SubitemBegins, "INPUT GAIN Rch", nullptr, &inputGainRPosition, nullptr },
        { SubitemBegins, "PHANTOM(+48V)Lch", nullptr, &phantomLPosition, nullptr },
        { SubitemBegins, "PHANTOM(+48V)Rch", nullptr, &phantomRPosition, nullptr },
        { SubitemContains, "LEVEL (L)", "LEVEL(L)", &levelLPosition, "LEVEL (L)" },
        { SubitemContains, "LEVEL (R)", "LEVEL(R)", &levelRPosition, "LEVEL (R)" },
        { ItemBegins, "PLAY AREA", nullptr, &playAreaPosition, nullptr },
        { ItemBegins, "REC FORMAT", nullptr, &recFormatPosition, nullptr },
        { ItemBegins, "STEREO/MONO", nullptr, &stereoMonoPosition, nullptr },
        // The front-panel settings in the menu ("KEY" is not "KEY LOCK").
        { ItemBegins, "PLAY MODE", nullptr, &playModePosition, nullptr },
        { ItemIs, "PITCH", nullptr, &pitchPosition, nullptr },
        { ItemIs, "KEY", nullptr, &keyPosition, nullptr },
    };
    for (const auto& rule : rules) {
        bool match = false;
        if (rule.test == SubitemBegins)
            match = name.startsWith(QLatin1String(rule.text));
        else if (rule.test == ItemBegins)
            match = itemName.startsWith(QLatin1String(rule.text));
        else if (rule.test == ItemIs)
            match = itemName == QLatin1String(rule.text);
        else
            match = name.contains(QLatin1String(rule.text)) || name.contains(QLatin1String(rule.alsoText));
        if (match) {
            *rule.at = rule.test == ItemBegins || rule.test == ItemIs ? itemHere : here;
            if (rule.rename)
                name = QLatin1String(rule.rename);
            break;
        }
    }
    s->name = name;
    requestSubitemParameters(i, j, k);
}

// A new count is asked for: the names asked before it are no longer waited
// for, and those asked next follow the count it brings.
void Menu::requestSubitemParameters(int i, int j, int k)
{
    const QString line = address("14", i, j, k);
    if (line.isEmpty() || k < 0)
        return;
    MenuSubitem* s = subitem(i, j, k);
    listChanged(s);
    ++s->infoAsked;
    s->infoAskedAtChange = m_mediumChangesSent;
    s->nameAsked = -1;
    send(line);
}

void Menu::onSubitemInfo(const MenuAnswer& a)
{
    MenuSubitem* s = subitem(a.page, a.item, a.subitem);
    if (!s)
        return;
    // The recorder answers in order: while a later request of the count is
    // on its way, this answer may tell a list that has changed since.
    if (s->infoAsked > 1) {
        --s->infoAsked;
        return;
    }
    s->infoAsked = 0;
    s->parameterCount = a.count;
    s->type = a.type;
    s->readOnly = a.readOnly;
    s->visible = a.visible;
    if (a.type == 1) {
        s->complete = true; // a range has no names
    } else {
        if (!a.visible)
            s->complete = true; // its names are fetched all the same
        s->parameterNames = QStringList();
        listChanged(s);
        if (a.count == 0) {
            s->complete = true;
        } else {
            for (int n = 0; n < a.count; ++n)
                s->parameterNames << QString();
            s->nameAsked = 0;
            const quint64 generation = m_generation;
            send(address("24", a.page, a.item, a.subitem) + QStringLiteral("0000"));
            if (generation != m_generation)
                return;
        }
    }
    if (markItemComplete(a.page, a.item))
        afterCompletion();
}

void Menu::onParameterName(int i, int j, int k, int index, const QString& name)
{
    MenuSubitem* s = subitem(i, j, k);
    if (!s)
        return;
    // A name asked before the count that is on its way: of a list read over.
    if (s->infoAsked > 0)
        return;
    if (index >= s->parameterNames.size()) {
        // An answer that does not fit the list: while data keeps arriving,
        // the LEVEL lists, the ones that change under the user, are fetched
        // again.
        if (telnet && telnet->dataReceived) {
            rebuildingInputLevel = false;
            const quint64 generation = m_generation;
            rebuildParameterForInputLevel();
            if (generation != m_generation)
                return;
            inputChangePending = false;
            telnet->dataReceived = false;
        }
        return;
    }
    // Names are asked for one at a time; any other answer is a repeated one,
    // and taking it would ask for the rest of the list a second time.
    if (index != s->nameAsked)
        return;
    s->nameAsked = -1;
    if (s->parameterNames.at(index) != name) {
        s->parameterNames[index] = name;
        listChanged(s);
    }
    if (index + 1 < s->parameterCount) {
        char field[5] = "0000";
        if (setCommandNumberField(field, index + 1)) {
            s->nameAsked = index + 1;
            send(address("24", i, j, k) + QLatin1String(field));
        }
        return;
    }
    if (!s->complete) {
        s->complete = true;
        if (markItemComplete(i, j))
            afterCompletion();
    } else {
        // Asked again for a complete entry: the recorder's current text.
        setRowProperty(s->object, "readOnlyValue", name);
    }
}

bool Menu::markItemComplete(int i, int j)
{
    MenuItem* it = item(i, j);
    if (!it)
        return false;
    for (const MenuSubitem& s : qAsConst(it->subitems)) {
        if (!s.complete)
            return false;
    }
    it->complete = true;
    MenuPage& p = pages[i];
    for (const MenuItem& other : qAsConst(p.items)) {
        if (!other.complete)
            return false;
    }
    p.complete = true;
    for (const MenuPage& other : qAsConst(pages)) {
        if (!other.complete)
            return false;
    }
    return true;
}

// Runs the end of a walk or of a re-fetch once, when the tree turns
// complete.
void Menu::afterCompletion()
{
    if (m_treeComplete)
        return;
    for (const MenuPage& p : qAsConst(pages)) {
        if (!p.complete)
            return;
    }
    m_treeComplete = true;
    if (!rebuildingInputLevel && !rebuildingForCd && !rebuildingForStereoMono) {
        if (!m_walkDone) {
            m_walkDone = true;
            emit menuCompleted();
        }
        return;
    }
    endRefetches();
}

// A re-fetch refreshes only the rows it affects: the screen is told which
// lists are new, the values are asked again and the drop-downs come back.
void Menu::endRefetches()
{
    const quint64 generation = m_generation;
    if (rebuildingInputLevel) {
        const MenuPosition levels[] = { levelLPosition, levelRPosition };
        for (const MenuPosition& at : levels) {
            if (QObject* row = subitemRow(at))
                emit inputLevelParameterChanged(at.page, at.item, at.subitem, row);
            if (generation != m_generation)
                return;
        }
        for (const MenuPosition& at : levels) {
            if (at.isSet())
                subitemValueRequest(at.page, at.item, at.subitem);
            if (generation != m_generation)
                return;
        }
        for (const MenuPosition& at : levels)
            setRowProperty(subitemRow(at), "visibleComboBox", true);
        rebuildingInputLevel = false;
    }
    if (rebuildingForCd) {
        finishItems({ playAreaPosition, recFormatPosition, stereoMonoPosition });
        if (generation != m_generation)
            return;
        rebuildingForCd = false;
        rebuildingForStereoMono = false;
    } else if (rebuildingForStereoMono) {
        finishItems({ stereoMonoPosition });
        if (generation != m_generation)
            return;
        rebuildingForStereoMono = false;
    }
}

void Menu::finishItems(const QList<MenuPosition>& entries)
{
    const quint64 generation = m_generation;
    for (const MenuPosition& at : entries) {
        if (QObject* row = itemRow(at))
            emit itemParameterChanged(at.page, at.item, row);
        if (generation != m_generation)
            return;
    }
    for (const MenuPosition& at : entries) {
        if (at.isSet())
            subitemValueRequest(at.page, at.item, 0);
        if (generation != m_generation)
            return;
    }
    for (const MenuPosition& at : entries)
        setRowProperty(itemRow(at), "visibleComboBox", true);
}
