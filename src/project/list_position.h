#pragma once
// Trackers, patterns and models live in std::list, which has no indexing:
// the element at a zero-based position, or null outside the list.

#include <iterator>
#include <list>

template <typename T> T* ItemAt(std::list<T>& list, int index)
{
    if (index < 0 || index >= int(list.size()))
        return nullptr;
    return &*std::next(list.begin(), index);
}
