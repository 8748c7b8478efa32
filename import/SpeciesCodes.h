#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The distinct species codes of a caliper file in the order met, cut to
// SpeciesAssignment::MaxCodeLength and trimmed, compared case-insensitively. A file with more
// distinct codes than an assignment grid can sensibly show is refused as it is read.
class SpeciesCodes {
  public:
    static constexpr int MaxCodes = 10000;

    // Adds a code unless it is empty or listed already; the code beyond MaxCodes is a RivwoodError.
    void Add(const QString& code);
    const QStringList& list() const { return m_codes; }

  private:
    QStringList m_codes;
    QSet<QString> m_folded;
};
