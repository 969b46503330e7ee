#include "program_start.h"
#include "termination_signals.h"
#include "termination_watch.h"
#include "tform1.h"
#include "veltra_application.h"

int main(int argc, char** argv) {
    veltra::AnswerCommandLine(argc, argv);
    veltra::VeltraApplication app(argc, argv);
    veltra::SetUpApplication();
    int exitCode = 0;
    {
        const auto form = veltra::StartMainWindow(QApplication::arguments());
        if (!form) {
            return 0;
        }
        const veltra::TerminationWatch watch(*form);
        exitCode = QApplication::exec();
    }
    veltra::EndByCaughtSignal();
    return exitCode;
}
