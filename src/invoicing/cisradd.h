#pragma once
// Number series (CISRAD.DB); series 1 numbers the invoices (numberseries.h issues them).
#include "framework/tfdbform.h"

namespace vidoraw {

class RadioGroup;

class TfCisradd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kCisrad;
    static TableSchema Schema();
    explicit TfCisradd(AppContext& app);

    void DefineList() override;
    void LoadFields() override;

    QLineEdit* eMaxdlzka = nullptr;
    QLineEdit* eOznacenie = nullptr;
    RadioGroup* rgPouzi = nullptr;
    QLineEdit* ePrefix = nullptr;
    QLineEdit* ePocitadlo = nullptr;
    QLineEdit* ePocmiest = nullptr;
    QLineEdit* ePostfix = nullptr;
    QLineEdit* eUkazka = nullptr; // the next number as the screen's values make it

protected:
    void proposeNewValues() override;
    bool checkField(QWidget* control) override;
    bool checkOnLeave(QWidget* control) override;

private:
    void showSample();
};

} // namespace vidoraw
