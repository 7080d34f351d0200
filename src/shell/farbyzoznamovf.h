#pragma once
// The list colours dialog ("Nastavenia" of "Farby pre zoznamy"): a colour scheme and the two
// colour pairs (background and text) that list rows alternate between.
#include "framework/tfmojform.h"

#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace vidoraw {

// Number of the user's own scheme, whose four colours are picked one by one.
inline constexpr int kOwnListColours = 9;
// Name of scheme 0..9.
QString ListSchemeName(int scheme);
// The colours of a ready-made scheme 0..8 (nullopt for the user's own scheme and others).
std::optional<ListColours> ListSchemeColours(int scheme);

// The list colours kept in the settings file (section BROWSE).
ListColours ReadListColours();
void WriteListColours(const ListColours& colours);

class TfFarbyZoznamovf : public TfMojForm {
    Q_OBJECT
public:
    explicit TfFarbyZoznamovf(AppContext& app, QWidget* parent = nullptr);

    // The platform's colour dialog (an invalid colour when cancelled); tests answer in its place.
    std::function<QColor(const QColor& initial, const QString& title)> pickColour;

    // The colours shown now (they become the lists' colours on OK).
    const ListColours& colours() const { return colours_; }
    void selectScheme(int scheme);
    // The "standard" colours: both pairs white with black text.
    void setStandard();
    // Picks one of the four colours: 0 background 1, 1 text 1, 2 background 2, 3 text 2.
    void choose(int which);

    QListWidget* lbSchemy = nullptr;
    QLabel* lFarba1 = nullptr;
    QLabel* lFarba2 = nullptr;
    QPushButton* bFarby[4] = {}; // Podklad 1, Písmo 1, Podklad 2, Písmo 2
    QPushButton* bStandard = nullptr;

protected:
    bool closeWithOk() override;
    // "Späť" leaves the colours the dialog opened with.
    bool closeWithBack() override;

private:
    void showColours();
    ListColours colours_;
    const ListColours opened_;
};

} // namespace vidoraw
