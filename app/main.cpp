#include <QCommandLineParser>

#include "program_icon.h"
#include "program_identity.h"
#include "termination_signals.h"
#include "termination_watch.h"
#include "tform1.h"
#include "veltra_application.h"
#include "window_font.h"

int main(int argc, char** argv) {
    veltra::VeltraApplication app(argc, argv);
    // The application title is the caption of the error report.
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    QApplication::setApplicationVersion(QLatin1String(veltra::kProgramVersion));
    QApplication::setWindowIcon(veltra::ProgramIcon());

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Reports of aired music from playout history logs (.hst)."));
    options.addHelpOption();
    options.addVersionOption();
    options.process(app);

    veltra::RegisterTahoma();

    int exitCode = 0;
    {
        veltra::TForm1 form;
        const veltra::TerminationWatch watch(form);
        form.show();
        exitCode = QApplication::exec();
    }
    veltra::EndByCaughtSignal();
    return exitCode;
}
