#include "core/base/notices.h"

void ShowNotice(Notifier &notifier, const QString &message, NoticeKind kind)
{
    const QString text = QStringLiteral("  ") + message;
    if (kind == InformationDialog)
        ShowNoticeText(notifier, text, 0, kind);
    else
        ShowNoticeText(notifier, text, 1, kind);
}

void ShowNoticeText(Notifier &notifier, const QString &message, int picture, NoticeKind mode)
{
    if (mode == WarningBar) {
        notifier.showBar(message, BarKind::Warning);
        notifier.beep(BeepKind::Warning);
        return;
    }
    if (mode == InformationBar) {
        notifier.showBar(message, BarKind::Information);
        notifier.beep(BeepKind::Default);
        return;
    }
    if (picture >= 0 && picture <= 2) {
        const int icon = picture == 0 ? int(DialogIcon::Information) : int(DialogIcon::Warning);
        ShowMessageDialog(notifier, QLatin1String(ApplicationTitle), message, QString(),
                          QLatin1String(MakerWebAddress), QString(), QStringLiteral("Ok"), icon);
    }
    notifier.beep(BeepKind::Warning);
}

int AskYesNo(Notifier &notifier, const QString &question)
{
    const QString answer = ShowMessageDialog(notifier, QLatin1String(ApplicationTitle), question,
                                             QString(), QLatin1String(MakerWebAddress),
                                             QStringLiteral("Yes"), QStringLiteral("No"),
                                             int(DialogIcon::Question));
    return answer == QLatin1String("Yes") ? AskYes : AskNo;
}

QString ShowMessageDialog(Notifier &notifier, const QString &caption, const QString &top,
                          const QString &details, const QString &bottom,
                          const QString &button1, const QString &button2, int icon)
{
    MessageDialogRequest request;
    request.caption = caption;
    request.top = top;
    request.details = details;
    request.bottom = bottom;
    request.button1 = button1;
    request.button2 = button2;
    request.icon = static_cast<DialogIcon>(qBound(0, icon, 2));
    return notifier.showMessageDialog(request);
}

void ShowErrorDialog(Notifier &notifier, const QString &errorMessage)
{
    ShowMessageDialog(notifier, QLatin1String(ApplicationTitle),
                      QStringLiteral("An error has occured, please re-try"), errorMessage,
                      QLatin1String(MakerWebAddress), QString(), QStringLiteral("Ok"),
                      int(DialogIcon::Warning));
}
