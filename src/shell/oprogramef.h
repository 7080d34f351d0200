#pragma once
// The about window: the data version and its date from the system record.
#include "framework/tfmojform.h"

class QLabel;

namespace vidoraw {

class TfOProgramef : public TfMojForm {
    Q_OBJECT
public:
    explicit TfOProgramef(AppContext& app, QWidget* parent = nullptr);

    QLabel* lVerzia = nullptr;
    QLabel* lDatum = nullptr;
};

// "Verzia: " and the data version with two decimals and a point ("1.15").
QString VersionText(AppContext& app);
// "Zo dňa: " and the date of the data version.
QString VersionDateText(AppContext& app);

} // namespace vidoraw
