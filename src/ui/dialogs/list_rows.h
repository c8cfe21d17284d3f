#pragma once
// Rows of the report lists: each knows where its object lives in the
// working copy, and rows are placed in name order when inserted only, so a
// renamed row stays where the user left it.

#include <QTreeWidget>

#include <list>

template <class T> class CListRow : public QTreeWidgetItem
{
  public:
    explicit CListRow(typename std::list<T>::iterator pos) : m_pos(pos) {}

    typename std::list<T>::iterator m_pos;
};

// After every row whose name sorts before or equal to the new row's
// (ignoring case), so rows of equal names keep their insertion order.
inline void InsertSortedRow(QTreeWidget* list, QTreeWidgetItem* row)
{
    int index = list->topLevelItemCount();
    while (index > 0 &&
           list->topLevelItem(index - 1)->text(0).compare(row->text(0), Qt::CaseInsensitive) > 0)
        --index;
    list->insertTopLevelItem(index, row);
}

template <class T> CListRow<T>* RowAt(QTreeWidget* list, int index)
{
    return static_cast<CListRow<T>*>(list->topLevelItem(index));
}

template <class T> CListRow<T>* SelectedRow(QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : static_cast<CListRow<T>*>(selected.first());
}
