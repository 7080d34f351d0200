#pragma once
// Module 35: invoices and credit notes (FAK.DB) to companies of the company list or to
// insurers. The form holds the supplier and customer blocks, the dates and codes of the
// invoice and its totals; the lines are the items editor's (module 36), saved in the same
// transaction as the invoice.
#include "framework/tfdbform.h"
#include "invoicing/insurertransfer.h"
#include "invoicing/invoicestatistics.h"
#include "invoicing/vatrates.h"

class QLabel;
class QPushButton;

namespace vidoraw {

class TfPold;

class TfFakd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kFak;
    static TableSchema Schema();
    explicit TfFakd(AppContext& app);

    int ShowRecord() override;
    int CopyRecord() override;
    void LoadFields() override;
    void StoreFields() override;
    void DefineList() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;
    QList<QAction*> filterCommands(TfBrowse* browser, QObject* parent) override;
    // Marks (INDIK "A") of the listed invoices, each changed under the write lock; answers how
    // many changed.
    enum class MarkChange { MarkAll, UnmarkAll, Invert };
    int changeMarks(MarkChange change);
    [[nodiscard]] bool setMark(bool marked);
    // "Hromadné vymazanie": the listed invoices with a KOD in the range asked for, each with
    // its lines; answers how many went.
    int deleteRange();
    // "Štatistiky": the listed invoices summed in the window "Sumárne údaje".
    int ShowStatistics(InvoiceStatistic kind);
    bool PrintList(TfBrowse* browser, const QString& extraHeading) override;
    // The print menu's commands: the current invoice or all listed, drawn or from the forms,
    // and the list itself.
    QList<QAction*> printCommands(TfBrowse* browser, QObject* parent);
    bool printInvoices(bool all, bool fromTemplate, QWidget* owner);
    bool removeCurrentRecord() override;

    // "Pridaj dobropis": a credit note added (through the list when there is one).
    int AddCreditNote(TfBrowse* browser = nullptr);
    const QString& invoiceType() const { return type_; }
    bool vatPayer() const { return vatPayer_; }
    double roundingCode() const { return roundingCode_; }
    // The rates the invoice's lines are checked and summed with: those in force at its supply
    // date (the run's rates while the date is not valid).
    VatRates ratesOfTheInvoice() const;
    // "Položky": the items editor on this invoice's lines.
    void editItems();
    TfPold& items();

    void FillSupplierBlock();
    void proposeDatesAndSupplier();
    void FillCustomerBlock();

    // "Z poisťovne": works once the billing has handed in how an insurer invoice is summed.
    void setInsurerTotals(InsurerTotalsSource source);
    // The insurer invoice picked from their list fills the invoice; false when none was picked.
    bool TransferInsurerInvoice();
    void fillFromInsurerInvoice(qint64 insurerInvoiceCode);
    // The invoice's customer is an insurer (source "1"): found by its code, or picked.
    bool LookupInsurerCustomer();
    void PickInsurerCustomer();
    void FillInsurerCustomerBlock();
    const QString& customerSource() const { return source_; }
    const QString& insurerCode() const { return insurer_; }

    QLineEdit* eCisfaktu = nullptr;
    QLineEdit* eKonsts = nullptr;
    QLineEdit* eKsNazov = nullptr;
    QLineEdit* eCisObjed = nullptr;
    QLineEdit* eCisDodl = nullptr;
    QLineEdit* eIcoDod = nullptr;
    QLineEdit* eNazovDod = nullptr;
    QLineEdit* eOsobaDod = nullptr;
    QLineEdit* ePscDod = nullptr;
    QLineEdit* ePostaDod = nullptr;
    QLineEdit* eUcetDod = nullptr;
    QLineEdit* eUcetNazov = nullptr;
    QLineEdit* eUcetCislo = nullptr;
    QLabel* lDicDod = nullptr;
    QLineEdit* eDicDod = nullptr;
    QLabel* lIcdphDod = nullptr;
    QLineEdit* eIcdphDod = nullptr;
    QLineEdit* eIcoOdb = nullptr;
    QLineEdit* eNazovOdb = nullptr;
    QLineEdit* eOsobaOdb = nullptr;
    QLineEdit* eUlicaOdb = nullptr;
    QLineEdit* ePscOdb = nullptr;
    QLineEdit* ePostaOdb = nullptr;
    QLabel* lDicOdb = nullptr;
    QLineEdit* eDicOdb = nullptr;
    QLineEdit* ePrijNazov = nullptr;
    QLineEdit* ePrijPsc = nullptr;
    QLineEdit* ePrijPosta = nullptr;
    QLineEdit* eSpDopr = nullptr;
    QLineEdit* eDopravaNazov = nullptr;
    QLineEdit* eMiestoUrc = nullptr;
    QLineEdit* eMiestoPod = nullptr;
    QLineEdit* eDatSpl = nullptr;
    QLineEdit* eDatVys = nullptr;
    QLineEdit* eDatPln = nullptr;
    QLineEdit* eFormaUhr = nullptr;
    QLineEdit* eUhradaNazov = nullptr;
    QLineEdit* eMena = nullptr;
    QLineEdit* eMenaNazov = nullptr;
    QLineEdit* eDmena = nullptr;
    QLineEdit* eDmenaNazov = nullptr;
    QLineEdit* eKurz = nullptr;
    QLabel* lBezDph = nullptr;
    QLineEdit* eBezDph = nullptr;
    QLabel* lSuma = nullptr;
    QLineEdit* eSuma = nullptr;
    QPushButton* bPolozky = nullptr;
    QPushButton* bZPoistovne = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool CheckFields() override;
    void proposeNewValues() override;
    void focusFirstField() override;
    bool prepareSave() override;
    bool saveDependents() override;

private:
    QLineEdit* addCode(const QString& label, int maxLength, QLineEdit*& name);
    bool lookUpCode(QLineEdit* code, QLineEdit* name, int module, const char* keyField,
                    const char* nameField, bool mayPick);
    bool checkDate(QLineEdit* edit);
    bool checkCustomer();
    void showAccount();
    void showAdditionalCurrency();
    void showTotals();
    void clearCustomer();
    void prepareItems(qint64 invoiceCode, bool editable);
    QDate issueDate() const;

    QString type_ = QStringLiteral("F");
    QString addType_ = QStringLiteral("F");
    QString source_ = QStringLiteral("0");
    QString insurer_;
    QString showDm_;
    double roundingCode_ = 6;
    bool vatPayer_ = true;
    InsurerTotalsSource insurerTotals_;
    bool copying_ = false;
    bool viewing_ = false;
    QString proposedNumber_;
};

} // namespace vidoraw
