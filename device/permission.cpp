#include "permission.h"

Permission::Permission(QObject* parent)
    : QObject(parent)
{
}

void Permission::requestPermission()
{
}

void Permission::returnPermission()
{
}
