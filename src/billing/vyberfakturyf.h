#pragma once
// "Výber faktúry": the insurer invoice an export writes, by its number.
#include "framework/tfmojform.h"

class QLineEdit;

namespace vidoraw {

class TfVyberFaktury : public TfMojForm {
    Q_OBJECT
public:
    // Preset to the last exported number (settings EXPORT / CISFAK).
    explicit TfVyberFaktury(AppContext& app, QWidget* parent = nullptr);
    // KOD of the chosen invoice (0 before one was found).
    qint64 invoiceCode() const { return code_; }

    QLineEdit* eCisfak = nullptr;
    QLineEdit* eObdobie = nullptr;
    QLineEdit* ePoistovna = nullptr;
    QLineEdit* eCiszml = nullptr;
    QLineEdit* eIco = nullptr;

protected:
    bool closeWithOk() override;
    bool checkOnLeave(QWidget* control) override;

private:
    // Looks the number up (the pick list when it is not found) and shows the invoice.
    bool lookUp(bool pick);
    void show(bool found);
    // Shows the invoice of the typed number, if there is one, without the pick list.
    void showQuietly();
    qint64 code_ = 0;
};

// The dialog; true with the invoice's KOD.
bool ChooseInsurerInvoice(AppContext& app, QWidget* owner, qint64& invoiceCode);

} // namespace vidoraw
