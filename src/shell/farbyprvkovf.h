#pragma once
// The field colours dialog "Farby editačných prvkov formulára": the backgrounds of normal,
// current and incorrectly filled edit controls; on OK they become the colours of every form.
#include "framework/tfmojform.h"

#include <functional>

class QLabel;
class QPushButton;

namespace vidoraw {

class TfFarbyPrvkovf : public TfMojForm {
    Q_OBJECT
public:
    explicit TfFarbyPrvkovf(AppContext& app, QWidget* parent = nullptr);

    // The platform's colour dialog (an invalid colour when cancelled); tests answer in its place.
    std::function<QColor(const QColor& initial, const QString& title)> pickColour;

    enum Which { Normal, Current, Incorrect };
    void choose(Which which);
    QColor colour(Which which) const;

    QLabel* samples[3] = {};
    QPushButton* buttons[3] = {};

protected:
    bool closeWithOk() override;

private:
    void showSample(Which which);
    FieldColours chosen_;
};

} // namespace vidoraw
