#pragma once
// The invoice list in miniature (module 35, FAK.DB): enough for the number series to find the
// numbers already used.
#include "framework/tfdbform.h"

namespace vidoraw::test {

class TfFakStandIn : public TfDbForm {
public:
    static constexpr int kNumber = module::kFak;
    static TableSchema Schema() {
        TableSchema s;
        s.fields = {{"KOD", 'F', 0}, {"CISFAKTU", 'A', 10}};
        s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Cisfaktu", {"CISFAKTU"})};
        return s;
    }
    explicit TfFakStandIn(AppContext& app) : TfDbForm(app, kNumber) {
        finishLayout();
        DefineList();
    }
    void DefineList() override {
        TfDbForm::DefineList();
        list.defineSimple({"KOD", "CISFAKTU"}, {"Kód", "Číslo faktúry"}, "Zoznam faktúr");
    }
};

} // namespace vidoraw::test
