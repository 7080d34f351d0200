#pragma once
// Module 50: the keywords assigned to companies (PRIHESF.DB), one row per keyword of a
// company. Its list only shows them: rows are written by the assignment window alone.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfPrihesfd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPrihesf;
    static TableSchema Schema();
    explicit TfPrihesfd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    int CopyRecord() override;
    int EditRecord() override;
    int DeleteRecord() override;
    // The company and keyword columns are filled only while the list is shown: every other
    // reader of the table needs the codes alone.
    void prepareList() override { showNames(true); }
    void listClosed() override { showNames(false); }
    bool deletionAllowed() const override { return false; }

    QLineEdit* eKodf = nullptr;
    QLineEdit* eKodh = nullptr;

private:
    int refuse(const QString& text);
    void showNames(bool on);
    void fillNames(Table& t);
};

} // namespace vidoraw
