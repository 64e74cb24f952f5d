#pragma once
// A container of non-owned pointers with stable indices: removing leaves a null hole that the
// next Add reuses (the slot freed last first); it compacts when more than half the slots are holes.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

template <class T>
class cSlotArray {
 public:
  virtual ~cSlotArray() = default;

  void Add(T* p) {
    if (p == nullptr) return;
    if (m_free.empty()) {
      m_slots.push_back(p);
    } else {
      m_slots[m_free.back()] = p;
      m_free.pop_back();
    }
    ++m_live;
  }

  bool Remove(T* p) {
    if (p == nullptr) return false;
    auto it = std::find(m_slots.begin(), m_slots.end(), p);
    if (it == m_slots.end()) return false;
    m_free.push_back(static_cast<uint32_t>(it - m_slots.begin()));
    *it = nullptr;
    --m_live;
    if (2 * static_cast<std::size_t>(m_live) < m_slots.size()) {
      m_slots.erase(std::remove(m_slots.begin(), m_slots.end(), nullptr), m_slots.end());
      m_free.clear();
    }
    return true;
  }

  uint32_t LiveCount() const { return m_live; }
  std::size_t SlotCount() const { return m_slots.size(); }
  T* At(std::size_t index) const { return m_slots[index]; }
  const std::vector<T*>& Slots() const { return m_slots; }

 private:
  uint32_t m_live = 0;
  std::vector<T*> m_slots;
  std::deque<uint32_t> m_free;
};
