#pragma once

#include <QDialog>

class QComboBox;
class QCompleter;

// "Nová dřevina": picks a species by its Czech name. The names (CBSeznNazvu) and the invisible
// abbreviations (SeznVsechDrev) are in the same order, so the index of a name gives its
// abbreviation. The list of names drops down as soon as the name box gets the focus, and typing
// narrows it to the names that begin with the text.
class TVyberNoveDrev : public QDialog {
    Q_OBJECT
  public:
    explicit TVyberNoveDrev(QString settingsFile, QWidget* parent = nullptr);
    ~TVyberNoveDrev() override;

    // Shows the dialog modally; true only after "Vybrat".
    bool Choose();
    bool vybrano() const { return m_vybrano; }
    // The abbreviation of the name or the abbreviation in the box ("Buk lesní" or "BK"); empty
    // when the text names no species.
    QString chosenAbbreviation() const;

    QComboBox* names() const { return m_names; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showNameList();

    QString m_settingsFile;
    QComboBox* m_names = nullptr;
    QComboBox* m_abbreviations = nullptr;
    QCompleter* m_completer = nullptr;
    bool m_vybrano = false;
};
