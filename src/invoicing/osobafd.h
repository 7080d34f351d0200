#pragma once
// Module 22: the persons of companies (osobaf.DB): contacts and employees with a home and a
// work address, each shown with its company.
#include "framework/tfdbform.h"

class QPushButton;

namespace vidoraw {

class TfOsobafd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kOsobaf;
    static TableSchema Schema();
    explicit TfOsobafd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    int EditRecord() override;
    int CopyRecord() override;
    void LoadFields() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;
    bool removeCurrentRecord() override;
    QString removeErrorText() const override;

    // A new person of the given company: its code fixed, the company shown, the focus on the
    // title. Answers whether the form was closed with OK.
    bool AddCompanyPerson(qint64 companyCode);
    // The company block for a company code ("" or not found: empty).
    void showCompany(const QString& companyCode);

    QLineEdit* eKodf = nullptr;
    QLineEdit* eIco = nullptr;
    QLineEdit* eFirma = nullptr;
    QLineEdit* eMajitel = nullptr;
    QLineEdit* eDicon = nullptr;
    QLineEdit* eIcdph = nullptr;
    QLineEdit* eAdresa = nullptr;
    QLineEdit* ePohl = nullptr;
    QLineEdit* eTitul = nullptr;
    QLineEdit* eMeno = nullptr;
    QLineEdit* ePriezvisk = nullptr;
    QLineEdit* eRodena = nullptr;
    QLineEdit* eFunkcia = nullptr;
    // Home ([0]) and work ([1]) address and contacts.
    QLineEdit* eUlica[2] = {};
    QLineEdit* eObec[2] = {};
    QLineEdit* ePsc[2] = {};
    QLineEdit* eDodposta[2] = {};
    QLineEdit* eOkres[2] = {};
    QLineEdit* eTelefon[2] = {};
    QLineEdit* eMobil[2] = {};
    QLineEdit* eFax[2] = {};
    QLineEdit* eEmail[2] = {};
    QLineEdit* eWww[2] = {};
    QPushButton* bKomentar = nullptr;

protected:
    bool checkField(QWidget* control) override;
    void proposeNewValues() override;
    void focusFirstField() override;

private:
    qint64 fixedCompany_ = 0; // AddCompanyPerson's company, 0 otherwise
    QString removeError_;
};

// Person and company texts as lists show them.
QString PersonNameLine(const QString& surname, const QString& firstName, const QString& title);
QString PersonAddressLine(const QString& street, const QString& municipality,
                          const QString& postalCode, const QString& postOffice,
                          const QString& district);

} // namespace vidoraw
