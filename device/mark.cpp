#include "mark.h"

Mark::Mark(QObject* parent)
    : QObject(parent)
{
}

void Mark::clearMarks()
{
    marks.clear();
    emit markClear();
}
