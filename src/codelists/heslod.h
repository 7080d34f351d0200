#pragma once
// Module 49: the keyword list (HESLA.DB) companies are tagged with.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfHeslod : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kHesla;
    static TableSchema Schema();
    explicit TfHeslod(AppContext& app);

    void DefineList() override;
    bool removeCurrentRecord() override;
    QString removeErrorText() const override;

    QLineEdit* eNazov = nullptr;

protected:
    bool checkField(QWidget* control) override;
    bool closeWithBack() override;

private:
    QString removeError_;
};

} // namespace vidoraw
