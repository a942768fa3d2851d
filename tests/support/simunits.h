#pragma once

#include <QList>
#include <QQmlEngine>
#include <QString>
#include <memory>

#include "recorderservices.h"
#include "simrecorder.h"

class UdpMachineList;
class UdpPowerControl;

// A simulated recorder with every service (command port, power control,
// playlists, FTP, discovery answer) on the n-th recorder address of the
// private network.
struct SimUnit
{
    SimUnit(int n, const QString& nickname, const QString& mac);
    // Starts every service; false (with a warning) when one cannot start.
    bool start();

    sim::SimRecorder recorder;
    sim::RecorderServices services;
};

// The recorder list as the login screen sees it: the `loginModel` that
// UdpPowerControl publishes on a QML engine's root context. Make it before
// the UdpPowerControl and let it go after.
class PublishedRows
{
public:
    PublishedRows();
    ~PublishedRows();

    // The list as last published.
    QList<UdpMachineList*> rows() const;
    // Republishes the list and returns the row of that MAC address, if listed.
    UdpMachineList* find(UdpPowerControl& udpc, const QString& mac);

private:
    QQmlEngine engine;
};
