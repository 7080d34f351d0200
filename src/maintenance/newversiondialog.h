#pragma once
// "Inštalácia novej verzie programu": where the new version comes from, a diskette drive (the
// folders of the settings standing for A: and B:) or a directory. The window lives for the
// whole run; it reads its choice from the settings when made and stores it when freed.
#include "framework/sourcechoice.h"
#include "maintenance/newversion.h"

namespace vidoraw {

class TfInstnv : public TfSourceChoice {
    Q_OBJECT
public:
    explicit TfInstnv(AppContext& app, QWidget* parent = nullptr);
    ~TfInstnv() override;

    // Shows the window; true when the user confirmed the install (then kind() and source()).
    bool ask(QWidget* owner);
    InstallKind kind() const;
    // "VERZIA.ARJ" for a drive; for a directory the path text followed directly by it.
    QString source() const;
    // "...": an archive of the folder wanted; only its folder counts (the archive is always
    // VERZIA.ARJ).
    void browse() override;

protected:
    bool closeWithOk() override;

private:
    bool confirmed_ = false;
};

} // namespace vidoraw
