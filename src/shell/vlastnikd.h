#pragma once
// Module 24: the owner records (VLASTN.DB), the shop's own data; the program works with the
// record whose KOD is the system record's owner number.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfVlastnikd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kVlastn;
    static TableSchema Schema();
    explicit TfVlastnikd(AppContext& app, QWidget* parent = nullptr);
    void DefineList() override;
    void StoreFields() override;

    QLineEdit *eKod, *eNazov, *eTitul, *eMeno, *ePriezvisk, *eUlica, *eCislo, *eObec, *ePsc,
        *eDodPosta, *eStat, *eIco, *eDico, *eDicon, *eIcdph, *ePlatcaDan, *eTelefon, *eFax,
        *eMobil, *eMail, *eRegCislo;

protected:
    bool CheckFields() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Makes sure the owner record named by the system record exists (a new data directory gets
// owner record 1 with the invoicing defaults).
bool EnsureOwnerRecord(AppContext& app);
// A field of the program's owner record as text ("" when missing).
QString OwnerField(AppContext& app, const QString& field);
// Writes fields of the program's owner record in one change under the write lock; false after
// the save message (shown over owner).
bool WriteOwnerFields(AppContext& app, const QList<std::pair<QString, QVariant>>& values,
                      QWidget* owner = nullptr);
// The owner command: edit the program's owner record. Answers 1 when saved.
int EditOwnerRecord(AppContext& app);

} // namespace vidoraw
