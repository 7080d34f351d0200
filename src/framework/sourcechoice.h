#pragma once
// The windows that ask where files come from: diskette drive A or B (the folders of the
// settings standing for A: and B:) or a directory typed in "Cesta :" or picked with "...".
#include "framework/tfmojform.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vidoraw {

class TfSourceChoice : public TfMojForm {
    Q_OBJECT
public:
    TfSourceChoice(AppContext& app, const QString& title, QWidget* parent = nullptr);

    // 1 drive A, 2 drive B, 3 directory.
    int choice() const;
    // Any other value is drive A; the path row is enabled for the directory alone.
    void setChoice(int choice);
    // "...": a file of the folder wanted; its folder, ending in "/", becomes the path.
    virtual void browse() = 0;

    QRadioButton* rbA = nullptr;
    QRadioButton* rbB = nullptr;
    QRadioButton* rbAdresar = nullptr;
    QLineEdit* eCesta = nullptr;
    QPushButton* bbVyber = nullptr;

protected:
    // The file dialog of "...", with a name filter and the file name proposed (may be empty).
    void browseFolder(const QString& nameFilter, const QString& fileName);

private:
    void enablePath();
};

} // namespace vidoraw
