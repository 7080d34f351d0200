#pragma once
// Settings files: small INI files addressed by bare name ("VIDORAW.INI", "HLADANIE.INI",
// "VIDORAW") inside one settings directory, never inside the shared data directory.
//
// The files are written as plain INI that any other reader understands: "[SECTION]" headers,
// "KEY=value" lines, keys and sections keep their case, values are not escaped. Sections and
// keys compare without regard to case, as INI readers always did.
#include <QColor>
#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace vidoraw {

// Bare names of the settings files.
inline constexpr const char* kMainSettingsFile = "VIDORAW.INI";
inline constexpr const char* kSearchSettingsFile = "HLADANIE.INI";
inline constexpr const char* kReceiptSettingsFile = "VIDORAW"; // no extension
inline constexpr const char* kViewerSettingsFile = "ZORODE.KFG";

// Directory of the settings files, with a trailing "/": the one set by SetSettingsDirectory,
// else $VIDORAW_CONFIG when set, else ~/.config/vidoraw/.
QString SettingsDirectory();
// An empty text goes back to the environment / default choice.
void SetSettingsDirectory(const QString& dir);

// Default of a key as the text a settings file would hold (colours as their number, logical
// values as 1/0); nullopt when the key has no default in the table. The file is a bare name.
std::optional<QString> SettingDefault(const QString& file, const QString& section,
                                      const QString& key);

// Colour number of the settings files: 24 bits, red in the lowest byte (0x00BBGGRR).
int ColorToNumber(const QColor& color);
// Anything outside 0..0xFFFFFF is no colour: answers an invalid QColor.
QColor NumberToColor(qint64 number);

class IniFile {
public:
    // bareName: one of the names above (any case: "vidoraw.ini" is the main file) or another
    // bare name; the file lives in SettingsDirectory() as it is when the object is made.
    explicit IniFile(const QString& bareName);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    QString bareName() const { return name; }
    QString filePath() const { return path; }

    bool contains(const QString& section, const QString& key) const;

    // Without a fallback the default of SettingDefault applies (a key missing from that table
    // reads as "", 0, false or an invalid colour). A value that is not a valid number reads
    // as the default; so does one outside the range the table allows for that key.
    QString readString(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    int readInteger(const QString& section, const QString& key) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;
    bool readBool(const QString& section, const QString& key) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    QColor readColor(const QString& section, const QString& key) const;
    QColor readColor(const QString& section, const QString& key, const QColor& fallback) const;

    // Each write reaches the file at once (the first one creates it and its directory);
    // false when the file could not be written.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);
    bool writeColor(const QString& section, const QString& key, const QColor& value);
    bool removeKey(const QString& section, const QString& key);

private:
    std::optional<QString> rawValue(const QString& section, const QString& key) const;
    QString tableDefault(const QString& section, const QString& key) const;
    std::optional<int> storedInteger(const QString& section, const QString& key) const;
    QColor storedColor(const QString& section, const QString& key) const;
    bool store(const QString& section, const QString& key, const QString& text);

    QString name;
    QString path;
    std::unique_ptr<QSettings> settings;
};

} // namespace vidoraw
