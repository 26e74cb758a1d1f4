#pragma once
// Job cards on paper for signing: one page a card, the same for printer and
// PDF.

#include "entry/cardsheets.h"

class QPagedPaintDevice;

namespace output {

// The line on top of every card.
inline constexpr const char* kCardOrganisation = "KARVELA  -  MONTHLY JOB CARD";
inline constexpr const char* kEmployeeSignature = "Signature of the employee";
inline constexpr const char* kHeadSignature = "Signature of the head of department";

// Paints one page a card on the device; returns the number of pages.
int paintCards(QPagedPaintDevice& device, const QList<entry::PrintedCard>& cards);
// The cards as a PDF file (A4 portrait); empty text on success, else why not.
QString writeCardsPdf(const QList<entry::PrintedCard>& cards, const QString& path);

} // namespace output
