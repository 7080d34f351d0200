#pragma once
// Contact-lens types (typks.db), each naming its supplier from the lens suppliers (module 44).
#include "shop/namedlistform.h"

namespace vidoraw {

class TfTypksd : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kTypks;
    static TableSchema Schema();
    explicit TfTypksd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;

    QLineEdit* eKodf = nullptr;
    QLineEdit* eNazovf = nullptr; // the supplier's name, looked up

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
