#pragma once

#include <QDialog>

class Notifier;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TPubStrGrid;

// Finds a text in one column of the register grid, down or up from the current row,
// and makes the matching row current (which shows its transaction in the entry
// panel). Keeps nothing between openings.
class TFind : public QDialog
{
    Q_OBJECT
public:
    TFind(Notifier &notifier, TPubStrGrid *grid, QWidget *parent = nullptr);

    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *edtFind = nullptr;
    QCheckBox *chkExact = nullptr;
    QRadioButton *rdUp = nullptr;
    QRadioButton *rdDown = nullptr;
    QComboBox *cmbColNames = nullptr;
    QPushButton *btnFindNext = nullptr;
    QPushButton *btnClose = nullptr;

    void btnFindNextClick();
    void btnCloseClick();

    // The row found and made current, or 0 (after "No more entries found.").
    // Rows only match while the grid is enabled: while a transaction is being
    // entered the user is told so first.
    int SearchGrid(const QString &text, TPubStrGrid *grid, bool exact, int column);

private:
    Notifier &m_notifier;
    TPubStrGrid *m_grid;
};

// Misc > Find: shows the dialog over the register grid.
void OpenFind(Notifier &notifier, TPubStrGrid *grid, QWidget *parent);
