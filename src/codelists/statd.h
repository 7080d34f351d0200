#pragma once
// States (STAT.DB): abbreviation and name.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfStatd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kStat;
    static TableSchema Schema();
    explicit TfStatd(AppContext& app);

    void DefineList() override;

    QLineEdit* eSkratka = nullptr;
    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
    void focusFirstField() override;
};

} // namespace vidoraw
