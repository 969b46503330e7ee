#include "program_icon.h"
#include "tform1.h"
#include "veltra_application.h"
#include "window_font.h"

int main(int argc, char** argv) {
    veltra::VeltraApplication app(argc, argv);
    // The application title is the caption of the error report.
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    QApplication::setWindowIcon(veltra::ProgramIcon());
    veltra::RegisterTahoma();

    veltra::TForm1 form;
    form.show();
    return QApplication::exec();
}
