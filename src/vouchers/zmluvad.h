#pragma once
// Contracts with the insurers (ZMLUVA.db): insurer, valid-from date and contract number. The
// insurer's IČO is copied in when the insurer code is accepted.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfZmluvad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kZmluva;
    static TableSchema Schema();
    explicit TfZmluvad(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;

    QLineEdit* eKodpoi = nullptr;
    QLineEdit* eNazovPoi = nullptr; // the insurer's name, looked up
    QLineEdit* ePlatnost = nullptr;
    QLineEdit* eIcopoi = nullptr;
    QLineEdit* eCiszml = nullptr;

protected:
    bool checkField(QWidget* control) override;

private:
    // The accepted insurer's IČO into ICOPOI.
    void copyInsurerIco();
};

} // namespace vidoraw
