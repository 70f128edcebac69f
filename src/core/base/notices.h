#pragma once

#include "core/base/notifier.h"

#include <QString>

// How the program tells the user things, on top of Notifier.

inline constexpr auto ApplicationTitle = "Tillbrook";
// Bottom line of notices and questions.
inline constexpr auto MakerWebAddress = "https://tillbrook.example.org";

// Where a notice shows. The numbers are the ones ShowNoticeText's mode has always
// taken.
enum class NoticeKind {
    WarningBar = 0,
    WarningDialog = 1,
    InformationBar = 2,
    WarningDialog2 = 3,
    InformationDialog = 4,
};
inline constexpr NoticeKind WarningBar = NoticeKind::WarningBar;
inline constexpr NoticeKind WarningDialog = NoticeKind::WarningDialog;
inline constexpr NoticeKind InformationBar = NoticeKind::InformationBar;
inline constexpr NoticeKind WarningDialog2 = NoticeKind::WarningDialog2;
inline constexpr NoticeKind InformationDialog = NoticeKind::InformationDialog;

enum AskResult { AskYes = 6, AskNo = 7 };

// Two blanks, then the message, shown as the kind says.
void ShowNotice(Notifier &notifier, const QString &message, NoticeKind kind);
// Mode WarningBar or InformationBar: the bar; otherwise a dialog with the picture
// 0 (information) or 1/2 (warning); any other picture shows no dialog.
void ShowNoticeText(Notifier &notifier, const QString &message, int picture, NoticeKind mode);
// 6 for Yes, 7 for No; "No" has the focus, closing the dialog counts as No.
int AskYesNo(Notifier &notifier, const QString &question);
QString ShowMessageDialog(Notifier &notifier, const QString &caption, const QString &top,
                          const QString &details, const QString &bottom,
                          const QString &button1, const QString &button2, int icon);
// The application-wide report of an error that escaped a handler.
void ShowErrorDialog(Notifier &notifier, const QString &errorMessage);
