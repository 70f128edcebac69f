#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Notifier;

// The amount field takes digits, one ".", Backspace and, for a transfer, "-".
// Everything else typed is dropped, the clipboard key combinations included.
class AmountKeyFilter : public QObject
{
public:
    AmountKeyFilter(std::function<bool()> minusAllowed, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool()> m_minusAllowed;
};

// Names and notes: a typed double quote becomes a blank, with a warning.
class QuoteKeyFilter : public QObject
{
public:
    QuoteKeyFilter(Notifier &notifier, QString warning, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Notifier &m_notifier;
    QString m_warning;
};
