#pragma once
// The texts of a list box's items, in order.
#include <QListWidget>
#include <QStringList>

inline QStringList Items(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}
