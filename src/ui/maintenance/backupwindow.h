#pragma once

#include "core/maintenance/archivework.h"

#include <QDialog>

class Notifier;
class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a backup or a restore. It stays on top and keeps the other
// windows from input while the work runs; "Cancel" stops the work.
class TfrmBackup : public QDialog, public ArchiveHost
{
    Q_OBJECT
public:
    // Waits are skipped when waitsEnabled is false (tests).
    TfrmBackup(Notifier &notifier, bool waitsEnabled, QWidget *parent = nullptr);

    int IsRestore = 0;

    QLabel *lblFrom = nullptr;
    QLabel *lblFromText = nullptr;
    QLabel *lblTo = nullptr;
    QLabel *lblToText = nullptr;
    QLabel *lblWait = nullptr;
    QLabel *imgCompress = nullptr;
    QLabel *imgDecompress = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *btnCancel = nullptr;

    void wait(int milliseconds) override;
    void showProgress(bool isRestore, const QString &from, const QString &to) override;
    void setProgress(int value) override;
    void showStep(const QString &text) override;
    bool cancelRequested() const override { return m_cancelled; }
    void closeProgress() override;

protected:
    void showEvent(QShowEvent *event) override;
    // No way out but Cancel while the work runs.
    void reject() override {}

private:
    void btnCancelClick();

    Notifier &m_notifier;
    bool m_waitsEnabled;
    bool m_cancelled = false;
};
