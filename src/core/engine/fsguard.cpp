#include "core/engine/fsguard.h"

#include <QFile>
#include <sys/vfs.h>

namespace vidoraw {

namespace {

std::optional<long>& InjectedType() {
    static std::optional<long> type;
    return type;
}

// statfs magic numbers of file systems that live on another computer.
const char* NetworkFileSystemName(long type) {
    switch (static_cast<unsigned long>(type) & 0xffffffffUL) {
    case 0x6969UL:
        return "NFS";
    case 0x517bUL:
        return "SMB";
    case 0xff534d42UL:
        return "CIFS";
    case 0xfe534d42UL:
        return "SMB2";
    case 0x564cUL:
        return "NCP";
    case 0x73757245UL:
        return "Coda";
    case 0x5346414fUL:
        return "AFS";
    case 0x01021997UL:
        return "9P";
    case 0x00c36400UL:
        return "Ceph";
    case 0x47504653UL:
        return "GPFS";
    case 0x0bd00bd0UL:
        return "Lustre";
    default:
        return nullptr;
    }
}

} // namespace

void SetFileSystemTypeForTests(std::optional<long> type) { InjectedType() = type; }

bool LocalFileSystemCheck(const QString& directory, QString* error) {
    long type = 0;
    if (InjectedType()) {
        type = *InjectedType();
    } else {
        struct statfs fs{};
        if (::statfs(QFile::encodeName(directory).constData(), &fs) != 0)
            return true; // opening the database reports what is wrong with the directory
        type = long(fs.f_type);
    }
    const char* name = NetworkFileSystemName(type);
    if (!name)
        return true;
    if (error)
        *error = QStringLiteral(
                     "Adresár údajov %1 leží na sieťovom disku (%2). Databázový súbor sa na "
                     "sieťovom disku nedá bezpečne používať. Pre prácu na viacerých počítačoch "
                     "nastavte databázu na serveri (súbor DATABAZA.INI v adresári údajov, pozri "
                     "README); pre jeden počítač presuňte údaje na jeho vlastný disk.")
                     .arg(directory, QLatin1String(name));
    return false;
}

} // namespace vidoraw
