#include "ui/app/tillbrookapplication.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"

#include <QIcon>

#include <exception>

TillbrookApplication::TillbrookApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The name only. A display name would make the platform append " — Tillbrook" to
    // every window title that does not already end with it: the main window's
    // "Tillbrook - <path>" and every dialog's caption.
    setApplicationName(QLatin1String(ApplicationTitle));
    // Ties the windows to the menu entry tillbrook.desktop and its icon when installed.
    setDesktopFileName(QStringLiteral("tillbrook"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("tillbrook")));
}

bool TillbrookApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const TillbrookError &error) {
        report(error.message());
    } catch (const std::exception &error) {
        report(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error."));
    }
    return false;
}

void TillbrookApplication::report(const QString &message)
{
    // An error while the error dialog itself is up must not open dialog upon dialog.
    if (!m_notifier || m_reporting) {
        qWarning("Tillbrook: %s", qPrintable(message));
        return;
    }
    m_reporting = true;
    try {
        ShowErrorDialog(*m_notifier, message);
    } catch (...) {
        qWarning("Tillbrook: %s", qPrintable(message));
    }
    m_reporting = false;
}
