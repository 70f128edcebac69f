// TfrmMain: where the window comes up and what it leaves behind for the next start.
#include "ui/mainwindow/mainwindow.h"

#include "ui/app/guarded.h"

void TfrmMain::setupSavedForm()
{
    SavedForm.Section = QStringLiteral("WindowPosition");
    SavedForm.SavedName = QLatin1String(ApplicationTitle);
    // Before the first showing, so the window opens where it was left (and maximised
    // when it was closed so).
    if (SavedForm.AutoLoad)
        Guarded(m_session.notifier, [&] { SavedForm.LoadRequest(); });
}

void TfrmMain::SaveWindowPlacement()
{
    // A placement that cannot be stored is reported, but the exit goes on.
    Guarded(m_session.notifier, [&] { SavedForm.SaveRequest(); });
}
