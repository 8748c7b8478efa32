#pragma once

#include "TStranaPrvku.h"

class QPainter;

// Draws output items on a painter whose units are hundredths of an inch.
namespace ReportItemPainter {

void paintPage(QPainter& painter, const TStranaPrvku& page);
void paintItem(QPainter& painter, const TVystPrvek& item);

} // namespace ReportItemPainter
