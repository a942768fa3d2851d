#pragma once

#include <QMetaType>
#include <QString>

// The folder the browse list showed when the user chose a request on it (for
// a window, when it opened): its number and, once read, its path. It travels
// with the request, which goes only while that folder is still the one shown
// (Browse::shownFolder). Until its path has been read it is known by its
// number alone, which holds only as long as the recorder has numbered
// nothing anew since; `numbering` tells which numbering that was.
class ShownFolder
{
    Q_GADGET
    Q_PROPERTY(int number READ number CONSTANT)
    Q_PROPERTY(QString path READ path CONSTANT)
public:
    // None: a request on it names nothing.
    ShownFolder() = default;
    ShownFolder(int number, const QString& path, bool pathKnown, int numbering)
        : m_number(number)
        , m_path(path)
        , m_pathKnown(pathKnown)
        , m_numbering(numbering)
    {
    }

    int number() const { return m_number; }
    // "" the root, or not read yet.
    QString path() const { return m_path; }
    bool pathKnown() const { return m_pathKnown; }
    int numbering() const { return m_numbering; }

private:
    int m_number = -1;
    QString m_path;
    bool m_pathKnown = false;
    int m_numbering = -1;
};

Q_DECLARE_METATYPE(ShownFolder)
