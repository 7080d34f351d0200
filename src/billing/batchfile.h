#pragma once
// The batch file the insurers read: one per batch, pipe-separated fields, code page 1250,
// CR LF after every line. Three layouts by the invoice's period (A before 08/2004, B until
// 12/2006, C from 01/2007). The file is written whole under a temporary name and renamed, so a
// failure never leaves half a file.
#include "core/engine/table.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>

namespace vidoraw {

struct AppContext;

enum class BatchVariant { A, B, C };

// YYYYMM from the stored month and year: the month padded with "0" to two characters, every
// blank a "0".
QString BatchPeriod(const QString& obdmm, const QString& obdrr);
BatchVariant VariantOfPeriod(const QString& period);
// DAVKA.01 … DAVKA.09, DAVKA.10, DAVKA.100
QString BatchFileName(qint64 batchNumber);
// Whether a file name is one of ours: "DAVKA." and digits, any case.
bool IsBatchFileName(const QString& fileName);

// Birth number and doctor code as the file carries them: without "/" and "-", trimmed.
QString BatchBirthNumber(const QString& rodcis);
QString BatchDoctorCode(const QString& kodpec);
// Two decimals with "." (halves away from zero); blank is 0.00.
QString BatchAmount(const QVariant& stored);
// YYYYMMDD; a blank date 00000000.
QString BatchDate(const QDate& date);

struct BatchFileHeader {
    QString invoiceNumber;  // CISFAK
    QString obdmm;
    QString obdrr;
    QString contractNumber; // CISZML
    QString contractIco;    // ICOPOI
    QString insurer;        // KODPOI of the contract
    QString ownerIco;
    QString providerCode;   // KODPZS of the system record
    QString providerIdent;  // IDENTPZS
    QString batchNumber;    // CISDAV as text
    QDate created;
};

struct BatchVoucherLine {
    QString aid;     // KODOPn as stored
    QString count;   // POCETn as text
    QVariant insurer; // SUMAPOIn
    QVariant patient; // SUMAPACn
};

struct BatchVoucher {
    QString rodcis, kodpoikl, kodpec, kodpoilek, koddiag, kododlek, statpoi, icpoi, pohlpoi;
    QDate datum, datumvyd;
    QString doctorProvider; // KODPZSNEW of the doctor (LEKAR.DB by KODLEK)
    QString doctorNew;      // KODNEW
    std::array<BatchVoucherLine, 4> lines;
};

// "E" when any voucher's identification number abroad has more than 8 characters, else "N".
QString BatchType(const QList<BatchVoucher>& vouchers);
// The lines of the file, without line ends.
QStringList BatchFileLines(const BatchFileHeader& header, const QList<BatchVoucher>& vouchers);
// The whole file: code page 1250, CR LF after every line. Characters code page 1250 cannot
// hold are listed in *unrepresentable (each once).
QByteArray BatchFileBytes(const QStringList& lines, QString* unrepresentable = nullptr);

// Writes bytes as path through a temporary file in the same directory and a rename; an
// existing file of that name is replaced. false with *error; nothing is left behind then.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error);

// Reads the batches' vouchers for their files. One reader serves every batch of an export:
// the voucher table is opened once, not once per batch.
class BatchReader {
public:
    explicit BatchReader(AppContext& app);
    // What the file of one batch needs from the tables (vouchers in KOD order).
    bool collect(qint64 invoiceCode, qint64 batchCode, BatchFileHeader& header,
                 QList<BatchVoucher>& vouchers);
    // Collects, formats and writes the batch file into directory; false with *error.
    bool writeFile(qint64 invoiceCode, qint64 batchCode, const QString& directory,
                   const QString& fileName, QString* error);

private:
    AppContext& app_;
    Table vouchers_;
};

// One batch on its own.
bool CollectBatch(AppContext& app, qint64 invoiceCode, qint64 batchCode,
                  BatchFileHeader& header, QList<BatchVoucher>& vouchers);
bool WriteBatchFile(AppContext& app, qint64 invoiceCode, qint64 batchCode,
                    const QString& directory, const QString& fileName, QString* error);

} // namespace vidoraw
