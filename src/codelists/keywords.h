#pragma once
// Company keywords as the company list uses them: the window that assigns the keywords of one
// company, the choice of a keyword for filtering the list, and the test behind that filter.
#include <QString>

class QWidget;

namespace vidoraw {

struct AppContext;

// The window "Priradené heslá" for the company with this code, centred over owner; answers
// whether it saved the company's keywords.
bool AssignKeywords(AppContext& app, qint64 companyCode, QWidget* owner);
// The window "Výber hesla": true with the chosen keyword's code; false when the user gave up
// or there is no keyword to choose.
bool ChooseKeyword(AppContext& app, QWidget* owner, QString& keywordCode);
// Whether the company has the keyword.
bool CompanyHasKeyword(AppContext& app, qint64 companyCode, const QString& keywordCode);

} // namespace vidoraw
