#pragma once
// The common commands of a list's filter menu, on the module's table and its owner browser.
#include <QString>

namespace vidoraw {

class TfBrowse;
class TfDbForm;

// "&Nový filter": the builder over the list's fields; OK applies what it built.
void NewFilter(TfDbForm& form, TfBrowse* browser);
// "&Výber z existujúcich": a saved filter of the list picked and applied, its placeholder
// ($OBEC, else $OKRES) asked for first.
void PickSavedFilter(TfDbForm& form, TfBrowse* browser);
// "&Filtrovací reťazec": what filters the list now.
void ShowFilterText(TfDbForm& form, TfBrowse* browser);
// The text of that notice.
QString FilterStateText(TfDbForm& form);

} // namespace vidoraw
