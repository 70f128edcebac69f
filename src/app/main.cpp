#include "ui/app/singleinstance.h"
#include "ui/app/tillbrookapplication.h"
#include "core/base/notices.h"
#include "ui/feedback/widgetnotifier.h"
#include "core/session/datafileops.h"
#include "core/session/recentfiles.h"
#include "ui/datafile/passworddialog.h"
#include "core/datafile/programfolder.h"
#include "core/session/session.h"
#include "ui/app/splash.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/mainwindow/mainwindowstartup.h"
#include "ui/register/registerview.h"

#include <QMessageBox>

int main(int argc, char **argv)
{
    TillbrookApplication app(argc, argv);
    // The program ends through the exit sequence or a start-up failure only.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second start hands over to the running one and ends, showing nothing.
    SingleInstance instance(SingleInstance::defaultKey());
    if (!instance.claim())
        return 0;

    const QString programFolder = ProgramFolder();
    QString copyResult;
    if (!EnsureDefaultDataFile(programFolder, &copyResult)) {
        QMessageBox::critical(nullptr, QLatin1String(ApplicationTitle), DefaultDataFileErrorText(copyResult));
        return 1;
    }

    TfrmSplash splash;
    splash.show();

    WidgetNotifier notifier;
    app.setNotifier(&notifier);
    Session session(notifier, programFolder);
    session.recentFilesStore = RecentFilesStorePath();
    const std::unique_ptr<TfrmMain> mainWindow = CreateMainWindow(session, splash);
    TfrmMain &window = *mainWindow;
    notifier.setDialogParent(&window);
    notifier.setPasswordPrompt([&window] { return PromptForPassword(&window); });
    notifier.setBarSink([&window](const QString &text, BarKind kind) {
        window.registerView()->showBarMessage(text, kind);
    });

    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     [&window] { RaiseWindowOrItsDialog(&window); });
    QObject::connect(&window, &TfrmMain::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return app.exec();
}
