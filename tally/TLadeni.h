#pragma once

#include <QWidget>
#include <map>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class TallyContext;

// "Ladeni": the diagnostic window with the species lists and, on each showing, the editing-state
// flags and the stand key. Shown only by the tally sheet's hidden button.
class TLadeni : public QWidget {
    Q_OBJECT
  public:
    TLadeni(TallyContext& context, QWidget* parent = nullptr);

    // DrevJako as the tally sheet builds it at its first showing.
    void setDrevJako(const QStringList& lines);
    // The two counters the refresh writes: items of the species combo, species of the stand.
    void setCounts(int speciesItems, int standSpecies);
    // The flags and the key as check boxes and text.
    void showFlags();

    QPlainTextEdit* list(const QString& name) const;
    QCheckBox* flag(const QString& caption) const;

  signals:
    void sestavaRequested();
    void prumerkaRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TallyContext& m_ctx;
    std::map<QString, QPlainTextEdit*> m_lists;
    std::map<QString, QCheckBox*> m_flags;
    QLineEdit* m_key = nullptr;
    QLineEdit* m_itemCount = nullptr;
    QLineEdit* m_speciesCount = nullptr;
};
