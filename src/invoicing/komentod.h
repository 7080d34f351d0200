#pragma once
// Module 23: comments on company persons (komento.db), the window "Komentár (Osoba)".
#include "invoicing/commentform.h"

namespace vidoraw {

class TfKomentod : public TfKomentar {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kKomento;
    static TableSchema Schema() { return ChunkSchema(); }
    explicit TfKomentod(AppContext& app);
    void DefineList() override;

    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;

protected:
    void showOwner(qint64 personCode) override;
};

// The comment of the person with this code, edited over `over`; answers whether it was saved.
bool EditPersonComment(AppContext& app, qint64 personCode, QWidget* over);

} // namespace vidoraw
