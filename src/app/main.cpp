#include "data/widgetnotifier.h"
#include "datafile/programfolder.h"
#include "datafile/session.h"
#include "register/mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tillbrook"));

    WidgetNotifier notifier;
    Session session(notifier, ProgramFolder());
    TfrmMain window(session);
    notifier.setDialogParent(&window);
    window.show();
    return app.exec();
}
