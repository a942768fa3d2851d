#include "menurig.h"

#include <QHostAddress>

MenuRig::MenuRig()
    : recorder(QHostAddress(QHostAddress::LocalHost))
    , recorderMenu(sim::installMenuModel(recorder))
{
}

void MenuRig::pump(const std::function<QStringList(const QString&)>& alter)
{
    for (QStringList lines = takeLines(); !lines.isEmpty(); lines = takeLines()) {
        sent << lines;
        for (const QString& line : qAsConst(lines)) {
            QStringList replies;
            recorderMenu->answersTo(line, &replies);
            for (const QString& r : qAsConst(replies)) {
                for (const QString& delivered : alter ? alter(r.mid(1)) : QStringList { r.mid(1) })
                    reply(delivered);
            }
        }
    }
}

void MenuRig::walk(const std::function<QStringList(const QString&)>& alter)
{
    graph.telnet.sendData("07F6A7A10\r\n");
    pump(alter);
}

namespace {

QString shownTitle(const QString& name)
{
    if (name.endsWith(QLatin1Char('1')))
        return name.left(name.size() - 2);
    return name.isEmpty() || !name.back().isDigit() ? name : QString();
}

} // namespace

QString treeDifference(const Menu& menu, sim::MenuModel& recorderMenu)
{
    static const QStringList hidden = { "PLAYLIST", "CD", "MARK LIST", "NETWORK 1", "NETWORK 2",
                                        "FTP CLIENT", "SNTP", "SYSTEM 1", "SYSTEM 2" };
    const auto& pages = recorderMenu.pages;
    if (menu.getMaxPageNumber() != pages.size())
        return QStringLiteral("page count %1, recorder %2").arg(menu.getMaxPageNumber()).arg(pages.size());
    for (int p = 0; p < pages.size(); ++p) {
        const QString where = QStringLiteral("page %1").arg(p);
        if (hidden.contains(pages[p].name)) {
            if (menu.getPageVisible(p) || menu.getMaxItemNumber(p) != 0)
                return where + QStringLiteral(" shown");
            continue;
        }
        if (!menu.getPageVisible(p) || menu.getPageName(p) != shownTitle(pages[p].name))
            return where + QStringLiteral(" title \"%1\"").arg(menu.getPageName(p));
        const auto& items = pages[p].items;
        if (menu.getMaxItemNumber(p) != items.size())
            return where + QStringLiteral(" item count");
        for (int i = 0; i < items.size(); ++i) {
            const QString at = where + QStringLiteral(" item %1").arg(i);
            const bool remote = items[i].name == QLatin1String("REMOTE POWER CONTROL");
            if (menu.getItemName(p, i) != items[i].name || menu.getItemVisible(p, i) == remote)
                return at + QStringLiteral(" name or visibility");
            const auto& subitems = items[i].subitems;
            if (menu.getMaxSubitemNumber(p, i) != (remote ? 0 : subitems.size()))
                return at + QStringLiteral(" subitem count");
            for (int s = 0; s < (remote ? 0 : subitems.size()); ++s) {
                const sim::SimMenuSubitem& sub = subitems[s];
                QString name = sub.name;
                for (const char* level : { "(L)", "(R)" }) {
                    if (name.contains(QStringLiteral("LEVEL") + level) || name.contains(QStringLiteral("LEVEL ") + level))
                        name = QStringLiteral("LEVEL ") + level;
                }
                QStringList names;
                for (int n = 0; n < menu.getMaxSubitemParameterNumber(p, i, s); ++n)
                    names << menu.getSubitemParameterName(p, i, s, n);
                const QStringList expected = sub.type == 1 ? QStringList() : recorderMenu.choices({ p, i, s });
                if (menu.getSubitemName(p, i, s) != name || menu.getSubitemType(p, i, s) != sub.type
                    || menu.getSubitemReadOnly(p, i, s) != sub.readOnly || menu.getSubitemVisible(p, i, s) != sub.visible
                    || names != expected)
                    return at + QStringLiteral(" subitem %1 (%2)").arg(s).arg(menu.getSubitemName(p, i, s));
            }
        }
    }
    return QString();
}

void registerPlainRows(Menu& menu, QObject* owner)
{
    auto row = [owner](int preload) {
        auto* r = new QObject(owner);
        r->setProperty("comboBoxCurrentIndex", preload);
        return r;
    };
    for (int p = 0; p < menu.getMaxPageNumber(); ++p) {
        for (int i = 0; i < menu.getMaxItemNumber(p); ++i) {
            menu.setItemObject(p, i, row(menu.getMaxSubitemParameterNumber(p, i, 0)));
            for (int s = 0; s < menu.getMaxSubitemNumber(p, i); ++s)
                menu.setSubitemObject(p, i, s, row(menu.getMaxSubitemParameterNumber(p, i, s)));
        }
    }
}

void requestShownValues(Menu& menu)
{
    for (int p = 0; p < menu.getMaxPageNumber(); ++p) {
        for (int i = 0; i < menu.getMaxItemNumber(p); ++i) {
            for (int s = 0; s < menu.getMaxSubitemNumber(p, i); ++s) {
                if (menu.getSubitemVisible(p, i, s) && menu.getSubitemType(p, i, s) <= 1)
                    menu.subitemValueRequest(p, i, s);
            }
        }
    }
}

QString valueDifference(const Menu& menu, sim::MenuModel& recorderMenu)
{
    for (int p = 0; p < menu.getMaxPageNumber(); ++p) {
        for (int i = 0; i < menu.getMaxItemNumber(p); ++i) {
            for (int s = 0; s < menu.getMaxSubitemNumber(p, i); ++s) {
                if (!menu.getSubitemVisible(p, i, s))
                    continue;
                const sim::SimMenuSubitem* sub = recorderMenu.subitem({ p, i, s });
                const bool single = menu.getMaxSubitemNumber(p, i) == 1;
                QObject* row = single ? menu.getItemObject(p, i) : menu.getSubitemObject(p, i, s);
                const char* property = !single && sub->type == 1 ? "rangeData" : "comboBoxCurrentIndex";
                const int expected = !single && sub->type == 1 ? sub->value * 10 - 1000 : sub->value;
                if (!row || row->property(property) != QVariant(expected))
                    return QStringLiteral("%1 %2 %3 (%4): %5").arg(p).arg(i).arg(s).arg(sub->name).arg(
                        row ? row->property(property).toString() : QStringLiteral("no row"));
            }
        }
    }
    return QString();
}
