#pragma once

#include <QMetaType>
#include <QString>

// What names a row of the browse list: its number and kind, its name and the
// path of the folder that listed it ("" the root). It is taken whole from the
// row (BrowseObject::entry()) when the user taps it and travels with every
// request made on that row, whatever the list shows by then. A request by
// number alone on a number that no row lists carries the number and kind
// without a name or a folder (Browse::listedEntry); the empty entry has
// neither number nor kind and names nothing.
class BrowseEntry
{
    Q_GADGET
    Q_PROPERTY(int number READ number CONSTANT)
    Q_PROPERTY(int type READ type CONSTANT)
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString folder READ folder CONSTANT)
public:
    // None: number and kind -1. A request on it names nothing.
    BrowseEntry() = default;
    BrowseEntry(int number, int type, const QString& name, const QString& folder)
        : m_number(number)
        , m_type(type)
        , m_name(name)
        , m_folder(folder)
    {
    }

    // The recorder's number of the folder or file.
    int number() const { return m_number; }
    // 0 folder, 1 file.
    int type() const { return m_type; }
    QString name() const { return m_name; }
    QString folder() const { return m_folder; }

private:
    int m_number = -1;
    int m_type = -1;
    QString m_name;
    QString m_folder;
};

Q_DECLARE_METATYPE(BrowseEntry)
