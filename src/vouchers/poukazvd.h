#pragma once
// The voucher (POUKAZ.DB): one insured patient's prescription of up to four optical aids as the
// shop dispensed them, billed within one batch of one insurer invoice. The form adds, copies,
// changes and deletes vouchers only with the context its batch's voucher list hands over;
// opened from anywhere else it only shows them.
#include "framework/tfdbform.h"
#include "vouchers/aidlines.h"

#include <QDate>

#include <array>
#include <optional>

namespace vidoraw {

class EyeDataGrid;

// What the batch's voucher list hands the voucher form before each call.
struct VoucherBatchContext {
    qint64 invoiceCode = 0;  // KODFA of every voucher added
    qint64 batchCode = 0;    // KODDAV of every voucher added
    QDate prescriptionDate;  // "Predpis" of a new voucher: first day of the invoice's period
    QDate dispensingDate;    // "Výdaj" of a new voucher: last day of that month
    bool mayChange = false;  // adding, copying, changing and deleting allowed
    int sequenceNumber = 0;  // "Poradové číslo:", shown while above 0
};

class TfPoukazvd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPoukazv;
    static TableSchema Schema();
    explicit TfPoukazvd(AppContext& app, int number = kNumber);

    // The voucher list sets the context before it calls the form; another batch starts a new
    // series of additions.
    void setBatchContext(const VoucherBatchContext& context);
    const VoucherBatchContext& batchContext() const { return context_; }
    // When the form returns to the list: no more changes, no sequence number.
    void leaveBatch();
    // The next voucher added takes the invoice period's dates again, not the last voucher's.
    void beginAddingSeries();

    int AddRecord() override;
    int EditRecord() override;
    int ShowRecord() override;
    int DeleteRecord() override;
    int CopyRecord() override;
    void LoadFields() override;
    void StoreFields() override;
    void DefineList() override;
    void prepareList() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;
    // The whole table is never deleted from a list.
    bool deletionAllowed() const override { return false; }

    // "Nastavenie &kódov klientov": vouchers without a client get the code of the client with
    // the same four-field key.
    void SetClientCodes(TfBrowse* browser);

    // Keys of the birth number: F8 foreign insured person, F9 the last voucher's birth number and
    // doctor, Insert/F7 the client list; F5 in an aid line: a frequent voucher.
    void foreignInsured();
    void recallLast();
    void pickClient();
    void fillFromFrequent();

    QLineEdit* ePoradie = nullptr; // sequence number in the batch, shown only
    QLineEdit* eRodcis = nullptr;
    QLineEdit* eStatpoi = nullptr;
    QLineEdit* eIcpoi = nullptr;
    QLineEdit* ePohlpoi = nullptr;
    // The client, shown only: KODKLIENT and what the voucher copies (MENO ... PSC) are bound.
    QLineEdit* eKodklient = nullptr;
    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eUlica = nullptr;
    QLineEdit* eCislo = nullptr;
    QLineEdit* eObec = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    QLineEdit* eMail = nullptr;
    QLineEdit* eTel = nullptr;
    QLineEdit* eMobil = nullptr;
    QLineEdit* eKodpoikl = nullptr;
    QLineEdit* eNazovPoikl = nullptr;
    EyeDataGrid* eyes = nullptr;
    QLineEdit* eKods = nullptr;
    QLineEdit* eNazovS = nullptr;
    QLineEdit* eKodr = nullptr;
    QLineEdit* eNazovR = nullptr;
    QLineEdit* eNazr = nullptr;
    QLineEdit* eKodks = nullptr;
    QLineEdit* eNazovKs = nullptr;
    QLineEdit* eKodlek = nullptr;
    QLineEdit* eMenoLek = nullptr;
    QLineEdit* eKodnewLek = nullptr;
    QLineEdit* eKodpzsLek = nullptr;
    QLineEdit* eKodpoilek = nullptr;
    QLineEdit* eKodpec = nullptr;
    QLineEdit* eKoddiag = nullptr;
    QLineEdit* eNazovDiag = nullptr;
    AidLinesBox* aids = nullptr;
    std::array<AidLine, 4> lines{}; // the lines of aids
    QLineEdit* eSpoluPoi = nullptr;
    QLineEdit* eSpoluPac = nullptr;
    QLineEdit* eDatum = nullptr;
    QLineEdit* eDatumvyd = nullptr;

protected:
    bool CheckFields() override;
    bool checkField(QWidget* control) override;
    bool closeWithOk() override;
    void proposeNewValues() override;
    void focusFirstField() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    // The permission to change vouchers; without it the message, over the list.
    bool permitted(const QString& refusal);
    // Before each showing: the patient amounts as the system record wants them, the shown-only
    // values of another voucher gone.
    void prepareShowing();
    void clearShownOnly();

    bool checkBirthNumber();
    // Looks the client up by the four-field key and shows it; without a client the client's
    // fields and KODKLIENT are emptied. takeDistances: a new voucher without distances takes
    // those of the client's latest prescription.
    bool lookUpClient(bool takeDistances);
    void showClientOrKeepNames();
    bool pickClientFromList();
    bool checkInsurer();
    bool checkDistance(QLineEdit* edit);
    bool checkListCode(QLineEdit* code, QLineEdit* name, int module);
    bool checkContactLensType();
    bool checkDoctor();
    void showDoctor(bool copyCodes);
    bool checkDiagnosis();
    bool checkDate(QLineEdit* edit);


    VoucherBatchContext context_;
    // Dates of the last voucher added in this series of additions.
    std::optional<std::pair<QString, QString>> seriesDates_;
    // Birth number and doctor of the last voucher added in this run (F9).
    QString lastRodcis_;
    QString lastKodlek_;
    bool markBirthNumbers_ = false;
};

} // namespace vidoraw
