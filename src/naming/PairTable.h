#pragma once

#include <QtGlobal>

#include <vector>

namespace tolvane {

// Two characters packed as one key (first << 32 | second); a single character is (c, 0).
constexpr quint64 characterPair(char32_t first, char32_t second = 0)
{
    return (quint64(first) << 32) | second;
}

// A table keyed by characters packed in 64 bits (a pair as first << 32 | second, or one character), for the loops
// of the suggestions that look up tens of thousands of pairs: open addressing, one multiplication to hash, no
// allocation per entry. Key 0 stands for an empty slot and is never stored (no character is 0).
template <typename T> class PairTable {
public:
    void reserve(qsizetype count)
    {
        if (count * 2 > qsizetype(m_slots.size()))
            rehash(count * 2);
    }

    // The value of key, inserted as T() when missing.
    T &operator[](quint64 key)
    {
        Q_ASSERT(key != 0);
        if ((m_size + 1) * 2 > qsizetype(m_slots.size()))
            rehash((m_size + 1) * 2);
        Slot *slot = place(key);
        if (slot->key == 0) {
            slot->key = key;
            ++m_size;
        }
        return slot->value;
    }

    const T *find(quint64 key) const
    {
        if (m_slots.empty() || key == 0)
            return nullptr;
        const Slot *slot = const_cast<PairTable *>(this)->place(key);
        return slot->key == key ? &slot->value : nullptr;
    }
    T value(quint64 key, const T &fallback = T()) const
    {
        const T *found = find(key);
        return found ? *found : fallback;
    }
    bool contains(quint64 key) const { return find(key) != nullptr; }

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    void clear()
    {
        m_slots.clear();
        m_size = 0;
        m_shift = 64;
    }

private:
    struct Slot {
        quint64 key = 0;
        T value {};
    };

    // The slot that holds key, or the empty slot where it belongs.
    Slot *place(quint64 key)
    {
        const size_t mask = m_slots.size() - 1;
        size_t i = size_t((key * 0x9E3779B97F4A7C15ULL) >> m_shift);
        while (m_slots[i].key != 0 && m_slots[i].key != key)
            i = (i + 1) & mask;
        return &m_slots[i];
    }

    void rehash(qsizetype atLeast)
    {
        size_t capacity = 16;
        int shift = 60;
        while (capacity < size_t(atLeast)) {
            capacity *= 2;
            --shift;
        }
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.resize(capacity);
        m_shift = shift;
        for (Slot &slot : old) {
            if (slot.key != 0)
                *place(slot.key) = std::move(slot);
        }
    }

    std::vector<Slot> m_slots;
    qsizetype m_size = 0;
    int m_shift = 64;
};

} // namespace tolvane
