#pragma once
// "Poskytovateľ": the shop's own provider code and identifier (KODPZS, IDENTPZS of the system
// record), written into the batch header.
#include "framework/tfmojform.h"

namespace vidoraw {

class TfPoskytovatelf : public TfMojForm {
    Q_OBJECT
public:
    explicit TfPoskytovatelf(AppContext& app, QWidget* parent = nullptr);

    QLineEdit* eKodpzs = nullptr;
    QLineEdit* eIdentpzs = nullptr;

protected:
    // Checks both codes and writes them under the write lock; a refusal keeps the dialog open.
    bool closeWithOk() override;
};

} // namespace vidoraw
