#pragma once
// Bank codes (kodb.DB): accounts name their bank by its code. SWIFT, account format and the
// account number check are kept and shown only.
#include "framework/tfdbform.h"

namespace vidoraw {

class RadioGroup;

class TfKodbd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kKodb;
    static TableSchema Schema();
    explicit TfKodbd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    void LoadFields() override;

    QLineEdit* eKodb = nullptr;
    QLineEdit* eNazov = nullptr;
    QLineEdit* eSkratkas = nullptr;
    QLineEdit* eStat = nullptr; // the state's name
    QLineEdit* eSwift = nullptr;
    QLineEdit* eFormat = nullptr;
    RadioGroup* rgKontrola = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool checkOnLeave(QWidget* control) override;

private:
    void showStateName();
};

} // namespace vidoraw
