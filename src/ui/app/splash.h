#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// Shown while the program comes up; closes itself 2 seconds after its timer starts.
class TfrmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);
    ~TfrmSplash() override;

    void setProgress(int step);
    void startTimer();

    QLabel *lblVersion = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QTimer *tmrSplash = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void restoreCursor();

    bool m_busyCursor = false;
};
