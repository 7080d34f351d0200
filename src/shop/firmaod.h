#pragma once
// Lens suppliers (FIRMAO.DB): the firms the contact-lens types name.
#include "shop/namedlistform.h"

namespace vidoraw {

class TfFirmaod : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kFirmao;
    static TableSchema Schema();
    explicit TfFirmaod(AppContext& app);

    void DefineList() override;

    QLineEdit* eUlica = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    QLineEdit* eIco = nullptr;
    QLineEdit* eDico = nullptr;
    QLineEdit* eTelefon = nullptr;
    QLineEdit* eFax = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
