#pragma once

#include <QObject>
#include <QString>

class Telnet;

// Model of the recorder's settings menu.
class Menu : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool drawingFinished READ getDrawingFinished NOTIFY drawingFinishedChanged)
public:
    explicit Menu(QObject* parent = nullptr);

    Telnet* telnet = nullptr;
    bool drawingFinished = false;
    bool getDrawingFinished() const { return drawingFinished; }

    void updateCurrentMediaMenuText(QString media);
    void clearMenuTree();
    void changedCommandMenuData();
    void rebuildParameterForCd();
    void rebuildParameterForStereoMono();
    void parseMenuResponse(QString data);

signals:
    void menuStarted();
    void menuCompleted();
    void drawingFinishedChanged(bool drawingFinished);
    void phantomOnPopup(int page, int item, int subitem, int value);
};
