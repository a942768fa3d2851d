#pragma once

#include <QObject>
#include <QString>

#include "browseentry.h"

// One folder or file of the media browser: an entry of the shown folder's
// list, or one of the model's two folders (the shown one and the recorder's
// current one).
class BrowseObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(int number READ number WRITE setNumber NOTIFY numberChanged)
    Q_PROPERTY(int type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QString info READ info WRITE setInfo NOTIFY infoChanged)
    Q_PROPERTY(QString folder READ folder CONSTANT)
public:
    explicit BrowseObject(QObject* parent = nullptr);

    // The entry's name; for the shown folder its path below the root, the
    // folders joined by "\".
    QString name() const { return m_name; }
    // The recorder's number of the folder or file; -1 for none.
    int number() const { return m_number; }
    // 0 folder, 1 file, -1 none.
    int type() const { return m_type; }
    // A file's information, one item a line (after queryInfo).
    QString info() const { return m_info; }
    // For an entry of a list: the path of the folder that lists it ("" the
    // root), set before the entry is listed. A path built on its row takes
    // the folder from here, whatever folder is shown by then.
    QString folder() const { return m_folder; }
    // The entry's number, kind, name and folder as one value, a copy: what a
    // request made on its row carries. A call rather than a property: QML
    // reads a property of a value type as a view of this object, which would
    // follow the row's changes and end with it.
    Q_INVOKABLE BrowseEntry entry() const { return BrowseEntry(m_number, m_type, m_name, m_folder); }
    void setFolder(const QString& v) { m_folder = v; }
    void setName(const QString& v);
    void setNumber(int v);
    void setType(int v);
    void setInfo(const QString& v);

signals:
    void nameChanged();
    void numberChanged();
    void typeChanged();
    void infoChanged();

private:
    QString m_name;
    int m_number = -1;
    int m_type = 0;
    QString m_info;
    QString m_folder;
};
