#pragma once

#include "StandSink.h"
#include "TManualy225.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Helpers of the import tests.
namespace importtest {

// Lines of a file under tests/data/import.
QStringList sampleLines(const QString& name);
QString samplePath(const QString& name);

// Trees of a species in the class with this centre (-1 when there is no such class).
double treesAt(const TManual225& species, double centre);
// Index of the element whose centre is this, -1 when none.
int elementAt(const TManual225& species, double centre);

// A stand sink in memory: keys from 1 (or from `firstKey`), every saved stand kept.
class MemorySink : public StandSink {
  public:
    explicit MemorySink(int firstKey = 1) : m_next(firstKey) {}
    int AllocateStandKey() override { return m_next++; }
    void SaveStand(const TManualy225& stand, int key) override {
        if (failOnSave && failOnSave(key))
            throw std::runtime_error("save failed");
        saved.push_back({key, stand});
    }
    struct Saved {
        int key;
        TManualy225 stand;
    };
    std::vector<Saved> saved;
    std::function<bool(int key)> failOnSave;

  private:
    int m_next;
};

} // namespace importtest
