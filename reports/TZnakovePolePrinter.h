#pragma once

class QPainter;
class TZnakovePole;

// Draws a character grid as a line printer prints it: every non-empty slot of a row at x = 0 of
// that row, in a monospace font at the slot's pitch (bold for odd slots; italic and underline are
// not printed), so texts of different pitches on one row print over each other. Rows are one
// line spacing apart. `dotsPerInchX/Y` are the painter's units per inch; 0 takes the painted
// device's resolution.
void PrintZnakovePole(QPainter& painter, const TZnakovePole& grid, double dotsPerInchX = 0,
                      double dotsPerInchY = 0);
