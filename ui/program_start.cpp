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
#include <cstdlib>
#include <vector>

#include "error_report.h"
#include "program_icon.h"
#include "program_identity.h"
#include "tform1.h"
#include "window_font.h"
#include "window_handover.h"

namespace veltra {
namespace {

void DescribeOptions(QCommandLineParser& options) {
    options.setApplicationDescription(
        QStringLiteral("Reports of aired music from playout history logs (.hst)."));
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument(QStringLiteral("LOG"),
                                  QStringLiteral("Logs, or folders of logs, to report at once."),
                                  QStringLiteral("[LOG...]"));
}

// The options QApplication takes out of the command line for itself. The
// first parse happens before it exists, so they are declared there to be
// told apart from unknown ones; --help-all lists them from Qt itself.
void DescribeQtOptions(QCommandLineParser& options) {
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "session", "display", "name", "geometry", "title", "icon",
          "style", "stylesheet", "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync", "visual"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options.addOption(option);
    }
}

// Prints what the command line asks for, or what is wrong with it, and ends
// the program with Qt's exit codes. The application here is one that needs
// no display: --help-all lists the window system's options too, so it gets
// a window system that draws nowhere.
[[noreturn]] void AnswerAndExit(const QStringList& arguments, bool withQtOptions) {
    QStringList answerArguments = arguments;
#ifndef Q_OS_WIN
    if (withQtOptions) {
        answerArguments << QStringLiteral("-platform") << QStringLiteral("minimal");
    }
#endif
    std::vector<QByteArray> bytes;
    for (const QString& argument : answerArguments) {
        bytes.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& argument : bytes) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int argc = static_cast<int>(bytes.size());
    const std::unique_ptr<QCoreApplication> app =
        withQtOptions ? std::make_unique<QApplication>(argc, argv.data())
                      : std::make_unique<QCoreApplication>(argc, argv.data());
    LoadQtTranslations();
    QCommandLineParser options;
    DescribeOptions(options);
    if (!withQtOptions) {
        DescribeQtOptions(options);
        options.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    }
    options.process(*app);
    // Reached only if Qt found nothing to answer after all.
    std::exit(EXIT_FAILURE);
}

}  // namespace

void AnswerCommandLine(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Veltra"));
    QCoreApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser options;
    DescribeOptions(options);
    DescribeQtOptions(options);
    // Qt writes its own options with one dash ("-platform xcb").
    options.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const bool understood = options.parse(arguments);
    const bool helpAll = understood && options.isSet(QStringLiteral("help-all"));
    if (!understood || helpAll || options.isSet(QStringLiteral("help")) ||
        options.isSet(QStringLiteral("version"))) {
        AnswerAndExit(arguments, helpAll);
    }
}

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    QApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    QApplication::setWindowIcon(ProgramIcon());
    // Wayland finds the window's icon and menu entry by this name.
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileName));
    LoadQtTranslations();
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

bool LoadQtTranslations() {
    const QLocale language(QLocale::Polish, QLocale::Poland);
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
    WindowHandover::Start start = WindowHandover::HandOverOrReceive(logs);
    if (start.handedOver) {
        return nullptr;
    }
    auto form = std::make_unique<TForm1>();
    form->show();
    WindowHandover* receiver = start.receiver.release();
    receiver->setParent(form.get());
    QObject::connect(receiver, &WindowHandover::LogsArrived, form.get(), &TForm1::ReportHandedOver);
    receiver->Listen();
    if (!logs.isEmpty()) {
        form->ReportHandedOver(logs);
    }
    return form;
}

}  // namespace veltra
