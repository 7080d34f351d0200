#pragma once
// "Okuliare bez pokuazu": the glasses records of one client, oldest first, added, edited and
// deleted through the glasses form.
#include "vouchers/clientrecords.h"

namespace vidoraw {

class TfOkubpm : public ClientRecordsDialog {
    Q_OBJECT
public:
    TfOkubpm(AppContext& app, qint64 clientCode, QWidget* parent = nullptr);

    void commandAdd();
    void commandEdit();
    void commandDelete();
};

} // namespace vidoraw
