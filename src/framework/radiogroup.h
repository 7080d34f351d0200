#pragma once
// A framed group of radio buttons that a record form binds to one field: each item stores its
// own text in the field. Nothing may be chosen (a new record, or a stored value no item has).
#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace vidoraw {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // One item per caption; values[i] is what item i stores (its index as text when empty).
    RadioGroup(const QString& title, const QStringList& captions, const QStringList& values = {},
               QWidget* parent = nullptr);

    // The chosen item, -1 for none; setItemIndex(-1) clears the choice.
    int itemIndex() const;
    void setItemIndex(int index);
    // The chosen item's value ("" for none).
    QString value() const;
    // Chooses the item that stores value; with no such item the fallback item (or nothing)
    // is chosen and the answer is false.
    bool setValue(const QString& value);

    QList<QRadioButton*> buttons;
    // The item shown for an empty field or a value no item stores; -1: nothing chosen.
    int fallbackIndex = -1;

private:
    QButtonGroup* group_;
    QStringList values_;
};

} // namespace vidoraw
