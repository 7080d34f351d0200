#include "shop/clientbirthnumbers.h"

#include "core/base/codepage.h"
#include "core/engine/table.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace vidoraw {

QStringList DuplicateBirthNumbers(Table& clients) {
    QStringList lines;
    if (!clients.isOpen() && !clients.open())
        return lines;
    const int fi = clients.fieldIndex(QStringLiteral("RODCIS"));
    if (fi < 0)
        return lines;
    const FieldDef def = clients.fieldDefs()[fi];
    QString previous = QStringLiteral("9999999999");
    clients.scanOrder(QStringLiteral("RODCIS"), {}, false,
                      [&](qint64, const QVector<QVariant>& row) {
                          const QString number = ValueAsString(def, row[fi]);
                          if (number == previous)
                              lines << number;
                          previous = number;
                          return true;
                      });
    return lines;
}

QString DuplicatesFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/vidoraw/DUPLIC.TXT");
}

bool WriteDuplicatesFile(const QString& path, const QStringList& lines) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += ToCp1250(line) + "\r\n";
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QString WithSlash(const QString& birthNumber) {
    const QString t = birthNumber.trimmed();
    if (t.contains(u'/') || t.size() <= 5)
        return t;
    return t.left(6) + u'/' + t.mid(6);
}

} // namespace vidoraw
