#pragma once

#include <QObject>
#include <QStringList>

class Communication;

// The link signals of the status model in the order they were emitted, as
// "loginState 4", "loginComp false", "currentMedia \"\"", "popup 100".
class SignalOrder : public QObject
{
public:
    explicit SignalOrder(Communication& comm);
    QStringList entries;

private:
    void add(const char* name, const QString& value);
};
