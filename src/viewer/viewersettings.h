#pragma once
// zorode's own settings: the file ZORODE.KFG in the user's settings directory. zorode does
// not link the main program's settings code, so the directory rule is repeated here.
#include <QByteArray>
#include <QSize>
#include <QString>

namespace vidoraw {

// Directory of the settings files, with a trailing "/": the one set by
// SetViewerConfigDirectory, else $VIDORAW_CONFIG when set, else ~/.config/vidoraw/.
QString ViewerConfigDirectory();
void SetViewerConfigDirectory(const QString& dir); // empty: back to the default rule
QString ViewerSettingsPath();

struct ViewerSettings {
    bool showStatus = true;   // JE_STATUS
    bool showSpeed = true;    // JE_SPEED (quick-control bar)
    int zoomIndex = 4;        // AKTUAL_ZOBRAZ, 0..10
    bool caseSensitive = false; // ROZLISOVANIE
    QString searchText;       // HLADANY_RET
    bool largeIcons = true;   // VELKE_IKONY
    bool maximised = false;   // MAXIM
    int left = 0;             // LAVY
    int top = 0;              // HORNY
    int width = 400;          // SIRKA
    int height = 300;         // VYSKA
};

// The file's lines set the settings by position (the n-th line the n-th setting, whatever
// its key), from the text after the first "="; values are then brought into range for a
// screen of the given size. Missing file: defaults.
ViewerSettings ParseViewerSettings(const QByteArray& bytes, QSize screen);
ViewerSettings ReadViewerSettings(const QString& path, QSize screen);
QByteArray FormatViewerSettings(const ViewerSettings& s);
// Creates the directory when needed; false when the file could not be written.
bool WriteViewerSettings(const QString& path, const ViewerSettings& s);

} // namespace vidoraw
