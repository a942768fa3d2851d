#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "menumodel.h"
#include "modelrig.h"
#include "simrecorder.h"

// The application's objects with a simulated recorder's settings menu
// answering in-process: every menu command written is answered by the
// simulator's menu model and handed back as the command channel would. No
// socket is opened.
class MenuRig : public ModelRig
{
public:
    MenuRig();

    sim::SimRecorder recorder; // never started
    sim::MenuModel* recorderMenu;
    Menu& menu = graph.menu;
    // Every line written, in order, without CR LF.
    QStringList sent;

    // Answers what was written, and what the answers cause, until nothing is
    // left. alter, when given, turns each reply line (without its leading
    // "0") into the lines delivered instead.
    void pump(const std::function<QStringList(const QString&)>& alter = {});
    // Asks for the page count and answers the whole walk.
    void walk(const std::function<QStringList(const QString&)>& alter = {});
};

// Stands in for the menu screen's rows: registers a plain object owned by
// owner for every item and subitem, each holding the count of its choices
// until a value arrives, as the screen does.
void registerPlainRows(Menu& menu, QObject* owner);
// Asks for the value of every visible choice or range subitem.
void requestShownValues(Menu& menu);
// Empty when every registered row shows the recorder's value; otherwise the
// first difference.
QString valueDifference(const Menu& menu, sim::MenuModel& recorderMenu);

// The settings-menu command line "07F6A7A" + code + the entry's ids, with
// the number field when number is given.
QString menuLine(const QString& code, const sim::SimMenuEntry& e, int number = -1);

// Empty when the model's tree is the recorder's menu as the application
// shows it (titles, hidden entries, names, kinds and choices); otherwise the
// first difference.
QString treeDifference(const Menu& menu, sim::MenuModel& recorderMenu);
