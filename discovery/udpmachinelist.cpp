#include "udpmachinelist.h"

UdpMachineList::UdpMachineList(QObject* parent)
    : QObject(parent)
{
}
