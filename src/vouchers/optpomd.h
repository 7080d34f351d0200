#pragma once
// Optical aids (OPTPOM.DB): what may be prescribed, its prices and its VAT rate.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfOptpomd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kOptpom;
    static TableSchema Schema();
    explicit TfOptpomd(AppContext& app);

    void DefineList() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;
    // "Od&stráň haliere": after the question, cuts the fraction off every CENA.
    void RemoveHellers(TfBrowse* browser);

    QLineEdit* eKodpom = nullptr;
    QLineEdit* eNazov = nullptr;
    QLineEdit* eDoplnok = nullptr;
    QLineEdit* eMj = nullptr;
    QLineEdit* eVyrobca = nullptr;
    QLineEdit* eKrajina = nullptr;
    QLineEdit* eObmedz = nullptr;
    QLineEdit* eObmedz1 = nullptr;
    QLineEdit* eCenamf = nullptr;
    QLineEdit* eCenapoi = nullptr;
    QLineEdit* eCena = nullptr;
    QLineEdit* eDph = nullptr;

protected:
    bool checkField(QWidget* control) override;

private:
    bool checkPrice(QLineEdit* edit);
    bool checkVatRate();
};

} // namespace vidoraw
