#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "browseobject.h"

class Telnet;
class Permission;

// Model of the folders and files on the current medium.
class Browse : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString dialogString READ getDialogString NOTIFY dialogStringChanged)
public:
    explicit Browse(QObject* parent = nullptr);
    ~Browse() override;

    Telnet* telnet = nullptr;
    Permission* permission = nullptr;

    int status = 0;
    int commandPending = 0;
    QString mediaCode = QStringLiteral("FF");
    QString mediaName;
    QString dialogString;
    QString getDialogString() const { return dialogString; }

    BrowseObject nowFolder;
    BrowseObject currentFolder;

    Q_INVOKABLE void restartBrowse();
    void clearFolderState();
    void parseBrowseResponse(QString data);

public slots:
    void startBrowse();
    void setCurrentMediaNumber(QString media);
    void setStatus(int status);

signals:
    void endDeletePpl();
    void execFailed();
    void dialogStringChanged();

private:
    QList<QObject*> browseModel;
};
