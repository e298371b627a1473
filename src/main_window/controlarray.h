#pragma once

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <QPointer>

// Tab index of the three parallel arrays: a 16-bit element index. Element 0 is the hidden
// template; tabs start at 1.
using TabIndex = qint16;

// `current`, `lastone` and a header's `myindex` are floats that hold whole numbers; every
// use as an index takes the nearest integer. A value outside the 16-bit range names no
// element at all.
inline std::optional<TabIndex> toTabIndex(float value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const float rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<TabIndex>::min()
        || rounded > std::numeric_limits<TabIndex>::max())
        return std::nullopt;
    return static_cast<TabIndex>(rounded);
}

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
