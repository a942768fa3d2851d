#include "menurig.h"

#include <QHostAddress>

#include "recorderstate.h"

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

QString treeDifference(const Menu& menu, sim::MenuModel& recorderMenu)
{
    static const QStringList hidden = { "PLAYLIST", "CD", "MARK LIST", "NETWORK 1", "NETWORK 2",
                                        "FTP CLIENT", "SNTP", "SYSTEM 1", "SYSTEM 2" };
    const auto& pages = recorderMenu.pages;
    QStringList tree, expected;
    for (int p = 0; p < qMax(pages.size(), menu.getMaxPageNumber()); ++p) {
        const QString name = pages.value(p).name;
        QString title = name.endsWith('1') ? name.chopped(2) : name.isEmpty() || !name.back().isDigit() ? name : QString();
        const bool shown = !hidden.contains(name);
        tree << QStringLiteral("page %1 %2 %3").arg(p).arg(menu.getPageVisible(p)).arg(menu.getPageName(p));
        expected << QStringLiteral("page %1 %2 %3").arg(p).arg(shown).arg(shown ? title : QString());
        const QList<sim::SimMenuItem> items = shown ? pages.value(p).items : QList<sim::SimMenuItem>();
        for (int i = 0; i < qMax(items.size(), menu.getMaxItemNumber(p)); ++i) {
            const sim::SimMenuItem item = items.value(i);
            const bool remote = item.name == QLatin1String("REMOTE POWER CONTROL");
            tree << QStringLiteral(" item %1 %2").arg(menu.getItemVisible(p, i)).arg(menu.getItemName(p, i));
            expected << QStringLiteral(" item %1 %2").arg(!remote).arg(item.name);
            for (int s = 0; s < qMax(remote ? 0 : item.subitems.size(), menu.getMaxSubitemNumber(p, i)); ++s) {
                const sim::SimMenuSubitem sub = item.subitems.value(s);
                QString subName = sub.name;
                for (const QString level : { "(L)", "(R)" }) {
                    if (subName.contains("LEVEL" + level) || subName.contains("LEVEL " + level))
                        subName = "LEVEL " + level;
                }
                QStringList names;
                for (int n = 0; n < menu.getMaxSubitemParameterNumber(p, i, s); ++n)
                    names << menu.getSubitemParameterName(p, i, s, n);
                const auto line = QStringLiteral("  %1 type %2 ro %3 shown %4: %5");
                tree << line.arg(menu.getSubitemName(p, i, s)).arg(menu.getSubitemType(p, i, s))
                            .arg(menu.getSubitemReadOnly(p, i, s)).arg(menu.getSubitemVisible(p, i, s)).arg(names.join('|'));
                expected << line.arg(subName).arg(sub.type).arg(sub.readOnly).arg(sub.visible).arg(
                    sub.type == 1 ? QString() : recorderMenu.choices({ p, i, s }).join('|'));
            }
        }
    }
    for (int k = 0; k < tree.size(); ++k) {
        if (tree[k] != expected.value(k))
            return tree[k] + QStringLiteral(" <> ") + expected.value(k);
    }
    return tree.size() == expected.size() ? QString() : QStringLiteral("recorder has more");
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
                const int expected = !single && sub->type == 1 ? sub->current() * 10 - 1000 : sub->current();
                if (!row || row->property(property) != QVariant(expected))
                    return QStringLiteral("%1 %2 %3 (%4): %5").arg(p).arg(i).arg(s).arg(sub->name).arg(
                        row ? row->property(property).toString() : QStringLiteral("no row"));
            }
        }
    }
    return QString();
}

QString menuLine(const QString& code, const sim::SimMenuEntry& e, int number)
{
    QString line = QStringLiteral("07F6A7A") + code;
    for (const int id : { e.page, e.item, e.subitem })
        line += sim::twoDigits(id) + QStringLiteral("00");
    return number < 0 ? line : line + sim::numberField(number);
}
