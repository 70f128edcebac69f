// TfrmMain: the Options menu: the file password and the program options.
#include "ui/mainwindow/mainwindow.h"

#include "core/base/notices.h"
#include "ui/maintenance/maintenanceentry.h"

void TfrmMain::connectOptionsMenu()
{
    onTriggered(m_menu.Passwordprotectthisfile1, [this] { Passwordprotectthisfile1Click(); });
    onTriggered(m_menu.Programoptions1, [this] { Programoptions1Click(); });
}

void TfrmMain::Passwordprotectthisfile1Click()
{
    ChangeFilePasswordWithDialog(m_session, this);
}

void TfrmMain::Programoptions1Click()
{
    if (isEditing()) {
        ShowNotice(m_session.notifier,
                   QStringLiteral("Please Save or Cancel the current transaction to change program options."),
                   WarningBar);
        return;
    }
    ShowProgramOptions(m_session, this);
    RefreshLookups();
    LoadRegisterGrid();
}

void TfrmMain::ShowNewFileWizard()
{
    RunNewFileWizard(m_session, this);
}
