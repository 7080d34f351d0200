#pragma once
// Municipalities (OBCE.DB) with their postal code and district. The post office is not
// stored: the list shows it through the calculated field Posta.
#include "framework/tfdbform.h"

namespace vidoraw {

// The key other forms find a municipality by: the name padded to 35 characters, then the
// postal code.
QString MunicipalityKey(const QString& name, const QString& postalCode);

class TfObecd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kObce;
    static TableSchema Schema();
    explicit TfObecd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;
    void StoreFields() override;

    QLineEdit* eNazov = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* ePosta = nullptr;
    QLineEdit* eOkres = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool CheckFields() override;
};

} // namespace vidoraw
