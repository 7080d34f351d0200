#pragma once
// The imports of the insurers' code lists into the diagnoses (DG.DB) and the optical aids
// (OPTPOM.DB): published files of kinds 228, 268 and 335, and the code-list files DG.CSV and
// OPTPOM.CSV. Each import reads and checks its whole file first; emptying the list and loading
// it are one change, so a refused file or a failed write leaves the list as it was.
class QWidget;
class QString;

namespace vidoraw {

struct AppContext;

// The imports from a folder, with their questions and messages.
void ImportDiagnoses(AppContext& app, const QString& directory, QWidget* owner);
void ImportOpticalAids(AppContext& app, const QString& directory, QWidget* owner);
void ImportDiagnosesCsv(AppContext& app, const QString& directory, QWidget* owner);
void ImportOpticalAidsCsv(AppContext& app, const QString& directory, QWidget* owner);

// The menu commands: the source dialog of the list, then the import.
void RunDiagnosisImport(AppContext& app, QWidget* owner);
void RunOpticalAidImport(AppContext& app, QWidget* owner);
void RunDiagnosisCsvImport(AppContext& app, QWidget* owner);
void RunOpticalAidCsvImport(AppContext& app, QWidget* owner);

} // namespace vidoraw
