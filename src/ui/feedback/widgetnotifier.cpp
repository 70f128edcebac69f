#include "ui/feedback/widgetnotifier.h"

#include "core/base/notices.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/feedback/vistadialog.h"

#include <QApplication>
#include <QMessageBox>

void WidgetNotifier::showBar(const QString &text, BarKind kind)
{
    if (m_barSink) {
        m_barSink(text, kind);
        return;
    }
    MessageDialogRequest request;
    request.caption = QLatin1String(ApplicationTitle);
    request.top = text.trimmed();
    request.button2 = QStringLiteral("Ok");
    request.icon = kind == BarKind::Warning ? DialogIcon::Warning : DialogIcon::Information;
    showMessageDialog(request);
}

QString WidgetNotifier::showMessageDialog(const MessageDialogRequest &request)
{
    TfrmVistaDlg dialog(request, dialogParent());
    ExecDialog(dialog);
    return dialog.result();
}

void WidgetNotifier::showMessageBox(MessageBoxKind kind, const QString &text)
{
    const QMessageBox::Icon icon = kind == MessageBoxKind::Error     ? QMessageBox::Critical
                                   : kind == MessageBoxKind::Warning ? QMessageBox::Warning
                                                                     : QMessageBox::Information;
    QMessageBox box(icon, QLatin1String(ApplicationTitle), text, QMessageBox::Ok, dialogParent());
    ExecDialog(box);
}

QWidget *WidgetNotifier::dialogParent() const
{
    // A message raised from inside a modal dialog (Find, a setup list) belongs over that
    // dialog: under the main window it would open behind it, and the program would look
    // frozen.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return m_parent;
}

QString WidgetNotifier::promptForPassword()
{
    return m_passwordPrompt ? m_passwordPrompt() : QString();
}

void WidgetNotifier::beep(BeepKind)
{
    QApplication::beep();
}
