#pragma once
// The small window "Výber hesla": one keyword chosen from a drop-down list (the company list
// filters by it).
#include "framework/tfmojform.h"

class QComboBox;

namespace vidoraw {

class TfHeslov : public TfMojForm {
    Q_OBJECT
public:
    explicit TfHeslov(AppContext& app, QWidget* parent = nullptr);

    // Fills the list with "code-keyword" in code order; answers whether there is any.
    bool fill();
    // The chosen keyword's code (the item's text before its first "-").
    QString chosenCode() const;

    QComboBox* cbHeslo = nullptr;
};

} // namespace vidoraw
