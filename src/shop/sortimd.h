#pragma once
// The lens assortment (SORTIM.DB): named items, each tied to an optical aid (module 13).
#include "shop/namedlistform.h"

namespace vidoraw {

class TfSortimd : public NamedListForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kSortim;
    static TableSchema Schema();
    explicit TfSortimd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;

    QLineEdit* eKodp = nullptr;
    QLineEdit* eNazovPom = nullptr;  // the aid's name, looked up
    QLineEdit* eDoplnok = nullptr;   // and its supplement

protected:
    bool checkField(QWidget* control) override;

private:
    void showAidSupplement();
};

} // namespace vidoraw
