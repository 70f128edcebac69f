#pragma once

#include <QDialog>

class QToolButton;

// Asked at start-up when the last data file is gone: create, open or exit.
class TfrmFileNotFound : public QDialog
{
    Q_OBJECT
public:
    enum Choice { CreateNew = 0, OpenExisting = 1, ExitProgram = 2 };

    explicit TfrmFileNotFound(QWidget *parent = nullptr);

    // Closing the window any other way than by a button leaves CreateNew.
    int choice() const { return m_choice; }

    QToolButton *btnNew = nullptr;
    QToolButton *btnOpen = nullptr;
    QToolButton *btnExit = nullptr;

private:
    QToolButton *addRow(class QGridLayout *grid, int row, const QString &name, const QString &hint,
                        const QString &label, int result, int icon);

    int m_choice = CreateNew;
};

// Shows TfrmFileNotFound modally: 0 create a new file, 1 open an existing one, 2 exit.
int AskFileNotFoundChoice(QWidget *parent);
