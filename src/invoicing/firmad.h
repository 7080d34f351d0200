#pragma once
// Module 21: the company list (FIRMA.DB): customers and suppliers, and private clients kept
// under an IČO below 100000. Its list has filters of its own and the commands for keywords,
// comments, persons, bulk mail and envelopes.
#include "framework/tfdbform.h"

class QPushButton;

namespace vidoraw {

class TfFirmad : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kFirma;
    static TableSchema Schema();
    explicit TfFirmad(AppContext& app);

    void DefineList() override;
    int EditRecord() override;
    void StoreFields() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;
    QList<QAction*> filterCommands(TfBrowse* browser, QObject* parent) override;
    bool removeCurrentRecord() override;
    QString removeErrorText() const override;

    // F7 in the IČO field: one above the highest IČO of a private client (below 100000) among
    // the listed companies; "1" when there is none.
    QString NextClientIco();
    // F7 in the member number field: one above the highest member number of the listed
    // companies.
    QString NextMemberNumber();

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
    QLineEdit* eIco = nullptr;
    QLineEdit* eDico = nullptr;
    QLineEdit* eDicon = nullptr;
    QLineEdit* eIcdph = nullptr;
    QLineEdit* eTelefon = nullptr;
    QLineEdit* eFax = nullptr;
    QLineEdit* eMobil = nullptr;
    QLineEdit* eMail = nullptr;
    QLineEdit* ePlatcaDan = nullptr;
    QLineEdit* eJeOdb = nullptr;
    QLineEdit* eJeDod = nullptr;
    QLineEdit* eFOsoba = nullptr;
    QLineEdit* eCisUcet = nullptr;
    QLineEdit* ePoznamka1 = nullptr;
    QLineEdit* ePoznamka2 = nullptr;
    QLineEdit* ePoznamka3 = nullptr;
    QLineEdit* eClenCis = nullptr;
    QPushButton* bKomentar = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool CheckFields() override;
    void proposeNewValues() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checkFlag(QLineEdit* flag);
    qint64 currentCode();
    QString removeError_;
};

} // namespace vidoraw
