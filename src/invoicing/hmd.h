#pragma once
// Module 27: bulk mail definitions (hm.db): a description, the file of the mail's text and
// the subject. Bulk mail picks one from this list.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfHmd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kHm;
    static TableSchema Schema();
    explicit TfHmd(AppContext& app);

    void DefineList() override;

    QLineEdit* ePopis = nullptr;
    QLineEdit* eMenosub = nullptr;
    QLineEdit* eSubject = nullptr;

protected:
    bool checkField(QWidget* control) override;
};

} // namespace vidoraw
