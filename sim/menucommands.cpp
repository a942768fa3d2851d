// The settings-menu commands of the simulated recorder: "07F6A7A" + a
// two-character code + page, item and subitem ids (two digits and "00"
// each) + a number field where the command carries one. Each is answered
// with "0FF6AFA" + the same code + the addressing fields + what was asked.
#include "menumodel.h"

#include "recorderstate.h"
#include "simrecorder.h"

#include <QHash>
#include <QTimer>
#include <utility>

namespace sim {

namespace {

// The id at pos: two digits followed by "00"; -1 otherwise.
int idAt(const QString& line, int pos)
{
    if (line.size() < pos + 4 || line.mid(pos + 2, 2) != QLatin1String("00"))
        return -1;
    bool ok = false;
    const int id = line.mid(pos, 2).toInt(&ok);
    return ok ? id : -1;
}

// A number field (low pair first) at pos; -1 when it is not 4 digits.
int fieldAt(const QString& line, int pos)
{
    bool okLow = false, okHigh = false;
    const int low = line.mid(pos, 2).toInt(&okLow);
    const int high = line.mid(pos + 2, 2).toInt(&okHigh);
    return okLow && okHigh && line.size() >= pos + 4 ? high * 100 + low : -1;
}

QString address(const SimMenuEntry& e, int depth)
{
    QString text;
    const int ids[] = { e.page, e.item, e.subitem };
    for (int k = 0; k < depth; ++k)
        text += twoDigits(ids[k]) + QStringLiteral("00");
    return text;
}

} // namespace

bool MenuModel::handleCommand(SimConnection* c, const QString& line)
{
    QStringList replies;
    m_othersHear.clear();
    if (!answersTo(line, &replies))
        return false;
    for (const QString& r : qAsConst(replies))
        reply(c, r);
    if (!m_othersHear.isEmpty() && m_state)
        m_state->tellOthers(c, std::exchange(m_othersHear, {}));
    return true;
}

bool MenuModel::answersTo(const QString& line, QStringList* out)
{
    QStringList& replies = *out;
    if (!line.startsWith(QLatin1String("07F6A7A")))
        return false;
    const QString code = line.mid(7, 2);
    // How many ids each request carries, and whether a number field follows.
    static const QHash<QString, QPair<int, bool>> shapes = {
        { "10", { 0, false } }, { "20", { 1, false } }, { "11", { 1, false } }, { "21", { 2, false } },
        { "13", { 2, false } }, { "23", { 3, false } }, { "14", { 3, false } }, { "24", { 3, true } },
        { "01", { 3, false } }, { "03", { 3, true } },
    };
    const auto shape = shapes.constFind(code);
    if (shape == shapes.constEnd())
        return false;
    const int depth = shape->first;
    if (line.size() != 9 + 4 * depth + (shape->second ? 4 : 0))
        return true; // malformed: a recorder says nothing
    int ids[3] = { 0, 0, 0 };
    for (int k = 0; k < depth; ++k) {
        ids[k] = idAt(line, 9 + 4 * k);
        if (ids[k] < 0)
            return true;
    }
    const SimMenuEntry e { ids[0], ids[1], ids[2] };
    const int number = shape->second ? fieldAt(line, 9 + 4 * depth) : 0;
    if (number < 0)
        return true;
    const QString head = code + address(e, depth);

    if (code == QLatin1String("10")) {
        if (m_menuOfModel != -2 && m_menuOfModel != m_recorder->model) {
            pages = realisticMenu(m_recorder->model);
            m_menuOfModel = m_recorder->model;
        }
        replies << QStringLiteral("0FF6AFA") + code + twoDigits(pages.size());
        return true;
    }
    if (e.page >= pages.size())
        return true;
    const SimMenuPage& page = pages.at(e.page);
    if (code == QLatin1String("20")) {
        replies << QStringLiteral("0FF6AFA") + head + page.name;
        return true;
    }
    if (code == QLatin1String("11")) {
        replies << QStringLiteral("0FF6AFA") + head + twoDigits(page.items.size());
        return true;
    }
    if (depth >= 2 && e.item >= page.items.size())
        return true;
    if (code == QLatin1String("21")) {
        replies << QStringLiteral("0FF6AFA") + head + page.items.at(e.item).name;
        return true;
    }
    if (code == QLatin1String("13")) {
        replies << QStringLiteral("0FF6AFA") + head + twoDigits(page.items.at(e.item).subitems.size());
        return true;
    }
    const SimMenuSubitem* s = subitem(e);
    if (!s)
        return true;
    const QStringList list = choices(e);
    if (code == QLatin1String("23")) {
        replies << QStringLiteral("0FF6AFA") + head + s->name;
    } else if (code == QLatin1String("14")) {
        replies << QStringLiteral("0FF6AFA") + head + numberField(s->type == 1 ? 0 : list.size()) + twoDigits(s->type) + twoDigits(s->readOnly ? 1 : 0)
                + twoDigits(s->visible ? 1 : 0);
    } else if (code == QLatin1String("24")) {
        if (number < list.size())
            replies << QStringLiteral("0FF6AFA") + head + numberField(number) + list.at(number);
    } else if (code == QLatin1String("01")) {
        replies << QStringLiteral("0FF6AFA") + head + numberField(s->current());
    } else if (code == QLatin1String("03")) {
        replies << applySet(e, number);
    }
    return true;
}

QStringList MenuModel::applySet(const SimMenuEntry& e, int value)
{
    SimMenuSubitem* s = subitem(e);
    const int limit = s->type == 1 ? 200 : choices(e).size() - 1;
    if (refuseSets > 0 || s->readOnly || value > limit) {
        return { QStringLiteral("0FF6AFAF0") + twoDigits(refuseSets > 0 ? refuseSets : 1) };
    }
    const QStringList stereoMono = stereoMonoChoices();
    const auto lists = listsKeepTexts ? dynamicLists() : QList<QPair<SimMenuEntry, QStringList>>();
    s->set(value);
    if (s->othersHear)
        m_othersHear = s->othersHear();
    showOnPanel(e);
    keepTexts(lists);
    QStringList replies { answerSetWithNotice ? QStringLiteral("0FF6AF640")
                                              : QStringLiteral("0FF6AFA01") + address(e, 3) + numberField(value) };
    // Between WAV and MP3 the STEREO/MONO choices change.
    if (stereoMonoChoices() != stereoMono)
        replies << QStringLiteral("0FF6AF651");
    return replies;
}

// Every reply goes out on its own, or with coalesce set, together with the
// others made in the same pass of the event loop.
void MenuModel::reply(SimConnection* c, const QString& line)
{
    ++m_answers;
    const QByteArray bytes = line.toUtf8() + "\r\n";
    if (!coalesce) {
        c->send(bytes);
    } else {
        if (m_pending.isEmpty() || m_pending.last().first != c)
            m_pending.append({ c, QByteArray() });
        m_pending.last().second += bytes;
        if (!m_flushQueued) {
            m_flushQueued = true;
            QTimer::singleShot(0, this, &MenuModel::flush);
        }
    }
    if (dropAfterAnswers > 0 && --dropAfterAnswers == 0) {
        dropAfterAnswers = -1;
        flush();
        c->disconnectFromClient();
    }
}

void MenuModel::flush()
{
    m_flushQueued = false;
    const auto pending = std::exchange(m_pending, {});
    for (const auto& p : pending) {
        if (p.first)
            p.first->send(p.second);
    }
}

} // namespace sim
