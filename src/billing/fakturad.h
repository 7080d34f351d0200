#pragma once
// Insurer invoices (FAKTURA.DB): one per insurer contract and month, owning the month's
// batches, which own the vouchers. The contract's number, IČO and insurer are shown with
// every record.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfFakturad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kFaktura;
    static TableSchema Schema();
    explicit TfFakturad(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;
    // The invoice with its batches and their vouchers; the caller holds the write lock, so it
    // is all one transaction.
    bool removeCurrentRecord() override;

    // The list commands.
    void BatchList(TfBrowse* browser);
    void PrintSummary(TfBrowse* browser);
    void PrintProtocol(TfBrowse* browser);
    void PeriodStatistics(TfBrowse* browser);
    void BulkDelete(TfBrowse* browser);

    QLineEdit* eCisfak = nullptr;
    QLineEdit* eObdmm = nullptr;
    QLineEdit* eObdrr = nullptr;
    QLineEdit* eKodzml = nullptr;
    QLineEdit* eCiszml = nullptr;
    QLineEdit* eIcopoi = nullptr;
    QLineEdit* eKodpoi = nullptr;
    QLineEdit* eNazovpoi = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool checkOnLeave(QWidget* control) override;

private:
    // Contract number, IČO, insurer code and name of the contract in the box (empty when
    // there is none).
    void showContract(bool found);
};

// The contract's number, IČO, insurer code and the insurer's name, by the contract's KOD;
// empty texts for whatever is not found.
struct ContractInfo {
    QString number; // CISZML
    QString ico;    // ICOPOI
    QString insurer; // KODPOI
    QString insurerName;
    QString insurerMail;
};
ContractInfo ContractOf(AppContext& app, const QString& contractCode);

} // namespace vidoraw
