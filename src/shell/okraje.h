#pragma once
// The page margins dialog "Okraje stránky pre tlač": the four margins of the system record
// (OKRAJL, OKRAJP, OKRAJH, OKRAJD, in millimetres) that list prints leave free.
#include "framework/tfmojform.h"

class QLineEdit;

namespace vidoraw {

class TfOkraje : public TfMojForm {
    Q_OBJECT
public:
    explicit TfOkraje(AppContext& app, QWidget* parent = nullptr);

    QLineEdit* eLavy = nullptr;
    QLineEdit* ePravy = nullptr;
    QLineEdit* eHorny = nullptr;
    QLineEdit* eDolny = nullptr;

protected:
    // Every margin is checked before anything is written: a wrong one keeps the dialog open
    // with the focus in it and the system record as it was.
    bool closeWithOk() override;
    bool closeWithBack() override;
    bool checkOnLeave(QWidget* control) override;

private:
    bool checkMargin(QLineEdit* edit);
};

// Runs the dialog; afterwards the report writer takes the margins the system record holds.
void EditPageMargins(AppContext& app, QWidget* owner);

} // namespace vidoraw
