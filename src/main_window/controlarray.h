#pragma once

#include "common/tabindex.h"

#include <limits>
#include <map>
#include <optional>
#include <QPointer>

// An array of controls that share the tab index with two other arrays. Elements are
// created at a given index and removed explicitly; a removed index leaves a gap. Looking
// up an index that names no element gives nullptr, so every caller can skip that step.
template <typename T> class ControlArray
{
public:
    static constexpr int maxIndex = std::numeric_limits<TabIndex>::max();

    T *operator()(int index) const
    {
        const auto it = m_elements.find(index);
        return it == m_elements.end() ? nullptr : it->second.data();
    }

    T *operator()(std::optional<TabIndex> index) const { return index ? (*this)(*index) : nullptr; }

    // A float field is never an index by itself: it goes through toTabIndex first.
    T *operator()(float) const = delete;
    T *operator()(double) const = delete;

    // The largest index of an existing element; 0 while only the template exists.
    int ubound() const { return m_elements.empty() ? 0 : m_elements.rbegin()->first; }

    // Takes the element in at index; refuses an index outside 0..32767 or one in use.
    bool load(int index, T *element)
    {
        if (!element || index < 0 || index > maxIndex || m_elements.contains(index))
            return false;
        m_elements.emplace(index, element);
        return true;
    }

    // Gives the element at index back to the caller, who destroys it; nullptr for a gap.
    T *unload(int index)
    {
        const auto it = m_elements.find(index);
        if (it == m_elements.end())
            return nullptr;
        T *element = it->second.data();
        m_elements.erase(it);
        return element;
    }

    std::optional<int> indexOf(const T *element) const
    {
        for (const auto &[index, candidate] : m_elements)
            if (candidate.data() == element)
                return index;
        return std::nullopt;
    }

    int count() const { return static_cast<int>(m_elements.size()); }

    // Existing elements in ascending index order, template included.
    template <typename Fn> void forEach(Fn &&fn) const
    {
        for (const auto &[index, element] : m_elements)
            if (element)
                fn(index, element.data());
    }

private:
    // QPointer so that an element destroyed behind the array's back reads as a gap.
    std::map<int, QPointer<T>> m_elements;
};
