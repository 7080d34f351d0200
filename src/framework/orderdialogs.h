#pragma once
// The browser's sort-order dialog ("Voľba indexu") and sort-order search ("Hľadanie").
#include "framework/tfmojform.h"

#include <QList>

class QButtonGroup;
class QLineEdit;

namespace vidoraw {

class Table;

class TfVolbaIndexu : public TfMojForm {
    Q_OBJECT
public:
    TfVolbaIndexu(AppContext& app, const QStringList& titles, int current, QWidget* parent);
    int chosen() const;
    void choose(int entry);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QButtonGroup* group_;
};

class TfHladanie : public TfMojForm {
    Q_OBJECT
public:
    // One labelled box per field of the order (at most six).
    TfHladanie(AppContext& app, Table& table, const QString& orderFields, const QString& labels,
               QWidget* parent);
    QList<QLineEdit*> boxes;
    // The typed key, converted for the nearest find.
    QVariantList key() const;

protected:
    bool closeWithOk() override;
    bool checkOnLeave(QWidget* control) override;

private:
    bool checkBox(int i, bool withMessage);
    Table& table_;
    QStringList fields_;
};

} // namespace vidoraw
