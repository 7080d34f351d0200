#pragma once
// "Nastavený filter" (module 2, Nastav.DB): the saved filters of every list. They are made and
// changed in the filter builder; this form shows them and copies one with a typed expression.
#include "framework/tfdbform.h"

namespace vidoraw {

class TfNastavd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kNastav;
    static TableSchema Schema();
    explicit TfNastavd(AppContext& app);

    void DefineList() override;
    int AddRecord() override;
    int EditRecord() override;
    int CopyRecord() override;
    int ShowRecord() override;
    QList<QAction*> otherCommands(TfBrowse* browser, QObject* parent) override;
    // "Kópia cez formulár": a copy whose list key and expression are typed by hand.
    int copyThroughForm();

    QLineEdit* eTabulka = nullptr;
    QLineEdit* eFilter = nullptr;
    QLineEdit* ePopis = nullptr;

private:
    int openBuilder(bool replace);
    void lockKeyAndExpression();
};

} // namespace vidoraw
