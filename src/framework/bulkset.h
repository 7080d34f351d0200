#pragma once
// "Hromadné dosadenie": one field of every listed record set to a value, or to one of a list
// of values chosen at random, optionally only where the field holds a given value. The
// records are those of the list as it stands (its order and filter) when the user starts.
#include "framework/tfmojform.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace vidoraw {

class TfBrowse;
class TfDbForm;

// The next of n lines chosen by the program's one random sequence (seed 0 at start).
int RandomChoice(AppContext& app, int n);

class TfBulkSet : public TfMojForm {
    Q_OBJECT
public:
    TfBulkSet(TfDbForm& form, QWidget* parent = nullptr);

    // "Vykonaj dosadenie"; answers how many records were set.
    int execute();

    QCheckBox* cbJednoznacne = nullptr;
    QLineEdit* eMeno = nullptr;     // field of the exact mode
    QLineEdit* eHodnota = nullptr;
    QCheckBox* cbNahodne = nullptr;
    QLineEdit* eMenoNahodne = nullptr;
    QPlainTextEdit* mHodnoty = nullptr; // candidates, one per line
    QCheckBox* cbPodmienka = nullptr;
    QLineEdit* ePodmienka = nullptr;
    QPushButton* bVykonaj = nullptr;
    QProgressBar* pbPriebeh = nullptr;
    QLabel* lPriebeh = nullptr;

private:
    void showProgress(int processed, int count, int set);
    TfDbForm& form_;
};

// The command of the list's other-commands menu.
void RunBulkSet(TfDbForm& form, TfBrowse* browser);

} // namespace vidoraw
