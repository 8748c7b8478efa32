#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file dialogs of the windows. Filters are given as the program writes them
// ("Popis (*.X)|*.X|Všechny soubory (*.*)|*.*"). In scripted mode (tests) no dialog opens: each
// call records its title and takes the next queued file name; an empty name, or none queued,
// means cancelled.
class FileDialog {
  public:
    static QString getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                   const QString& filter);
    // Asks before overwriting an existing file. A name typed without an extension gets the one of
    // the chosen filter ("sestava" → "sestava.pdf"); "Všechny soubory" adds none.
    static QString getSaveFileName(QWidget* parent, const QString& title, const QString& directory,
                                   const QString& filter);
    // An open dialog that accepts any name (existing or not, several selectable); the first name
    // is returned. The database directory choice uses only its directory. A hint is shown as a
    // sentence under the file list.
    static QString getAnyFileName(QWidget* parent, const QString& title, const QString& directory,
                                  const QString& filter, const QString& fileName, const QString& hint = {});

    // "A (*.X)|*.X|B (*.*)|*.*" → "A (*.X);;B (*)": pairs of description and pattern.
    static QString QtFilter(const QString& filter);
    // `name` with the extension of the first pattern of `qtFilterEntry` ("PDF (*.pdf)") when it
    // has none of its own.
    static QString WithExtension(const QString& name, const QString& qtFilterEntry);

    static void setScripted(bool on);
    static bool scripted();
    static void setNextFileName(const QString& name);
    // Titles of the dialogs asked for since the last call.
    static QStringList takeRequests();
    // Their filters as the dialogs offer them ("A (*.X *.x);;B (*)").
    static QStringList takeFilters();

  private:
    static bool takeScripted(const QString& title, const QString& filter, QString* name);
};
