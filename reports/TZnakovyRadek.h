#pragma once

#include <QString>
#include <array>

// One row of the character grid: a text line per pitch and font variant.
// Slot number = pitch × 8 + variant (variant bits: 1 bold, 2 italic, 4 underline).
class TZnakovyRadek {
  public:
    static constexpr int SlotCount = 24;

    const QString& slot(int index) const { return m_slots[size_t(index)]; }
    void setSlot(int index, const QString& text) { m_slots[size_t(index)] = text; }
    void clear() {
        for (QString& s : m_slots)
            s.clear();
    }
    bool isEmpty() const {
        for (const QString& s : m_slots)
            if (!s.isEmpty())
                return false;
        return true;
    }

  private:
    std::array<QString, SlotCount> m_slots;
};
