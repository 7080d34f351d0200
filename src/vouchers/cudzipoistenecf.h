#pragma once
// "Cudzí poistenec": state, identification number and sex of a patient insured abroad (F8 in
// the birth number of a voucher). Nothing is checked.
#include "framework/tfmojform.h"

namespace vidoraw {

class TfCudziPoistenecf : public TfMojForm {
    Q_OBJECT
public:
    explicit TfCudziPoistenecf(AppContext& app, QWidget* parent = nullptr);

    QLineEdit* eStat = nullptr;
    QLineEdit* eIc = nullptr;
    QLineEdit* ePohlavie = nullptr;
};

} // namespace vidoraw
