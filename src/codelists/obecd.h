#pragma once
// Municipalities (OBCE.DB) with their postal code and district. The post office is not
// stored: the list shows it through the calculated field Posta.
#include "codelists/codelistform.h"

namespace vidoraw {

// The key other forms find a municipality by: the name padded to 35 characters, then the
// postal code.
QString MunicipalityKey(const QString& name, const QString& postalCode);

class TfObecd : public TfCodeListForm {
    Q_OBJECT
public:
    explicit TfObecd(AppContext& app);

    FieldDefs tableFields() const override;
    IndexDefs tableIndexes() const override;
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
