#pragma once
// The small dialogs of zorode. Each keeps its check in a method that tests can call without
// showing the dialog; accept() runs the same check and stays open when it fails.
#include "viewer/viewercore.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace vidoraw {

// A number typed on screen: "," or "." as decimal separator; anything else reads as 0.
double ScreenNumber(const QString& text, bool* ok = nullptr);
QString ScreenNumberText(double value);

// "Číslo stránky": a page number 1..pageCount.
class PageNumberDialog : public QDialog {
    Q_OBJECT
public:
    PageNumberDialog(int pageCount, int currentNumber, QWidget* parent = nullptr);
    QLineEdit* field() const { return edit; }
    // The chosen page number, or 0 (with the notice) when it is not in range.
    int check() const;
    int chosen() const { return number; }
    void accept() override;

private:
    int pages;
    int number = 0;
    QLineEdit* edit;
};

// "Hľadanie": the searched text and the case switch.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    SearchDialog(const QString& text, bool caseSensitive, QWidget* parent = nullptr);
    QLineEdit* field() const { return edit; }
    QCheckBox* caseBox() const { return box; }
    QString text() const;
    bool caseSensitive() const;
    bool check() const; // false (with the notice) for an empty text
    void accept() override;

private:
    QLineEdit* edit;
    QCheckBox* box;
};

// "Posun zostavy" and "Zmenšenie - zväčšenie zostavy": two numbers.
class TwoNumbersDialog : public QDialog {
    Q_OBJECT
public:
    enum Mode { Shift, Scale };
    TwoNumbersDialog(Mode mode, double x, double y, QWidget* parent = nullptr);
    QLineEdit* fieldX() const { return editX; }
    QLineEdit* fieldY() const { return editY; }
    double x() const;
    double y() const;
    bool check() const; // scale: each at least 0.1, else the notice
    void accept() override;

private:
    Mode mode;
    QLineEdit* editX;
    QLineEdit* editY;
};

// "Voľba fontu": the installed scalable faces with a sample.
class FontChoiceDialog : public QDialog {
    Q_OBJECT
public:
    FontChoiceDialog(const QString& face, QWidget* parent = nullptr);
    QString face() const;
    QListWidget* list() const { return faces; }

private:
    QListWidget* faces;
    QWidget* sample;
};

// "Tlač zostavy": the printer, the range of pages and the number of copies. "Vlastnosti" opens
// the page set-up of the printer, which then prints with it; without a printer it is disabled.
class PrintDialog : public QDialog {
    Q_OBJECT
public:
    PrintDialog(const QString& printerName, QPrinter* printer, const PrintChoice& preset,
                QWidget* parent = nullptr);
    // "Od" and "Do" only count for "Interval strán"; otherwise the preset's values stay.
    PrintChoice choice() const;
    QRadioButton* rangeButton(PrintRange range) const;
    QSpinBox* fromField() const { return from; }
    QSpinBox* toField() const { return to; }
    QSpinBox* copiesField() const { return copies; }
    QPushButton* propertiesButton() const { return properties; }
    QLabel* printerLabel() const { return printerName; }

public slots:
    void showProperties();

private:
    QPrinter* printer;
    PrintChoice preset;
    QLabel* printerName;
    QRadioButton* all;
    QRadioButton* current;
    QRadioButton* interval;
    QSpinBox* from;
    QSpinBox* to;
    QSpinBox* copies;
    QPushButton* properties;
};

// The window shown while pages go to the printer; "&Storno" stops after the current page.
// Nothing else closes it, Esc included.
class PrintProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintProgressDialog(QWidget* parent = nullptr);
    void setSent(int pages);
    bool cancelled() const { return stop; }
    QPushButton* cancelButton() const { return cancel; }
    QLabel* pageLabel() const { return page; }

protected:
    void reject() override {}
    void closeEvent(class QCloseEvent* e) override;

private:
    QLabel* page;
    QPushButton* cancel;
    bool stop = false;
};

} // namespace vidoraw
