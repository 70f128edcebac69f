#include "ui/app/singleinstance.h"
#include "ui/app/tillbrookapplication.h"
#include "core/base/notices.h"
#include "ui/feedback/widgetnotifier.h"
#include "core/session/datafileops.h"
#include "core/session/recentfiles.h"
#include "ui/datafile/passworddialog.h"
#include "core/datafile/programfolder.h"
#include "core/session/commandline.h"
#include "core/session/session.h"
#include "ui/app/splash.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/mainwindowstartup.h"
#include "ui/register/registerview.h"

#include <QDir>
#include <QMessageBox>

#include <cstdio>

namespace {

// --help, --version and wrong options are answered on the terminal, without a display.
int answerOnTerminal(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QLatin1String(ApplicationTitle));
    const CommandLine command = ParseCommandLine(app.arguments(), QDir::currentPath());
    switch (command.action) {
    case CommandLine::Action::PrintHelp:
        std::fputs(qPrintable(CommandLineHelpText()), stdout);
        return 0;
    case CommandLine::Action::PrintVersion:
        std::fputs(qPrintable(VersionText(ProgramPaths::ForThisProgram())), stdout);
        return 0;
    default:
        std::fprintf(stderr, "%s\n%s", qPrintable(command.error), qPrintable(CommandLineHelpText()));
        return 1;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (CommandLineWantsText(arguments))
        return answerOnTerminal(argc, argv);

    TillbrookApplication app(argc, argv);
    // The program ends through the exit sequence or a start-up failure only.
    QApplication::setQuitOnLastWindowClosed(false);
    const CommandLine command = ParseCommandLine(app.arguments(), QDir::currentPath());

    // A second start hands over to the running one (with its file) and ends, showing nothing.
    SingleInstance instance(SingleInstance::defaultKey());
    if (!instance.claim(command.file))
        return 0;

    const ProgramPaths paths = ProgramPaths::ForThisProgram();
    // A missing folder here shows as the default data file's error just below.
    paths.makeWritableFolders();
    QString copyResult;
    if (!EnsureDefaultDataFile(paths, &copyResult)) {
        QMessageBox::critical(nullptr, QLatin1String(ApplicationTitle), DefaultDataFileErrorText(copyResult));
        return 1;
    }

    TfrmSplash splash;
    splash.show();

    WidgetNotifier notifier;
    app.setNotifier(&notifier);
    Session session(notifier, paths);
    session.recentFilesStore = RecentFilesStorePath();
    const std::unique_ptr<TfrmMain> mainWindow = CreateMainWindow(session, splash);
    TfrmMain &window = *mainWindow;
    notifier.setDialogParent(&window);
    notifier.setPasswordPrompt([&window] { return PromptForPassword(&window); });
    notifier.setBarSink([&window](const QString &text, BarKind kind) {
        window.registerView()->showBarMessage(text, kind);
    });

    window.setStartupFile(command.file);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     [&window] { RaiseWindowOrItsDialog(&window); });
    QObject::connect(&instance, &SingleInstance::openRequested, &window,
                     [&window](const QString &path) { window.OpenHandedFile(path); });
    QObject::connect(&window, &TfrmMain::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
