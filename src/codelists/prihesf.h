#pragma once
// The window "Priradené heslá": the keywords of one company, moved between the list of all
// keywords and the company's own, and written anew on OK.
#include "framework/tfmojform.h"

#include <optional>

class QListWidget;
class QListWidgetItem;

namespace vidoraw {

class TfPrihesf : public TfMojForm {
    Q_OBJECT
public:
    explicit TfPrihesf(AppContext& app, QWidget* parent = nullptr);

    // The company panel and both lists for this company.
    void prepare(qint64 companyCode);
    // Both lists as company c has them (its keywords assigned, the others all).
    void loadLists(qint64 companyCode);
    // ">" and "<": the selected keyword to the other list.
    void assignSelected();
    void releaseSelected();
    // "&Nové heslo": a new keyword through the keyword form, offered among all.
    void newKeyword();
    // "Heslá od ...": the keywords of a company picked from the company list.
    void keywordsFrom();
    // The keywords in a list, in their order.
    static QStringList names(const QListWidget* list);

    QLineEdit* eKodf = nullptr;
    QLineEdit* eFirma = nullptr;
    QLineEdit* eOsoba = nullptr;
    QLineEdit* eAdresa = nullptr;
    QLineEdit* eIco = nullptr;
    QLineEdit* eDico = nullptr;
    QListWidget* lbVsetky = nullptr;
    QListWidget* lbPriradene = nullptr;
    QPushButton* bPriradit = nullptr; // ">"
    QPushButton* bUvolnit = nullptr;  // "<"
    QPushButton* bNoveHeslo = nullptr;
    QPushButton* bHeslaOd = nullptr;
    QPushButton* bPomoc = nullptr;
    bool modified = false;

protected:
    bool closeWithOk() override;
    bool closeWithBack() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void move(QListWidget* from, QListWidget* to);
    static void insertSorted(QListWidget* list, QListWidgetItem* item);
    qint64 code_ = 0;
    std::optional<qint64> companyPlace_;
};

} // namespace vidoraw
