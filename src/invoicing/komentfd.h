#pragma once
// Module 26: comments on companies (komentf.db), the window "Komentár (Firma)".
#include "invoicing/commentform.h"

namespace vidoraw {

class TfKomentfd : public TfKomentar {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kKomentf;
    static TableSchema Schema() { return ChunkSchema(); }
    explicit TfKomentfd(AppContext& app);
    void DefineList() override;

    QLineEdit* eIco = nullptr;
    QLineEdit* eNazov = nullptr;
    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eUlica = nullptr;
    QLineEdit* eCislo = nullptr;
    QLineEdit* eObec = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    QLineEdit* eStat = nullptr;

protected:
    void showOwner(qint64 companyCode) override;
};

// The comment of the company with this code, edited over `over`; answers whether it was saved.
bool EditCompanyComment(AppContext& app, qint64 companyCode, QWidget* over);

} // namespace vidoraw
