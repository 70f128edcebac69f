#pragma once

#include "core/maintenance/archivework.h"

#include <QList>
#include <QString>

#include <functional>

// Records what the archive work showed and presses Cancel when told to.
class FakeArchiveHost : public ArchiveHost
{
public:
    QList<int> waits;
    QList<int> progress;
    QStringList shown; // "Backup from -> to" / "Restore from -> to"
    int closes = 0;
    // Cancel is pressed at this progress report (1 = the first); 0: never.
    int cancelAtReport = 0;
    // Called at each progress report, to look at the files while the work goes on.
    std::function<void()> onProgress;

    void wait(int milliseconds) override { waits << milliseconds; }
    void showProgress(bool isRestore, const QString &from, const QString &to) override
    {
        shown << QStringLiteral("%1 %2 -> %3").arg(isRestore ? "Restore" : "Backup", from, to);
    }
    void setProgress(int value) override
    {
        progress << value;
        if (onProgress)
            onProgress();
    }
    // Cancel is pressed once the check of the restored file has begun.
    bool cancelWhenChecking = false;

    bool cancelRequested() const override
    {
        return (cancelAtReport > 0 && progress.size() >= cancelAtReport) || (cancelWhenChecking && !steps.isEmpty());
    }
    void closeProgress() override { ++closes; }
    void showStep(const QString &text) override { steps << text; }
    QStringList steps;
};
