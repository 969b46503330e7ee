#include "program_icon.h"
#include "termination_signals.h"
#include "termination_watch.h"
#include "tform1.h"
#include "veltra_application.h"
#include "window_font.h"

int main(int argc, char** argv) {
    veltra::VeltraApplication app(argc, argv);
    // The application title is the caption of the error report.
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    QApplication::setWindowIcon(veltra::ProgramIcon());
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
