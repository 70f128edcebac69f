#include "ui/mainwindow/mainwindowstartup.h"

#include "ui/app/splash.h"
#include "ui/mainwindow/mainwindow.h"

std::unique_ptr<TfrmMain> CreateMainWindow(Session &session, TfrmSplash &splash)
{
    auto window = std::make_unique<TfrmMain>(session);
    splash.setProgress(1);
    // The data module is the session's own, made with it and not connected until a
    // file is opened; its step still shows.
    splash.setProgress(2);
    splash.setProgress(3);
    splash.startTimer();
    window->setSplash(&splash);
    return window;
}
