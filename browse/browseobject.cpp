#include "browseobject.h"

BrowseObject::BrowseObject(QObject* parent)
    : QObject(parent)
{
}

void BrowseObject::setName(const QString& v)
{
    if (m_name == v)
        return;
    m_name = v;
    emit nameChanged();
}

void BrowseObject::setNumber(int v)
{
    if (m_number == v)
        return;
    m_number = v;
    emit numberChanged();
}

void BrowseObject::setType(int v)
{
    if (m_type == v)
        return;
    m_type = v;
    emit typeChanged();
}

void BrowseObject::setInfo(const QString& v)
{
    if (m_info == v)
        return;
    m_info = v;
    emit infoChanged();
}
