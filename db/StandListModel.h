#pragma once

#include "StandDatabase.h"
#include "StandStore.h"

#include <QAbstractTableModel>
#include <vector>

// The list of the stand list window "Seznam porostů": the used stands of the stand table ordered
// by river, bank, river kilometre and action name, filtered by the check boxes "Vypočtené" and
// "Nevypočtené", in Czech order (CzechCollation). Columns: "KLIC", "Tok", "Břeh", "Říční kilometr", "Název
// Akce", "VYPOČTENO". The rows are read into memory by refresh(); no query stays open.
class StandListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Row {
        int key = 0;
        QString river, bank, riverKm, action;
        double area = 0;
        bool computed = false; // VYPOCTENO
        bool summary = false;  // SOUHRN
    };
    static constexpr int ColumnCount = 6;

    explicit StandListModel(StandDatabase& db, QObject* parent = nullptr);

    // The filter of the two boxes: both → none, only computed → "Vypocteno", only not computed →
    // "not Vypocteno", none → "Vypocteno and not Vypocteno" (nothing passes).
    static QString FilterText(bool computed, bool notComputed);
    // Sets the boxes' state and re-reads the list.
    void setFilter(bool computed, bool notComputed);
    const QString& filter() const { return m_filter; }

    // Re-reads the list query with the current filter.
    void refresh();
    const std::vector<Row>& rows() const { return m_rows; }
    // KLIC of a row, 0 when there is no such row (an empty list).
    int keyAt(int row) const;

    // "Zruš porost" after the question: frees the row's stand and re-reads the list. False, with
    // every row left as it was, when there is no such row.
    bool DeleteStand(int row, StandStore& store);
    static UserMessage DeleteQuestion();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    StandDatabase& m_db;
    QString m_filter;
    std::vector<Row> m_rows;
};
