#pragma once

#include <QToolBar>

class QMenu;
class QToolButton;

// tbUserOptions: the register's commands with their captions beside the images.
class RegisterToolbar : public QToolBar
{
    Q_OBJECT
public:
    explicit RegisterToolbar(QWidget *parent = nullptr);

    QToolButton *tbNew() const { return m_tbNew; }
    QToolButton *tbEdit() const { return m_tbEdit; }
    QToolButton *tbDelete() const { return m_tbDelete; }
    QToolButton *tbReports() const { return m_tbReports; }
    // PopupMenu1, the drop-down of tbReports; the main window fills it with its
    // report actions.
    QMenu *reportsMenu() const { return m_popupMenu1; }

private:
    QToolButton *addCommand(const char *name, const QString &text, const QString &hint,
                            const QIcon &icon);

    QToolButton *m_tbNew;
    QToolButton *m_tbEdit;
    QToolButton *m_tbDelete;
    QToolButton *m_tbReports;
    QMenu *m_popupMenu1;
};
