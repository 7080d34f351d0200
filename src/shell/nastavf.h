#pragma once
// The settings dialog "Nastavenia": two options of the system record, PACNIE and RCMOD11.
#include "framework/tfmojform.h"

class QCheckBox;

namespace vidoraw {

class TfNastavf : public TfMojForm {
    Q_OBJECT
public:
    explicit TfNastavf(AppContext& app, QWidget* parent = nullptr);

    QCheckBox* cbPacnie = nullptr;
    QCheckBox* cbRcmod11 = nullptr;

protected:
    // Writes both options under the write lock; a refused write keeps the dialog open.
    bool closeWithOk() override;
};

} // namespace vidoraw
