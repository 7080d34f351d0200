#pragma once
// "Hľadaj reťazec": a text searched in every visible column of a list.
#include "framework/tfmojform.h"

class QCheckBox;
class QLineEdit;

namespace vidoraw {

class TfHladajRetazec : public TfMojForm {
    Q_OBJECT
public:
    explicit TfHladajRetazec(AppContext& app, QWidget* parent = nullptr);
    QLineEdit* eRetazec = nullptr;
    QCheckBox* cbMaleVelke = nullptr; // "Nerozlišuj malé a veľké písmená"
    QCheckBox* cbDiakritika = nullptr; // "Ignoruj diakritiku"

    // The text and a cell's contents prepared alike for comparing.
    QString prepare(const QString& text) const;

protected:
    bool closeWithOk() override;
};

} // namespace vidoraw
