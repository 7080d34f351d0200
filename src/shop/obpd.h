#pragma once
// Glasses without voucher (OBP.DB): a pair of glasses or contact lenses made for a client
// without an insurer's voucher, with the client's eye data of that day and the lens, frame and
// contact-lens types. With the vouchers they make up the client's prescription history.
#include "framework/tfdbform.h"

namespace vidoraw {

class EyeDataGrid;

class TfObpd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kObp;
    static TableSchema Schema();
    explicit TfObpd(AppContext& app);

    void DefineList() override;
    void LoadFields() override;
    int AddRecord() override;
    int CopyRecord() override;
    // A new record of the given client: the client is fixed, the date is typed first. Answers
    // whether the form was closed with OK.
    bool AddGlassesForClient(qint64 clientCode);

    // "Surname First Title, birth number, state id sex" of a client; empty when there is none.
    static QString ClientText(AppContext& app, const QString& clientCode);

    QLineEdit* eKodklient = nullptr;
    QLineEdit* eKlient = nullptr;
    QLineEdit* eDatum = nullptr;
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
    void focusFirstField() override;
    void proposeNewValues() override;

private:
    bool checkClient();
    bool checkTypeCode(QLineEdit* code, QLineEdit* name, int module);
    // While adding: the latest prescription's distances fill empty (or "0") distances.
    void takeOverDistances();
    void showNames();
    bool clientFixed_ = false;
    qint64 fixedClient_ = 0;
};

} // namespace vidoraw
