#pragma once

#include <QObject>
#include <QString>

// One folder or file record of the media browser.
class BrowseObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(int number READ number WRITE setNumber NOTIFY numberChanged)
    Q_PROPERTY(int type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QString info READ info WRITE setInfo NOTIFY infoChanged)
public:
    explicit BrowseObject(QObject* parent = nullptr);

    QString name() const { return m_name; }
    int number() const { return m_number; }
    int type() const { return m_type; }
    QString info() const { return m_info; }
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
    int m_type = -1;
    QString m_info;
};
