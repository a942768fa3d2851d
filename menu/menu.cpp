#include "menu.h"

#include <QVariant>
#include <algorithm>
#include <limits>
#include <optional>

#include "askedvalue.h"
#include "replyorder.h"
#include "telnet.h"

namespace {

QString twoDigitId(int id)
{
    return QString::number(id).rightJustified(2, QLatin1Char('0')) + QStringLiteral("00");
}

// The "comboBoxCurrentIndex" a row shows, or nothing when there is no row.
std::optional<int> shownIndex(QObject* row)
{
    if (!row)
        return std::nullopt;
    bool ok = false;
    const int value = row->property("comboBoxCurrentIndex").toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

Menu::Menu(QObject* parent)
    : QObject(parent)
{
    m_mediumListsQuiet.setSingleShot(true);
    m_mediumListsQuiet.setInterval(3000);
    connect(&m_mediumListsQuiet, &QTimer::timeout, this, &Menu::readStalledListsAgain);
}

void Menu::setDrawingFinished(bool value)
{
    if (value && !m_walkDone)
        return;
    if (value == drawingFinished)
        return;
    drawingFinished = value;
    emit drawingFinishedChanged(value);
    // A medium reported while the rows were being built could not be marked
    // then; the texts of its entries came with the walk.
    if (value) {
        markCurrentMedium();
        if (m_mediumListsStale)
            readMediumListsAgain();
    }
}

void Menu::clearMenuTree()
{
    pages.clear();
    m_mediumListsQuiet.stop();
    ++m_generation;
    drawingFinished = false;
    inputChangePending = false;
    mediumChangePending = false;
    rebuildingInputLevel = false;
    rebuildingForCd = false;
    rebuildingForStereoMono = false;
    m_mediumListsStale = false;
    m_treeComplete = false;
    m_walkDone = false;
    resetPositions();
}

void Menu::resetPositions()
{
    for (MenuPosition* p : { &sd1Position, &sd2Position, &usbPosition, &capacityPosition, &availablePosition,
                             &folderPosition, &inputSelectPosition, &inputGainLPosition, &inputGainRPosition,
                             &phantomLPosition, &phantomRPosition, &levelLPosition, &levelRPosition,
                             &playAreaPosition, &recFormatPosition, &stereoMonoPosition, &playModePosition,
                             &pitchPosition, &keyPosition })
        *p = MenuPosition();
}

// ---------------------------------------------------------------------------
// Tree access: a bad index yields nothing.

MenuPage* Menu::page(int i)
{
    return i >= 0 && i < pages.size() ? &pages[i] : nullptr;
}

const MenuPage* Menu::page(int i) const
{
    return i >= 0 && i < pages.size() ? &pages[i] : nullptr;
}

MenuItem* Menu::item(int i, int j)
{
    MenuPage* p = page(i);
    return p && j >= 0 && j < p->items.size() ? &p->items[j] : nullptr;
}

const MenuItem* Menu::item(int i, int j) const
{
    const MenuPage* p = page(i);
    return p && j >= 0 && j < p->items.size() ? &p->items[j] : nullptr;
}

MenuSubitem* Menu::subitem(int i, int j, int k)
{
    MenuItem* it = item(i, j);
    return it && k >= 0 && k < it->subitems.size() ? &it->subitems[k] : nullptr;
}

const MenuSubitem* Menu::subitem(int i, int j, int k) const
{
    const MenuItem* it = item(i, j);
    return it && k >= 0 && k < it->subitems.size() ? &it->subitems[k] : nullptr;
}

QObject* Menu::itemRow(const MenuPosition& at) const
{
    const MenuItem* it = at.isSet() ? item(at.page, at.item) : nullptr;
    return it ? it->object.data() : nullptr;
}

QObject* Menu::subitemRow(const MenuPosition& at) const
{
    const MenuSubitem* s = at.isSet() ? subitem(at.page, at.item, at.subitem) : nullptr;
    return s ? s->object.data() : nullptr;
}

QObject* Menu::valueRow(const MenuPosition& at) const
{
    const MenuItem* it = at.isSet() ? item(at.page, at.item) : nullptr;
    return it && it->subitems.size() == 1 ? itemRow(at) : subitemRow(at);
}

void Menu::setRowProperty(QObject* row, const char* name, const QVariant& value)
{
    if (row)
        row->setProperty(name, value);
}

QString Menu::getPageName(int i) const
{
    const MenuPage* p = page(i);
    return p ? p->name : QString();
}

void Menu::setPageObject(int i, QObject* obj)
{
    if (MenuPage* p = page(i))
        p->object = obj;
}

QObject* Menu::getPageObject(int i) const
{
    const MenuPage* p = page(i);
    return p ? p->object.data() : nullptr;
}

bool Menu::getPageVisible(int i) const
{
    const MenuPage* p = page(i);
    return p && p->visible;
}

QString Menu::getItemName(int i, int j) const
{
    const MenuItem* it = item(i, j);
    return it ? it->name : QString();
}

void Menu::setItemObject(int i, int j, QObject* obj)
{
    if (MenuItem* it = item(i, j))
        it->object = obj;
}

QObject* Menu::getItemObject(int i, int j) const
{
    const MenuItem* it = item(i, j);
    return it ? it->object.data() : nullptr;
}

int Menu::getMaxItemNumber(int i) const
{
    const MenuPage* p = page(i);
    return p ? p->items.size() : 0;
}

bool Menu::getItemVisible(int i, int j) const
{
    const MenuItem* it = item(i, j);
    return it && it->visible;
}

void Menu::setSubitemObject(int i, int j, int k, QObject* obj)
{
    if (MenuSubitem* s = subitem(i, j, k)) {
        s->object = obj;
        // The row's value requests are counted from the first.
        rangeAsked({ i, j, k });
    }
}

AskedValue* Menu::rangeAsked(const MenuPosition& at)
{
    MenuSubitem* sub = subitem(at.page, at.item, at.subitem);
    if (!sub || sub->type == 0 || !order || item(at.page, at.item)->subitems.size() == 1)
        return nullptr;
    if (sub->asked)
        return sub->asked;
    const QString request = address("01", at.page, at.item, at.subitem);
    if (request.isEmpty())
        return nullptr;
    const QString ids = request.mid(9);
    AskedValue*& asked = m_rangeAsked[ids];
    if (!asked) {
        asked = new AskedValue(this);
        // A value request and a set are answered with the value, by the
        // entry's ids; a set may be refused.
        const QByteArray reply = "FF6AFA01" + ids.toLatin1();
        order->track(request.toLatin1().constData(), request.size(), reply.constData(), asked);
        const QByteArray set = address("03", at.page, at.item, at.subitem).toLatin1();
        order->track(set.constData(), set.size() + 4, reply.constData(), asked, true, "FF6AFAF0");
        asked->requery = [this, request] {
            send(request);
            return true;
        };
        const AskedValue* value = asked;
        connect(asked, &AskedValue::settled, this, [this, value] { releaseRange(value); });
    }
    sub->asked = asked;
    return asked;
}

void Menu::releaseRange(const AskedValue* asked)
{
    for (MenuPage& pg : pages) {
        for (MenuItem& it : pg.items) {
            for (MenuSubitem& sub : it.subitems) {
                if (sub.asked == asked)
                    setRowProperty(sub.object, "held", false);
            }
        }
    }
}

QObject* Menu::getSubitemObject(int i, int j, int k) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s ? s->object.data() : nullptr;
}

QString Menu::getSubitemName(int i, int j, int k) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s ? s->name : QString();
}

int Menu::getMaxSubitemNumber(int i, int j) const
{
    const MenuItem* it = item(i, j);
    return it ? it->subitems.size() : 0;
}

int Menu::getVisibleSubitemNumber(int i, int j) const
{
    const MenuItem* it = item(i, j);
    if (!it)
        return 0;
    int n = 0;
    for (const MenuSubitem& s : it->subitems)
        n += s.visible ? 1 : 0;
    return n;
}

int Menu::getSubitemType(int i, int j, int k) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s ? s->type : 0;
}

bool Menu::getSubitemReadOnly(int i, int j, int k) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s && s->readOnly;
}

bool Menu::getSubitemVisible(int i, int j, int k) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s && s->visible;
}

QString Menu::getSubitemParameterName(int i, int j, int k, int l) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s ? s->parameterNames.value(l) : QString();
}

int Menu::getMaxSubitemParameterNumber(int i, int j, int k) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s ? s->parameterNames.size() : 0;
}

int Menu::getSubitemListGeneration(int i, int j, int k) const
{
    const MenuSubitem* s = subitem(i, j, k);
    return s ? s->listGeneration : -1;
}

void Menu::listChanged(MenuSubitem* sub)
{
    m_listChanges = m_listChanges == std::numeric_limits<int>::max() ? 0 : m_listChanges + 1;
    sub->listGeneration = m_listChanges;
}

// ---------------------------------------------------------------------------
// Commands

bool Menu::send(const QString& line)
{
    const quint64 generation = m_generation;
    if (telnet)
        telnet->sendData((line.toLatin1() + "\r\n").constData());
    return generation == m_generation;
}

// "07F6A7A" + code + the ids of the page, item and subitem, as far as given;
// empty when an entry does not exist or its id cannot be written.
QString Menu::address(const char* code, int p, int i, int s) const
{
    QString line = QStringLiteral("07F6A7A") + QLatin1String(code);
    const int ids[] = { p, i, s };
    const MenuPage* pg = page(p);
    if (!pg)
        return QString();
    int id[3] = { pg->id, -1, -1 };
    if (i >= 0) {
        const MenuItem* it = item(p, i);
        if (!it)
            return QString();
        id[1] = it->id;
    }
    if (s >= 0) {
        const MenuSubitem* sub = subitem(p, i, s);
        if (!sub)
            return QString();
        id[2] = sub->id;
    }
    for (int k = 0; k < 3 && ids[k] >= 0; ++k) {
        if (id[k] < 0 || id[k] > 99)
            return QString();
        line += twoDigitId(id[k]);
    }
    return line;
}

// Every value request is counted on its entry until an answer comes: until
// then the row may show a value the recorder no longer holds.
void Menu::subitemValueRequest(int pageNum, int itemNum, int subitemNum)
{
    const QString line = address("01", pageNum, itemNum, subitemNum);
    if (line.isEmpty() || subitemNum < 0)
        return;
    noteValueAsked(subitem(pageNum, itemNum, subitemNum), { pageNum, itemNum, subitemNum });
    send(line);
}

void Menu::noteValueAsked(MenuSubitem* sub, const MenuPosition& at)
{
    ++sub->valuesAsked;
    ++sub->linesInFlight;
    if (sub->type == 0 && panelSettingAt(at) >= 0)
        setRowProperty(valueRow(at), "oldIndex", -1);
}

int Menu::panelSettingAt(const MenuPosition& at) const
{
    const MenuPosition* positions[] = { &playAreaPosition, &playModePosition, &pitchPosition, &keyPosition };
    for (int setting = PlayArea; setting <= Key; ++setting) {
        if (positions[setting]->isSet() && *positions[setting] == at)
            return setting;
    }
    return -1;
}

int Menu::shownSettingAt(const MenuPosition& at) const
{
    const int panel = panelSettingAt(at);
    if (panel >= 0)
        return panel;
    const struct
    {
        const MenuPosition& at;
        ShownSetting setting;
    } found[] = {
        { inputSelectPosition, InputSelect }, { inputGainLPosition, InputGain }, { inputGainRPosition, InputGain },
        { phantomLPosition, Phantom },        { phantomRPosition, Phantom },     { recFormatPosition, RecFormat },
        { stereoMonoPosition, StereoMono },
    };
    for (const auto& f : found) {
        if (f.at.isSet() && f.at == at)
            return f.setting;
    }
    // The others by the item's whole name ("AUTO TRACK", not "AUTO TRACK
    // LEVEL"), each an item of one subitem.
    static const struct
    {
        const char* name;
        ShownSetting setting;
    } named[] = {
        { "MONO MIX", MonoMix },   { "AGC", Agc },                     { "DYNAMICS", Dynamics },
        { "LOW CUT", LowCut },     { "AUTO TRACK", AutoTrack },        { "SYNC REC", SyncRec },
        { "AUTO MARK", AutoMark }, { "DIGITAL IN SRC", DigitalInSrc }, { "REPEAT", Repeat },
        { "AUTO CUE", AutoCue },   { "AUTO READY", AutoReady },        { "INCR PLAY", IncrPlay },
        { "BACKUP RELAY", BackupRelay },
    };
    const MenuItem* it = item(at.page, at.item);
    if (!it)
        return -1;
    for (const auto& n : named) {
        if (it->subitems.size() == 1 && it->name == QLatin1String(n.name))
            return n.setting;
    }
    // A recorder may name its items otherwise: what a pick of another list
    // may change is read in full.
    return OtherSetting;
}

void Menu::panelSettingChanged(PanelSetting setting)
{
    const MenuPosition at = setting == PlayArea ? playAreaPosition
        : setting == PlayMode                   ? playModePosition
        : setting == Pitch                      ? pitchPosition
                                                : keyPosition;
    if (drawingFinished && subitem(at) && valueRow(at))
        subitemValueRequest(at.page, at.item, at.subitem);
}

void Menu::changedCommandMenuData()
{
    QStringList lines;
    for (int p = 0; p < pages.size(); ++p) {
        for (int i = 0; i < pages[p].items.size(); ++i) {
            QList<MenuSubitem>& subitems = pages[p].items[i].subitems;
            for (int s = 0; s < subitems.size(); ++s) {
                if ((subitems[s].type == 0 || subitems[s].type == 1) && subitems[s].visible) {
                    lines << address("01", p, i, s);
                    if (!lines.last().isEmpty())
                        noteValueAsked(&subitems[s], { p, i, s });
                }
            }
        }
    }
    for (const QString& line : qAsConst(lines)) {
        if (!line.isEmpty() && !send(line))
            return;
    }
}

// Whether a pick of `value` at `at` must be confirmed first: it would leave a
// channel on the balanced input with a gain other than 0 and phantom power
// on. The rule that governs the pick reads only values the recorder has told:
// while a row it reads has none (no row, the count of choices a new row holds,
// or a value asked again and not answered yet), it asks. An entry the menu
// does not have tells nothing and asks for nothing.
bool Menu::needsConfirmation(const MenuPosition& at, int value) const
{
    enum { Sel = 1, GainL = 2, GainR = 4, PhantomL = 8, PhantomR = 16 };
    int unread = 0;
    const auto read = [&](const MenuPosition& position, bool itemRowOf, int flag) -> std::optional<int> {
        const MenuSubitem* s = position.isSet() ? subitem(position.page, position.item, position.subitem) : nullptr;
        if (!s)
            return std::nullopt;
        const auto shown = shownIndex(itemRowOf ? itemRow(position) : s->object.data());
        if (shown && s->valuesAsked == 0 && *shown >= 0 && *shown < s->parameterNames.size())
            return shown;
        unread |= flag;
        return std::nullopt;
    };
    const auto sel = read(inputSelectPosition, true, Sel);
    const auto gl = read(inputGainLPosition, false, GainL);
    const auto gr = read(inputGainRPosition, false, GainR);
    const auto pl = read(phantomLPosition, false, PhantomL);
    const auto pr = read(phantomRPosition, false, PhantomR);
    const auto is = [](const std::optional<int>& v, int x) { return v && *v == x; };
    const auto nonZero = [](const std::optional<int>& v) { return v && *v != 0; };
    const struct
    {
        const MenuPosition& at;
        bool applies;
        int reads;
        bool confirm;
    } rules[] = {
        { inputSelectPosition, value == 1, GainL | PhantomL | GainR | PhantomR,
          (nonZero(gl) && is(pl, 1)) || (nonZero(gr) && is(pr, 1)) },
        { inputGainLPosition, value != 0, Sel | PhantomL, is(sel, 1) && is(pl, 1) },
        { inputGainRPosition, value != 0, Sel | PhantomR, is(sel, 1) && is(pr, 1) },
        { phantomLPosition, value == 1, Sel | GainL, is(sel, 1) && nonZero(gl) },
        { phantomRPosition, value == 1, Sel | GainR, is(sel, 1) && nonZero(gr) },
    };
    for (const auto& rule : rules) {
        if (rule.at == at && rule.applies)
            return (rule.reads & unread) != 0 || rule.confirm;
    }
    return false;
}

// Whether a pick at `at` must wait for a list being read again: one of its
// own, or one the pick would change under that reading.
bool Menu::listBeingRead(const MenuPosition& at) const
{
    const auto any = [&at](std::initializer_list<const MenuPosition*> entries) {
        return std::any_of(entries.begin(), entries.end(), [&at](const MenuPosition* e) { return *e == at; });
    };
    return (rebuildingInputLevel
            && any({ &levelLPosition, &levelRPosition, &inputSelectPosition, &inputGainLPosition, &inputGainRPosition }))
        || (rebuildingForCd && any({ &playAreaPosition, &recFormatPosition }))
        || (rebuildingForStereoMono && any({ &stereoMonoPosition, &recFormatPosition }));
}

bool Menu::holdsChoice(const MenuPosition& at, int index, const QString& choice, int list) const
{
    const MenuSubitem* s = subitem(at.page, at.item, at.subitem);
    return s && s->complete && s->listGeneration == list && index >= 0 && index < s->parameterNames.size()
        && s->parameterNames.at(index) == choice;
}

bool Menu::followsMedium(const MenuPosition& at) const
{
    return at == playAreaPosition || at == recFormatPosition || at == stereoMonoPosition;
}

void Menu::changedSubitemObjectValue(int p, int i, int s, int value, int type)
{
    // Rows left over from an earlier tree stay on screen while a new walk
    // runs; their numbers would name entries of the new tree.
    if (!drawingFinished || !subitem(p, i, s))
        return;
    QString line = address("03", p, i, s);
    char field[5] = "0000";
    if (line.isEmpty() || !setCommandNumberField(field, value))
        return;
    line += QLatin1String(field);
    const MenuPosition at { p, i, s };

    if (type == 0 && needsConfirmation(at, value)) {
        emit phantomOnPopup(p, i, s, value);
        return;
    }
    if (listBeingRead(at)) {
        subitemValueRequest(p, i, s); // puts the row back
        return;
    }
    // A LEVEL pick after a change of the input or its gain that has gone out
    // but not been followed by a fresh reading of the LEVEL lists: the
    // recorder may already hold other lists. They are read now, behind that
    // change, rather than when its answer comes, which may never happen; the
    // rows then show the recorder's values in the lists read.
    if (inputChangePending && (levelLPosition == at || levelRPosition == at)) {
        const quint64 generation = m_generation;
        rebuildParameterForInputLevel();
        if (generation == m_generation)
            inputChangePending = false;
        return;
    }
    // The same for the lists that follow the medium after a change of medium
    // from the home tab.
    if (mediumChangePending && followsMedium(at)) {
        const quint64 generation = m_generation;
        readMediumListsAgain();
        if (generation == m_generation)
            mediumChangePending = false;
        return;
    }
    if (inputSelectPosition == at || inputGainLPosition == at || inputGainRPosition == at)
        inputChangePending = true;
    // Noted before it goes: its answer may come while it is being written.
    MenuSubitem* sub = subitem(p, i, s);
    ++sub->linesInFlight;
    AskedValue* range = rangeAsked(at);
    const int setting = sub->type == 0 ? shownSettingAt(at) : -1;
    const QString choice = sub->parameterNames.value(value);
    if (!send(line))
        return;
    if (range) {
        // The knob stands where the user put it until the set's answer.
        range->asked(value * 10 - 1000);
        setRowProperty(subitemRow(at), "held", true);
    }
    if (setting >= 0)
        emit panelSettingSent(setting, choice, value);
    // The STEREO/MONO choices follow the format. Read right behind the
    // change, they are the ones it leaves, whether they changed or not; the
    // recorder's notice of a new list, arriving meanwhile, is then ignored.
    if (recFormatPosition == at)
        rebuildParameterForStereoMono();
}

// The row's list may be one the menu has read again since (the row is filled
// anew once that reading ends), and a tap may reach an entry the drop-down
// still showed of a list it had replaced, an entry then at no place in any
// list: the number tapped names the entry only in the list the row was
// filled from. A pick that waits for the phantom-power question goes later
// as a number alike: the lists it concerns are read only by a walk, which
// ends the question.
void Menu::changedSubitemChoice(int p, int i, int s, int index, const QString& choice, int list)
{
    if (!drawingFinished || !subitem(p, i, s))
        return;
    if (holdsChoice({ p, i, s }, index, choice, list))
        changedSubitemObjectValue(p, i, s, index, 0);
    else
        subitemValueRequest(p, i, s); // puts the row back
}

void Menu::applySubitemValue(int p, int i, int s, int value)
{
    MenuSubitem* sub = subitem(p, i, s);
    if (!sub)
        return;
    sub->valuesAsked = qMax(0, sub->valuesAsked - 1);
    sub->linesInFlight = qMax(0, sub->linesInFlight - 1);
    const MenuPosition at { p, i, s };
    const bool single = item(p, i)->subitems.size() == 1;
    const bool choice = sub->type == 0;
    // A change of the input or its gain, once reported, starts the fresh
    // fetch of the LEVEL lists. A row not yet told any value holds the count
    // of choices, and a missing row tells nothing.
    const bool followsInput = single ? inputSelectPosition == at
                                     : choice && (inputGainLPosition == at || inputGainRPosition == at);
    if (followsInput) {
        const int choices = single ? item(p, i)->subitems.first().parameterNames.size() : sub->parameterNames.size();
        const auto cur = shownIndex(single ? itemRow(at) : subitemRow(at));
        if (cur && (*cur != value || inputChangePending) && *cur != choices) {
            const quint64 generation = m_generation;
            rebuildParameterForInputLevel();
            if (generation != m_generation)
                return;
            inputChangePending = false;
        }
    }
    // A front-panel setting with more reads or sets on their way may have
    // changed since this report: a pick of what it shows goes all the same.
    const int known = choice && panelSettingAt(at) >= 0 && sub->linesInFlight > 0 ? -1 : value;
    if (single) {
        QObject* row = itemRow(at);
        setRowProperty(row, "comboBoxCurrentIndex", value);
        setRowProperty(row, "oldIndex", known);
    } else if (choice) {
        QObject* row = subitemRow(at);
        setRowProperty(row, "oldIndex", known);
        setRowProperty(row, "comboBoxCurrentIndex", value);
    } else {
        const int ms = value * 10 - 1000;
        QObject* row = subitemRow(at);
        // A report older than the user's last set shows in the texts only.
        if (sub->asked && sub->asked->waiting()) {
            setRowProperty(row, "rangeData", ms);
            return;
        }
        setRowProperty(row, "oldIndex", ms);
        setRowProperty(row, "rangeData", ms);
        setRowProperty(row, "held", false);
    }
}

void Menu::updateCurrentMediaMenuText(const QString& media)
{
    m_currentMedia = media;
    if (!drawingFinished)
        return;
    markCurrentMedium();
    QStringList lines;
    for (const MenuPosition* at : { &capacityPosition, &availablePosition, &folderPosition }) {
        if (MenuSubitem* s = subitem(*at)) {
            s->nameAsked = 0;
            lines << address("24", at->page, at->item, at->subitem) + QStringLiteral("0000");
        }
    }
    for (const QString& line : qAsConst(lines)) {
        if (!send(line))
            return;
    }
}

void Menu::mediumChangeSent()
{
    if (!mediumChangePending)
        m_mediumBeforeChange = m_currentMedia;
    mediumChangePending = true;
    ++m_mediumChangesSent;
    // A reading of these lists under way went out, in part, before the
    // change: it starts again behind it.
    if (rebuildingForCd || rebuildingForStereoMono)
        readMediumListsAgain();
}

// The recorder answers in order: the notices the changes cause come after the
// last of them went out, and so does any reading they start. A reading begun
// before it has been marked to be repeated.
void Menu::mediumAnswered(const QString& medium)
{
    if (!mediumChangePending)
        return;
    mediumChangePending = false;
    if (medium != m_mediumBeforeChange)
        readMediumListsAgain();
}

// Reads the PLAY AREA, REC FORMAT and STEREO/MONO lists, behind everything
// sent so far, and holds picks on them meanwhile. While the menu is not drawn
// it is done once it is.
void Menu::readMediumListsAgain()
{
    if (!drawingFinished) {
        m_mediumListsStale = true;
        return;
    }
    m_mediumListsStale = false;
    readListsOfMedium({ playAreaPosition, recFormatPosition, stereoMonoPosition }, false);
}

void Menu::readListsOfMedium(const QList<MenuPosition>& entries, bool changed)
{
    QList<MenuPosition> ask;
    for (const MenuPosition& at : entries) {
        const MenuSubitem* s = subitem(at);
        if (!s)
            continue;
        bool& inReading = at == stereoMonoPosition ? rebuildingForStereoMono : rebuildingForCd;
        const bool current = inReading && s->infoAskedAtChange == m_mediumChangesSent && (s->infoAsked > 0 || !changed);
        inReading = true;
        if (!current)
            ask << at;
    }
    if (!ask.isEmpty())
        m_mediumListsQuiet.start();
    refetchLists(ask, true);
}

void Menu::readStalledListsAgain()
{
    QList<MenuPosition> ask;
    for (const MenuPosition& at : { playAreaPosition, recFormatPosition, stereoMonoPosition }) {
        MenuSubitem* s = subitem(at);
        const bool inReading = at == stereoMonoPosition ? rebuildingForStereoMono : rebuildingForCd;
        if (s && inReading && !s->complete) {
            s->infoAsked = 0; // lost, or never to come
            ask << at;
        }
    }
    refetchLists(ask, true);
}

// "(CURRENT)" after the name of the medium last reported, on its row only.
void Menu::markCurrentMedium()
{
    const struct
    {
        const MenuPosition& at;
        QString name;
    } rows[] = { { sd1Position, QStringLiteral("SD1") },
                 { sd2Position, QStringLiteral("SD2") },
                 { usbPosition, QStringLiteral("USB") } };
    for (const auto& row : rows)
        setRowProperty(subitemRow(row.at), "menuText",
                       row.name == m_currentMedia ? row.name + QStringLiteral("(CURRENT)") : row.name);
}

// Empties the lists of the entries for a fresh fetch, hides the drop-downs
// of the rows that show them (item rows or subitem rows) and asks for them
// again.
void Menu::refetchLists(const QList<MenuPosition>& entries, bool itemRows)
{
    for (const MenuPosition& at : entries) {
        MenuSubitem* s = subitem(at);
        if (!s)
            continue;
        s->parameterCount = 0;
        s->parameterNames.clear();
        listChanged(s);
        s->complete = false;
        pages[at.page].items[at.item].complete = false;
        pages[at.page].complete = false;
        m_treeComplete = false;
        setRowProperty(itemRows ? itemRow(at) : subitemRow(at), "visibleComboBox", false);
    }
    const quint64 generation = m_generation;
    for (const MenuPosition& at : entries) {
        if (generation != m_generation)
            return;
        if (subitem(at))
            requestSubitemParameters(at.page, at.item, at.subitem);
    }
}

void Menu::rebuildParameterForCd()
{
    if (drawingFinished)
        readListsOfMedium({ playAreaPosition, recFormatPosition }, true);
}

void Menu::rebuildParameterForStereoMono()
{
    if (drawingFinished)
        readListsOfMedium({ stereoMonoPosition }, true);
}

void Menu::rebuildParameterForInputLevel()
{
    if (!drawingFinished || !(subitem(levelLPosition) || subitem(levelRPosition)))
        return;
    rebuildingInputLevel = true;
    refetchLists({ levelLPosition, levelRPosition }, false);
}
