#pragma once

class QString;
class QWidget;
class TallyContext;

// Taking over the older program's stand database (Paradox tables) from the windows: a progress
// window with "Přerušit" and a closing summary; the work is OldDatabaseTakeOver's.
namespace OldDatabaseCommands {

// "Převzít databázi starší verze…": the old directory is chosen and its stands are taken over
// into the current database; keys held there already are listed, not overwritten.
void TakeOverChosen(TallyContext& context, QWidget* parent);

// The old directory was chosen as the database: "Složka obsahuje databázi starší verze
// programu. Převzít porosty do nové databáze?" Yes: a directory for the new database (a new one
// beside the old is offered), its tables, the take-over. True when the database is the new one
// with the stands; false (No, cancelled, failed) goes back to choosing.
bool OfferTakeOver(TallyContext& context, QWidget* parent, const QString& oldDirectory);

} // namespace OldDatabaseCommands
