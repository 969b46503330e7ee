#include <cstdio>
#include <exception>

#include "program_start.h"
#include "termination_signals.h"
#include "termination_watch.h"
#include "tform1.h"
#include "veltra_application.h"

int main(int argc, char** argv) {
    // Failures during a run are shown by the window; one before or after
    // it (no memory for the window) still ends the program with a word
    // rather than an abort.
    try {
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
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "veltra: %s\n", failure.what());
    } catch (...) {
        std::fprintf(stderr, "veltra: an unknown failure\n");
    }
    return 1;
}
