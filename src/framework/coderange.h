#pragma once
// "Výmaz záznamov": the range of record codes a bulk deletion removes.
#include "framework/tfmojform.h"

class QLineEdit;

namespace vidoraw {

class TfCodeRange : public TfMojForm {
    Q_OBJECT
public:
    explicit TfCodeRange(AppContext& app, QWidget* parent = nullptr);

    qint64 from() const;
    qint64 to() const;

    QLineEdit* eOd = nullptr;
    QLineEdit* eDo = nullptr;

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;
    bool checkOnLeave(QWidget* control) override;

private:
    bool checkBox(QLineEdit* box);
};

// True with the two bounds (whole numbers; any 64-bit value, so a bound beyond every code is
// allowed); false when the user gave up.
bool AskCodeRange(AppContext& app, qint64& from, qint64& to);

} // namespace vidoraw
