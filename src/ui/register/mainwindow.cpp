#include "mainwindow.h"

#include "data/notices.h"
#include "datafile/session.h"

TfrmMain::TfrmMain(Session &session, QWidget *parent)
    : QMainWindow(parent), m_session(session)
{
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QLatin1String(ApplicationTitle));
    resize(900, 600);
}
