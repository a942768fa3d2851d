#include "menumodel.h"

#include "recorderstate.h"
#include "simrecorder.h"

#include <algorithm>
#include <utility>

namespace sim {

namespace {

SimMenuSubitem choice(const QString& name, const QStringList& choices, int value = 0)
{
    SimMenuSubitem s;
    s.name = name;
    s.choices = choices;
    s.value = value;
    return s;
}

SimMenuSubitem range(const QString& name, int value = 100)
{
    SimMenuSubitem s;
    s.name = name;
    s.type = 1;
    s.value = value;
    return s;
}

// An item of one choice subitem named like the item.
SimMenuItem single(const QString& name, const QStringList& choices, int value = 0)
{
    return SimMenuItem { name, { choice(name, choices, value) } };
}

QStringList offOn()
{
    return { QStringLiteral("OFF"), QStringLiteral("ON") };
}

// "first" .. "last" in steps, each with the unit appended.
QStringList steps(int first, int last, int step, const QString& unit, bool sign = false)
{
    QStringList list;
    for (int v = first; step > 0 ? v <= last : v >= last; v += step)
        list << (sign && v > 0 ? QStringLiteral("+") : QString()) + QString::number(v) + unit;
    return list;
}

const QStringList wavFormats = { "WAV 16bit 44.1kHz", "WAV 16bit 48kHz", "WAV 24bit 44.1kHz", "WAV 24bit 48kHz",
                                 "WAV 24bit 96kHz" };
const QStringList mp3Formats = { "MP3 64kbps 44.1kHz", "MP3 128kbps 44.1kHz", "MP3 192kbps 44.1kHz",
                                 "MP3 256kbps 44.1kHz", "MP3 320kbps 44.1kHz" };

// The record-format report of a REC FORMAT choice: the format (0 WAV or
// CD-DA, 1 MP3) plus 8 at 48 kHz, or 16 alone at 96 kHz.
int recordFormatCode(const QString& choice)
{
    if (choice.contains(QLatin1String("96kHz")))
        return 16;
    return (choice.startsWith(QLatin1String("MP3")) ? 1 : 0) + (choice.contains(QLatin1String("48kHz")) ? 8 : 0);
}

// A report that is on for any choice but OFF.
std::function<void(SimPanel&, int, const QString&)> onUnlessOff(bool SimPanel::*field)
{
    return [field](SimPanel& p, int, const QString& text) { p.*field = text != QLatin1String("OFF"); };
}

} // namespace

MenuModel::MenuModel(SimRecorder* recorder, RecorderState* state)
    : QObject(recorder)
    , m_recorder(recorder)
    , m_state(state)
{
    setObjectName(QStringLiteral("menuModel"));
    pages = realisticMenu(recorder->model);
    m_menuOfModel = recorder->model;
    if (state) {
        connect(state, &RecorderState::mediumChanging, this, &MenuModel::noteListsBeforeSwitch);
        connect(state, &RecorderState::mediumChanged, this, &MenuModel::followMedium);
    }
}

// The subitem takes its value from the panel; a set tells the others what a
// set over the front-panel line does: notice, or by default that the status
// changed.
void MenuModel::linkToPanel(SimMenuSubitem& s, std::function<int(SimPanel&)> get,
                            std::function<void(SimPanel&, int)> set, std::function<QString(SimPanel&)> notice)
{
    if (!m_state)
        return;
    RecorderState* state = m_state;
    s.panelValue = [state, get] { return get(state->panel); };
    s.setPanelValue = [state, set](int v) { set(state->panel, v); };
    s.othersHear = [state, notice] { return notice ? notice(state->panel) : QStringLiteral("0F600"); };
}

MenuModel* installMenuModel(SimRecorder& recorder)
{
    if (MenuModel* existing = menuModel(recorder))
        return existing;
    auto* menu = new MenuModel(&recorder, statusModel(recorder));
    recorder.addCommandHandler(
        [menu](SimConnection* connection, const QString& line) { return menu->handleCommand(connection, line); });
    return menu;
}

MenuModel* menuModel(const SimRecorder& recorder)
{
    return recorder.findChild<MenuModel*>(QStringLiteral("menuModel"), Qt::FindDirectChildrenOnly);
}

// The menus of both models; the model is read when the tree is made, and the
// page of the CD drive exists on KZ-470DUAL only.
QList<SimMenuPage> MenuModel::realisticMenu(int model)
{
    auto onCd = [this] { return m_state && m_state->currentMediumName() == QLatin1String("CD"); };
    auto valueOf = [this](const QString& itemName, const QString& subitemName) {
        const SimMenuSubitem* s = subitem(find(itemName, subitemName));
        return s ? s->current() : 0;
    };
    // The input level lists follow the input and its gain.
    auto levels = [valueOf](const QString& gain) {
        return [valueOf, gain] {
            const int input = valueOf(QStringLiteral("INPUT SELECT"), QString());
            if (input >= 2)
                return steps(-20, 0, 1, QStringLiteral("dBFS"));
            if (valueOf(QStringLiteral("INPUT GAIN"), gain) == 0)
                return steps(-12, 12, 1, QStringLiteral("dB"), true);
            return steps(-70, -30, 2, QStringLiteral("dB"));
        };
    };
    SimMenuSubitem levelL = choice(QStringLiteral("INPUT LEVEL(L)"), {}, 12);
    levelL.dynamicChoices = levels(QStringLiteral("INPUT GAIN Lch"));
    SimMenuSubitem levelR = choice(QStringLiteral("INPUT LEVEL(R)"), {}, 12);
    levelR.dynamicChoices = levels(QStringLiteral("INPUT GAIN Rch"));

    SimMenuItem playArea = single(QStringLiteral("PLAY AREA"), {});
    playArea.subitems[0].dynamicChoices = [onCd] {
        return onCd() ? QStringList { "ALL" } : QStringList { "ALL", "FOLDER", "PLAYLIST" };
    };
    SimMenuItem recFormat = single(QStringLiteral("REC FORMAT"), {}, 1);
    recFormat.subitems[0].dynamicChoices = [onCd] { return onCd() ? QStringList { "CD-DA" } : wavFormats + mp3Formats; };
    SimMenuItem stereoMono = single(QStringLiteral("STEREO/MONO"), {});
    stereoMono.subitems[0].dynamicChoices = [valueOf] {
        return valueOf(QStringLiteral("REC FORMAT"), QString()) >= wavFormats.size()
            ? QStringList { "STEREO", "JOINT STEREO", "MONO" }
            : QStringList { "STEREO", "MONO" };
    };

    SimMenuItem playMode = single(QStringLiteral("PLAY MODE"), { "CONTINUE", "SINGLE", "PROGRAM", "RANDOM" });
    SimMenuItem pitch = single(QStringLiteral("PITCH"), offOn());
    SimMenuItem key = single(QStringLiteral("KEY"), steps(-6, 6, 1, "", true), 6);
    linkToPanel(playArea.subitems[0], [](SimPanel& p) { return p.playArea; },
                [](SimPanel& p, int v) { p.playArea = v; });
    // The panel's mode codes, by the menu's order of choices.
    static const int modes[] = { 0, 1, 4, 6 };
    linkToPanel(playMode.subitems[0], [](SimPanel& p) { return p.playMode == 6 ? 3 : p.playMode >= 4 ? 2 : p.playMode; },
                [](SimPanel& p, int v) { p.playMode = modes[qBound(0, v, 3)]; },
                [](SimPanel& p) { return QStringLiteral("0CE0") + QString::number(p.playMode); });
    linkToPanel(pitch.subitems[0], [](SimPanel& p) { return p.pitchOn ? 1 : 0; },
                [](SimPanel& p, int v) { p.pitchOn = v == 1; });
    linkToPanel(key.subitems[0], [](SimPanel& p) { return qBound(-6, p.key, 6) + 6; },
                [](SimPanel& p, int v) { p.key = v - 6; });

    // The medium information shows the current medium's figures.
    auto info = [this](const QString& name, std::function<QString(const QString&)> text) {
        SimMenuSubitem s = choice(name, {});
        s.readOnly = true;
        s.dynamicChoices = [this, text] { return QStringList { text(m_state ? m_state->currentMediumName() : QString()) }; };
        return s;
    };
    const SimMenuItem mediaInfo { QStringLiteral("MEDIA INFO"),
                                  { info(QStringLiteral("CAPACITY"), [](const QString& m) { return m == "USB" ? "64GB" : "32GB"; }),
                                    info(QStringLiteral("AVAILABLE"),
                                         [](const QString& m) { return m == "SD1" ? "12.5GB" : m == "SD2" ? "30.1GB" : "60.0GB"; }),
                                    info(QStringLiteral("FOLDER"),
                                         [](const QString& m) { return m == "SD1" ? "LIVE" : QString("ROOT"); }) } };
    const QStringList formatChoices = { "---", "QUICK FORMAT", "FULL FORMAT" };

    SimMenuSubitem service = choice(QStringLiteral("SERVICE MODE"), offOn());
    service.visible = false;

    QList<SimMenuPage> menu = {
        { "INPUT 1",
          { single("INPUT SELECT", { "ANALOG UNBAL", "ANALOG BAL", "DIGITAL COAX", "DIGITAL XLR", "CARD" }),
            { "INPUT GAIN", { choice("INPUT GAIN Lch", { "LINE", "MIC LOW", "MIC MID", "MIC HIGH" }),
                              choice("INPUT GAIN Rch", { "LINE", "MIC LOW", "MIC MID", "MIC HIGH" }) } },
            { "PHANTOM(+48V)", { choice("PHANTOM(+48V)Lch", offOn()), choice("PHANTOM(+48V)Rch", offOn()) } } } },
        { "INPUT 2",
          { { "INPUT LEVEL", { levelL, levelR } },
            { "INPUT DELAY", { range("DELAY Lch"), range("DELAY Rch") } },
            single("DIGITAL IN SRC", offOn()) } },
        { "INPUT 3",
          { single("AGC", offOn()), single("DYNAMICS", { "OFF", "LIMITER", "COMPRESSOR" }),
            single("LOW CUT", { "OFF", "40Hz", "80Hz", "120Hz" }), single("MONO MIX", offOn()) } },
        { "REC 1", { recFormat, stereoMono, single("FILE NAME", { "DATE", "USER WORD" }), single("PRE REC", offOn()) } },
        { "REC 2",
          { single("AUTO TRACK", { "OFF", "LEVEL", "TIME", "DIGITAL" }),
            single("AUTO TRACK LEVEL", steps(-24, -72, -6, "dB")), single("AUTO TRACK TIME", steps(1, 60, 1, "min")) } },
        { "REC 3",
          { single("SYNC REC", offOn()), single("SYNC REC LEVEL", steps(-24, -72, -6, "dB")),
            single("AUTO MARK", offOn()), single("MARK LEVEL", steps(-24, -72, -6, "dB")) } },
        { "PLAY 1", { playArea, playMode, single("REPEAT", offOn()) } },
        { "PLAY 2",
          { single("AUTO CUE", { "OFF", "-72dB", "-66dB", "-60dB", "-54dB", "-48dB", "-42dB", "-36dB", "-30dB", "-24dB" }),
            single("AUTO READY", offOn()), single("INCR PLAY", offOn()), pitch, key } },
        { "PLAY 3", { { "OUTPUT DELAY", { range("OUT DELAY Lch"), range("OUT DELAY Rch") } },
                      single("OUTPUT ATT", steps(0, -20, -1, "dB")) } },
        { "MEDIA 1", { { "MEDIA FORMAT", { choice("SD1", formatChoices), choice("SD2", formatChoices), choice("USB", formatChoices) } },
                       mediaInfo } },
        { "MEDIA 2", { single("BACKUP RELAY", { "OFF", "SD1>SD2", "SD1>USB", "SD2>USB" }), single("AUTO FORMAT", offOn()) } },
        { "PLAYLIST", { single("PLAYLIST EDIT", offOn()) } },
        { "MARK LIST", { single("MARK LIST", offOn()) } },
        { "REMOTE 1",
          { single("REMOTE POWER CONTROL", offOn()), single("RS-232C BAUD", { "4800", "9600", "19200", "38400", "57600", "115200" }),
            single("PARALLEL", { "PLAY", "REC", "MARK", "FLASH START" }), single("FADER START", offOn()) } },
        { "REMOTE 2", { single("WIRED REMOTE", { "OFF", "ON", "FOOT SW" }), single("IR REMOTE", offOn()) } },
        { "NETWORK 1", { single("DHCP", offOn()) } },
        { "NETWORK 2", { single("LINK SPEED", { "AUTO", "100M", "10M" }) } },
        { "FTP CLIENT", { single("FTP UPLOAD", offOn()) } },
        { "SNTP", { single("SNTP", offOn()) } },
        { "CLOCK 1", { single("DATE FORMAT", { "YYYY/MM/DD", "MM/DD/YYYY", "DD/MM/YYYY" }),
                       single("TIME ZONE", steps(-12, 14, 1, "h", true), 12) } },
        { "DISPLAY 1", { single("BRIGHTNESS", steps(1, 8, 1, "")), single("CONTRAST", steps(1, 10, 1, "")),
                         single("PEAK HOLD", { "OFF", "1sec", "2sec", "5sec", "INFINITE" }) } },
        { "PREFERENCE", { single("KEY LOCK", offOn()), single("BEEP", offOn()),
                          { "MAINTENANCE", { choice("FAN", { "AUTO", "ON" }), service } } } },
        { "SYSTEM 1", { single("FIRMWARE", offOn()) } },
        { "SYSTEM 2", { single("FACTORY PRESET", offOn()) } },
    };
    // The status model's reports of these follow the menu.
    const auto reports = [&menu](const QString& itemName, std::function<void(SimPanel&, int, const QString&)> report) {
        for (SimMenuPage& page : menu) {
            for (SimMenuItem& item : page.items) {
                if (item.name == itemName)
                    item.subitems[0].reported = report;
            }
        }
    };
    reports(QStringLiteral("REC FORMAT"), [](SimPanel& p, int, const QString& text) { p.recordFormat = recordFormatCode(text); });
    reports(QStringLiteral("AGC"), onUnlessOff(&SimPanel::agc));
    reports(QStringLiteral("DYNAMICS"), [](SimPanel& p, int v, const QString&) { p.dynamics = v; });
    reports(QStringLiteral("LOW CUT"), onUnlessOff(&SimPanel::lowCut));
    reports(QStringLiteral("MONO MIX"), onUnlessOff(&SimPanel::monoMix));
    reports(QStringLiteral("DIGITAL IN SRC"), onUnlessOff(&SimPanel::src));
    reports(QStringLiteral("AUTO TRACK"), onUnlessOff(&SimPanel::autoTrack));
    reports(QStringLiteral("SYNC REC"), onUnlessOff(&SimPanel::syncRec));
    reports(QStringLiteral("AUTO MARK"), onUnlessOff(&SimPanel::autoMark));
    reports(QStringLiteral("REPEAT"), [](SimPanel& p, int, const QString& text) { p.repeat = text == QLatin1String("OFF") ? 0 : 1; });
    reports(QStringLiteral("AUTO CUE"), onUnlessOff(&SimPanel::autoCue));
    reports(QStringLiteral("AUTO READY"), onUnlessOff(&SimPanel::autoReady));
    reports(QStringLiteral("INCR PLAY"), onUnlessOff(&SimPanel::incPlay));
    if (model == 1) {
        menu.insert(11, { "CD PLAY 1", { single("CD TEXT", offOn()), single("CD AUTO FINALIZE", offOn()),
                                         single("CD TRACK INC", { "OFF", "5min", "10min", "15min" }) } });
    }
    return menu;
}

SimMenuSubitem* MenuModel::subitem(const SimMenuEntry& e)
{
    if (e.page < 0 || e.page >= pages.size())
        return nullptr;
    auto& items = pages[e.page].items;
    if (e.item < 0 || e.item >= items.size())
        return nullptr;
    auto& subitems = items[e.item].subitems;
    return e.subitem >= 0 && e.subitem < subitems.size() ? &subitems[e.subitem] : nullptr;
}

QStringList MenuModel::choices(const SimMenuEntry& e)
{
    const SimMenuSubitem* s = subitem(e);
    if (!s)
        return {};
    return s->dynamicChoices ? s->dynamicChoices() : s->choices;
}

SimMenuEntry MenuModel::find(const QString& itemName, const QString& subitemName) const
{
    for (int p = 0; p < pages.size(); ++p) {
        for (int i = 0; i < pages[p].items.size(); ++i) {
            if (!pages[p].items[i].name.startsWith(itemName))
                continue;
            const auto& subitems = pages[p].items[i].subitems;
            for (int s = 0; s < subitems.size(); ++s) {
                if (subitemName.isEmpty() || subitems[s].name.startsWith(subitemName))
                    return { p, i, s };
            }
        }
    }
    return {};
}

// The status model reports the same input and phantom power, and the value
// e reports, to whoever asks: a set over the wire tells the application that
// made it nothing but the menu's value answer.
void MenuModel::showOnPanel(const SimMenuEntry& e)
{
    if (!m_state)
        return;
    if (const SimMenuSubitem* s = subitem(e); s && s->reported)
        s->reported(m_state->panel, s->current(), choices(e).value(s->current()));
    if (const SimMenuSubitem* input = subitem(find(QStringLiteral("INPUT SELECT"))))
        m_state->panel.input = input->value;
    const SimMenuSubitem* pl = subitem(find(QStringLiteral("PHANTOM(+48V)"), QStringLiteral("PHANTOM(+48V)Lch")));
    const SimMenuSubitem* pr = subitem(find(QStringLiteral("PHANTOM(+48V)"), QStringLiteral("PHANTOM(+48V)Rch")));
    m_state->panel.phantom = (pl && pl->value == 1) || (pr && pr->value == 1);
}

void MenuModel::setValues(const QList<QPair<SimMenuEntry, int>>& values)
{
    const QStringList stereoMono = stereoMonoChoices();
    // The lists whose values follow their texts: not those set here.
    auto lists = listsKeepTexts ? dynamicLists() : QList<QPair<SimMenuEntry, QStringList>>();
    bool changed = false;
    for (const auto& v : values) {
        if (SimMenuSubitem* s = subitem(v.first)) {
            s->set(v.second);
            showOnPanel(v.first);
            changed = true;
        }
        lists.erase(std::remove_if(lists.begin(), lists.end(), [&v](const QPair<SimMenuEntry, QStringList>& l) {
                        return l.first.page == v.first.page && l.first.item == v.first.item && l.first.subitem == v.first.subitem;
                    }),
                    lists.end());
    }
    if (!changed)
        return;
    keepTexts(lists);
    pushNotice(QStringLiteral("40"));
    if (stereoMonoChoices() != stereoMono)
        pushNotice(QStringLiteral("51"));
}

QStringList MenuModel::stereoMonoChoices()
{
    return choices(find(QStringLiteral("STEREO/MONO")));
}

void MenuModel::selectMedium(const QString& name)
{
    m_state->selectMedium(name);
}

void MenuModel::noteListsBeforeSwitch()
{
    m_listsBeforeSwitch = dynamicLists();
}

QList<QPair<SimMenuEntry, QStringList>> MenuModel::dynamicLists()
{
    QList<QPair<SimMenuEntry, QStringList>> lists;
    for (int p = 0; p < pages.size(); ++p) {
        for (int i = 0; i < pages[p].items.size(); ++i) {
            for (int s = 0; s < pages[p].items[i].subitems.size(); ++s) {
                if (pages[p].items[i].subitems[s].dynamicChoices)
                    lists.append({ { p, i, s }, choices({ p, i, s }) });
            }
        }
    }
    return lists;
}

QList<SimMenuEntry> MenuModel::keepTexts(const QList<QPair<SimMenuEntry, QStringList>>& lists)
{
    QList<SimMenuEntry> changed;
    // In the tree's order: REC FORMAT takes its value before the STEREO/MONO
    // list that follows it is compared.
    for (const auto& before : lists) {
        SimMenuSubitem* s = subitem(before.first);
        const QStringList now = choices(before.first);
        if (!s || now == before.second)
            continue;
        s->set(qMax(0, now.indexOf(before.second.value(s->current()))));
        showOnPanel(before.first);
        changed << before.first;
    }
    return changed;
}

void MenuModel::followMedium()
{
    const auto is = [](const SimMenuEntry& a, const SimMenuEntry& b) {
        return a.found() && a.page == b.page && a.item == b.item && a.subitem == b.subitem;
    };
    const SimMenuEntry playArea = find(QStringLiteral("PLAY AREA")), recFormat = find(QStringLiteral("REC FORMAT"));
    const SimMenuEntry stereoMono = find(QStringLiteral("STEREO/MONO"));
    bool mediumLists = false, stereoMonoList = false;
    for (const SimMenuEntry& e : keepTexts(std::exchange(m_listsBeforeSwitch, {}))) {
        mediumLists |= is(e, playArea) || is(e, recFormat);
        stereoMonoList |= is(e, stereoMono);
    }
    if (mediumLists)
        pushNotice(QStringLiteral("50"));
    if (stereoMonoList)
        pushNotice(QStringLiteral("51"));
}

void MenuModel::pushNotice(const QString& code)
{
    if (!m_recorder->powered)
        return;
    const auto connections = m_recorder->connections();
    for (SimConnection* c : connections) {
        if (c->phase() == SimConnection::LoggedIn)
            c->sendLine(QStringLiteral("0FF6AF6") + code);
    }
}

} // namespace sim
