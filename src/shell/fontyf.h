#pragma once
// The fonts dialog "Fonty": the list font (MENOFONTB) and the print font (MENOFONT) of the
// system record, each picked from the platform's font dialog.
#include "framework/tfmojform.h"

#include <QFont>
#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;

namespace vidoraw {

class TfFontyf : public TfMojForm {
    Q_OBJECT
public:
    explicit TfFontyf(AppContext& app, QWidget* parent = nullptr);

    // The platform's font dialog (nullopt when cancelled); tests answer in its place.
    std::function<std::optional<QFont>(const QFont& initial, const QString& title)> pickFont;

    void chooseListFont();
    void choosePrintFont();

    QLineEdit* eMenoFontB = nullptr;
    QLineEdit* eMenoFont = nullptr;
    QPushButton* bMenoFontB = nullptr;
    QPushButton* bMenoFont = nullptr;

protected:
    // Writes both names, then the print font goes to the report writer and the list font
    // to the lists.
    bool closeWithOk() override;

private:
    void choose(QLineEdit* edit, const QString& title);
};

} // namespace vidoraw
