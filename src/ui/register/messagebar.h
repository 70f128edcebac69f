#pragma once

#include "core/base/notifier.h"

#include <QFrame>

class QLabel;
class QTimer;

// The register's message bar (pnlWarning): a red warning or green information
// text with its icon, hidden again by WarningTimer. A second message while the bar
// is up replaces the text but keeps the first one's time: the timer is not restarted.
class MessageBar : public QFrame
{
    Q_OBJECT
public:
    static constexpr int HideAfterMs = 5000;

    explicit MessageBar(QWidget *parent = nullptr);

    void showMessage(const QString &text, BarKind kind);
    QString text() const;
    bool isTimerActive() const;
    int remainingTime() const;

    QLabel *picInfo() const { return m_picInfo; }
    QLabel *picCross() const { return m_picCross; }
    QLabel *warningBar() const { return m_warningBar; }
    QTimer *warningTimer() const { return m_warningTimer; }

signals:
    // The bar went away; the register repaints its grid.
    void hidden();

private:
    void warningTimerTimer();

    QLabel *m_picInfo;
    QLabel *m_picCross;
    QLabel *m_warningBar;
    QTimer *m_warningTimer;
};
