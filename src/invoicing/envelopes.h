#pragma once
// Envelopes: the sender from the owner record and the addressee from the current company,
// put into the envelope template of one of four formats and printed or shown.
#include <QString>
#include <QStringList>

class QWidget;

namespace vidoraw {

struct AppContext;
class Table;

inline constexpr int kEnvelopeFormats = 4;
// "Formát 114 x 163" ... "Formát 125 x 177 doporučene" for format 0 ... 3.
QString EnvelopeFormatCaption(int format);
// "obalkaa.dsz" ... "obalkad.dsz".
QString EnvelopeTemplateName(int format);
// "04001" and "Košice 1" give "040 01  Košice 1": the postal code without blanks split
// after its third character, two blanks, the post office.
QString EnvelopePostalLine(const QString& postalCode, const QString& postOffice);
// Fills the template's sender placeholders from the owner record and its addressee
// placeholders from the current record of the company table.
void FillEnvelope(AppContext& app, Table& companies, QStringList& lines);
// The envelope of the company current in the company table; false when cancelled or failed.
bool PrintEnvelope(AppContext& app, int format, QWidget* owner);
// One envelope per listed company, one page each, the list's position kept.
bool PrintEnvelopesForAll(AppContext& app, int format, QWidget* owner);

} // namespace vidoraw
