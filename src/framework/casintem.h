#pragma once
// "Časový interval": a from and a to date, in order; the period dialog can fill both.
#include "framework/tfmojform.h"

#include <QDate>

class QLineEdit;

namespace vidoraw {

class TfCasintem : public TfMojForm {
    Q_OBJECT
public:
    // An invalid date leaves its box blank.
    TfCasintem(AppContext& app, QDate from, QDate to, QWidget* parent = nullptr);

    QDate from() const;
    QDate to() const;
    // "Voľba obdobia": the period dialog's first and last day into the boxes.
    void choosePeriod();

    QLineEdit* eOd = nullptr;
    QLineEdit* eDo = nullptr;
    QPushButton* bbObdobie = nullptr;

protected:
    bool closeWithOk() override;
    bool checkOnLeave(QWidget* control) override;

private:
    bool checkBox(QLineEdit* box);
};

// True with the two dates (from not after to); false after "Späť".
bool AskDateRange(AppContext& app, QDate& from, QDate& to);

} // namespace vidoraw
