#pragma once
// Module 25: offsets of envelope templates on a given printer (POSUNY.DB), one row per
// printer with an x and y offset in millimetres for each of the four envelope formats.
#include "framework/tfdbform.h"

#include <array>

class QLineEdit;

namespace vidoraw {

class TfPosunzd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kPosuny;
    static TableSchema Schema();
    explicit TfPosunzd(AppContext& app, QWidget* parent = nullptr);

    void DefineList() override;
    int AddRecord() override;

    // The envelope formats in the order of their offsets.
    static QStringList envelopeFormats();

    QLineEdit* eNazovTlac = nullptr;
    std::array<QLineEdit*, 4> ePosunX{};
    std::array<QLineEdit*, 4> ePosunY{};

protected:
    bool checkField(QWidget* control) override;
    void focusFirstField() override;

private:
    bool zeroOffsets_ = false; // a new row starts with every offset at 0,00
};

} // namespace vidoraw
