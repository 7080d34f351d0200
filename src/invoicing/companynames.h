#pragma once
// A company's names as invoices, receipts and summaries print them, found by its IČO. An IČO
// that is not in the company list gives empty texts.
#include <QString>

namespace vidoraw {

struct AppContext;

// The company name; for a private person "surname first-name title".
QString CompanyDisplayName(AppContext& app, const QString& ico);
// The company name; for a private person "title first-name surname".
QString CompanyFormalName(AppContext& app, const QString& ico);
// The owner or the person: "title first-name surname".
QString CompanyOwnerName(AppContext& app, const QString& ico);
// Street, house number and municipality, then postal code, post office and state.
QString CompanyAddressLine(AppContext& app, const QString& ico);

} // namespace vidoraw
