#pragma once
// "Parametre fakturácie": the invoicing defaults kept in the program's owner record.
#include "framework/tfmojform.h"

class QCheckBox;

namespace vidoraw {

class TfVlastnostm : public TfMojForm {
    Q_OBJECT
public:
    explicit TfVlastnostm(AppContext& app, QWidget* parent = nullptr);

    // A code and the name beside it, filled by the look-up in the code list of module.
    struct CodeField {
        QLineEdit* code;
        QLineEdit* name;
        int module;
        const char* keyField;
        const char* nameField;
    };

    QLineEdit *eKs, *eKsNazov, *eSplat, *eUcet, *eCisucet, *eKodd, *eDoprava, *eKodu, *eUhrada,
        *eDolnyokraj, *ePdm, *ePdmz, *ePosunxf, *ePosunyf, *eKodzaok, *eZaokruh, *eMena,
        *eMenaNazov, *eDmena, *eDmenaNazov, *eKurz;
    QCheckBox *cbAjsdph, *cbZobrazdm;

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;
    bool checkOnLeave(QWidget* control) override;

private:
    QLineEdit* addCode(const QString& label, int maxLength, int module, const char* keyField,
                       const char* nameField, QLineEdit*& name);
    bool lookUp(const CodeField& f, bool mayPick);
    // One field's check with its message; true for a field without one.
    bool check(QWidget* control);

    QList<CodeField> codes_; // in checking order
    QList<QWidget*> order_;  // every checked field, in checking order
};

// The menu command: the dialog over the owner record; answers 1 when the parameters were saved.
int EditInvoicingParameters(AppContext& app, QWidget* owner);

} // namespace vidoraw
