#pragma once
// Frequent vouchers (CISPOU.DB): named sets of up to four aid lines that the voucher form
// copies with F5.
#include "framework/tfdbform.h"

#include <array>

namespace vidoraw {

class TfCispoud : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kCispou;
    static TableSchema Schema();
    explicit TfCispoud(AppContext& app);

    void DefineList() override;
    void LoadFields() override;

    QLineEdit* ePopis = nullptr;
    struct Line {
        QLineEdit* code = nullptr;
        QLineEdit* name = nullptr;
        QLineEdit* count = nullptr;
        QLineEdit* insurer = nullptr;
        QLineEdit* patient = nullptr;
    };
    std::array<Line, 4> lines{};
    QLineEdit* eSpoluPoi = nullptr;
    QLineEdit* eSpoluPac = nullptr;

protected:
    // The checks run when a field is left; OK saves what is shown.
    bool CheckFields() override { return true; }
    bool checkField(QWidget* control) override;
    bool checkOnLeave(QWidget* control) override;

private:
    bool checkCode(int line);
    bool checkCount(int line);
    bool checkAmount(int line, QLineEdit* amount);
    void recompute(int line);
    void showName(int line);
    void updateTotals();
    // Code and count as they were when the line's amount was last computed.
    std::array<QString, 4> codes_;
    std::array<QString, 4> counts_;
};

} // namespace vidoraw
