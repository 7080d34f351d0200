// zorode: shows, searches and prints a report file written by vidoraw.
//   zorode FILE              the viewer window
//   zorode FILE --pdf OUT    the report as PDF, no window
#include "core/base/qttranslations.h"
#include "viewer/viewercore.h"
#include "viewer/viewerwindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QDir>

#include <cstdio>

using namespace vidoraw;

namespace {

int SavePdf(const QString& report, const QString& pdf) {
    LazyReport doc;
    QString error;
    if (!doc.load(report, &error)) {
        std::fprintf(stderr, "zorode: %s\n", qUtf8Printable(error));
        return 2;
    }
    if (!SaveReportPdf(doc, pdf, &error)) {
        std::fprintf(stderr, "zorode: %s\n", qUtf8Printable(error));
        return 3;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const qsizetype pdfAt = args.indexOf(QStringLiteral("--pdf"));
    if (pdfAt >= 0) {
        if (pdfAt + 1 >= args.size() || pdfAt == 0) {
            std::fprintf(stderr, "usage: zorode FILE --pdf OUT.pdf\n");
            return 1;
        }
        // No window: work without a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return SavePdf(args.mid(0, pdfAt).join(u' '), args[pdfAt + 1]);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zorode"));
    InstallQtTranslations(app);
    // The whole argument text is the file name (a name with blanks arrives in pieces).
    QString file = args.join(u' ');
    ViewerWindow window;
    window.setSettingsWritten(false);
    if (!window.openReport(file, false)) {
        const QString chosen = QFileDialog::getOpenFileName(
            nullptr, QStringLiteral("Otvor"), QDir::currentPath(),
            QStringLiteral("Súbory so zostavou (*.ZST *.zst);;Definičné súbory zostavy (*.DSZ *.dsz)"));
        if (chosen.isEmpty() || !window.openReport(chosen, false))
            return 0;
    }
    window.setSettingsWritten(true);
    window.showFromSettings();
    return app.exec();
}
