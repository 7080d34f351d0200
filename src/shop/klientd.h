#pragma once
// Clients (KLIENT.DB): the patients whose vouchers are billed to the insurers, identified by the
// birth number and the three fields of a foreign insured person. The form shows the client's
// latest prescription, taken from the client's vouchers and glasses records.
#include "framework/tfdbform.h"
#include "shop/addresschecks.h"
#include "vouchers/prescription.h"

namespace vidoraw {

class EyeDataGrid;

class TfKlientd : public TfDbForm, public PrescriptionSource {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kKlient;
    static TableSchema Schema();
    explicit TfKlientd(AppContext& app);

    std::optional<Prescription> latestPrescription(qint64 clientCode) override;

    void DefineList() override;
    int AddRecord() override;
    int EditRecord() override;
    int ShowRecord() override;
    int CopyRecord() override;
    void LoadFields() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;

    // "D&uplicity": every birth number held by more than one client (once less than it is
    // held), written to DUPLIC.TXT and shown in the desktop's text viewer.
    void ShowDuplicates(TfBrowse* browser);
    // "Doplň lomítko do rodného čísla": the slash after the sixth character where it is missing.
    void InsertMissingSlashes(TfBrowse* browser);

    QLineEdit* eRodcis = nullptr;
    QLineEdit* eStatpoi = nullptr;
    QLineEdit* eIcpoi = nullptr;
    QLineEdit* ePohlpoi = nullptr;
    QLineEdit* eKodpoi = nullptr;
    QLineEdit* eNazovPoi = nullptr;
    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eUlica = nullptr;
    QLineEdit* eCislo = nullptr;
    QLineEdit* eObec = nullptr;
    QLineEdit* ePsc = nullptr;
    QLineEdit* eDodposta = nullptr;
    QLineEdit* eTel = nullptr;
    QLineEdit* eMobil = nullptr;
    QLineEdit* eMail = nullptr;
    QLineEdit* eZamestnan = nullptr;
    QLineEdit* eZamestnav = nullptr;
    QLineEdit* ePoznam1 = nullptr;
    QLineEdit* ePoznam2 = nullptr;
    QLineEdit* ePoznam3 = nullptr;
    // The prescription block: shown only.
    EyeDataGrid* eyes = nullptr;
    QLineEdit* eKods = nullptr;
    QLineEdit* eNazovS = nullptr;
    QLineEdit* eKodr = nullptr;
    QLineEdit* eNazovR = nullptr;
    QLineEdit* eNazr = nullptr;
    QLineEdit* eKodks = nullptr;
    QLineEdit* eNazovKs = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool checkOnLeave(QWidget* control) override;
    void focusFirstField() override;
    void proposeNewValues() override;
    void showEvent(QShowEvent* event) override;

private:
    bool checkBirthNumber();
    void showPrescription();
    void clearPrescription();
    AddressEdits address() const;

    QLineEdit* eObecKey_ = nullptr; // the municipality key, never shown
    // The user agreed to an empty first name in this showing: not asked again.
    bool emptyNameAccepted_ = false;
};

} // namespace vidoraw
