#pragma once
// Notes of the customer cards (koment.db): the chunks the card's notes are kept in.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfKomentd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kKoment;
    static TableSchema Schema();
    explicit TfKomentd(AppContext& app);

    void DefineList() override;

    QLineEdit* eKodh = nullptr;
    QLineEdit* eText = nullptr;
};

} // namespace vidoraw
