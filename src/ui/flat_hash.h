#pragma once

#include <cstdint>
#include <vector>

namespace arvelo::ui {

// The hash of a record's key to the record, in one array with linear probing:
// a lookup touches one cache line in the common case, where a node-based map
// would chase pointers. Several records may share a hash (equal keys or a
// collision); callers compare the keys of the records they are given.
class TFlatHash {
public:
    static constexpr std::uint32_t Empty = 0xFFFFFFFFu;
    static constexpr std::uint32_t Removed = 0xFFFFFFFEu;

    void clear() {
        m_slots.clear();
        m_used = 0;
        m_removed = 0;
    }

    void reserve(std::size_t count) {
        if ((count + m_removed) * 2 > m_slots.size()) {
            rehash(count);
        }
    }

    void insert(std::uint64_t hash, std::uint32_t id) {
        reserve(m_used + 1);
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& s = m_slots[i];
            if (s.id == Empty) {
                s = {hash, id};
                ++m_used;
                return;
            }
        }
    }

    void erase(std::uint64_t hash, std::uint32_t id) {
        if (m_slots.empty()) {
            return;
        }
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask; m_slots[i].id != Empty; i = (i + 1) & mask) {
            if (m_slots[i].id == id) {
                m_slots[i].id = Removed;
                --m_used;
                ++m_removed;
                return;
            }
        }
    }

    // Calls f(id) for every record stored under the hash; f returns false to stop.
    template <class F> void forEach(std::uint64_t hash, F&& f) const {
        if (m_slots.empty()) {
            return;
        }
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask; m_slots[i].id != Empty; i = (i + 1) & mask) {
            const Slot& s = m_slots[i];
            if (s.hash == hash && s.id != Removed && !f(s.id)) {
                return;
            }
        }
    }

    std::size_t size() const { return m_used; }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t id = Empty;
    };

    void rehash(std::size_t count) {
        std::size_t capacity = 16;
        while (capacity < count * 2 + 2) {
            capacity *= 2;
        }
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(capacity, Slot{});
        m_used = 0;
        m_removed = 0;
        for (const Slot& s : old) {
            if (s.id != Empty && s.id != Removed) {
                insert(s.hash, s.id);
            }
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    std::size_t m_removed = 0;
};

} // namespace arvelo::ui
