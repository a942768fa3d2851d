#include "menu.h"

Menu::Menu(QObject* parent)
    : QObject(parent)
{
}

void Menu::updateCurrentMediaMenuText(QString)
{
}

void Menu::clearMenuTree()
{
    drawingFinished = false;
}

void Menu::changedCommandMenuData()
{
}

void Menu::rebuildParameterForCd()
{
}

void Menu::rebuildParameterForStereoMono()
{
}

void Menu::parseMenuResponse(QString data)
{
    // A walk is reduced to its start and end until the menu tree is modelled.
    if (data.startsWith(QLatin1String("10"))) {
        emit menuStarted();
        drawingFinished = true;
        emit drawingFinishedChanged(true);
        emit menuCompleted();
    }
}
