#include "program_start.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "error_report.h"
#include "program_icon.h"
#include "program_identity.h"
#include "tform1.h"
#include "window_font.h"

namespace veltra {
namespace {

void DescribeOptions(QCommandLineParser& options) {
    options.setApplicationDescription(
        QStringLiteral("Reports of aired music from playout history logs (.hst)."));
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument(QStringLiteral("LOG"), QStringLiteral("Logs to report at once."),
                                  QStringLiteral("[LOG...]"));
}

}  // namespace

void AnswerHelpAndVersion(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Veltra"));
    QCoreApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser options;
    DescribeOptions(options);
    // Qt's own options (-platform, -style) are unknown here; the window's
    // parse reports the rest once they are taken out.
    options.parse(arguments);
    if (options.isSet(QStringLiteral("help")) || options.isSet(QStringLiteral("version"))) {
        QCoreApplication core(argc, argv);
        options.process(core);
    }
}

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    QApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    QApplication::setWindowIcon(ProgramIcon());
    // Wayland finds the window's icon and menu entry by this name.
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileName));
    LoadQtTranslations(QLocale::system());
    // Fusion draws with the palette it is given; desktop styles may not.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(WindowPalette());
    if (!RegisterTahoma()) {
        std::fputs(
            "veltra: Wine's Tahoma (package fonts-wine) is missing; the windows use the "
            "system's sans-serif font instead.\n",
            stderr);
    }
}

bool LoadQtTranslations(const QLocale& locale) {
    const QLocale language =
        locale.language() == QLocale::C ? QLocale(QLocale::Polish, QLocale::Poland) : locale;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(language, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

std::unique_ptr<TForm1> StartMainWindow(const QStringList& arguments) {
    QCommandLineParser options;
    DescribeOptions(options);
    options.process(arguments);

    QStringList logs;
    for (const QString& log : options.positionalArguments()) {
        if (!log.isEmpty()) {
            logs << QFileInfo(log).absoluteFilePath();
        }
    }
    auto form = std::make_unique<TForm1>();
    form->show();
    if (!logs.isEmpty()) {
        QTimer::singleShot(0, form.get(), [form = form.get(), logs] {
            RunHandler([form, &logs] { form->RunReport(logs); });
        });
    }
    return form;
}

}  // namespace veltra
