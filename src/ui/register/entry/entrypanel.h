#pragma once

#include "core/lists/itemkind.h"
#include "core/register/calculator.h"
#include "core/register/entryvalues.h"
#include "core/register/registerstate.h"

#include <QDate>
#include <QWidget>

class ItemComboBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QToolButton;
class RegisterHost;
struct Session;
struct TTransaction;

// The entry panel below the register grid: the type strip (tabs and, right of them,
// the message bar) and the "Transaction" group box in which one transaction is shown,
// created or edited. It works on the register through RegisterHost.
class EntryPanel : public QWidget
{
    Q_OBJECT
public:
    // What the user may type into the amount and the note. Stored values that are
    // longer are shown and saved whole.
    static constexpr int MaxAmountLength = 10;
    static constexpr int MaxNoteLength = 150;

    EntryPanel(Session &session, RegisterHost &host, QWidget *parent = nullptr);
    ~EntryPanel() override;

    // The register's message bar sits in the type strip, right of the tabs.
    void setMessageBar(QWidget *bar);

    void SetEntryMode(EntryMode mode);
    void ClearEntryPanel();
    void FillEntryPanel(const TTransaction &transaction);
    // Refill the payee and category boxes (after a file change or a setup dialog).
    void refillItemLists();
    // Refill the transfer list with every account but the shown one; a selected
    // account that is still listed stays selected.
    void refillTransferList();
    void clearTransferSelection();
    // "&Amount " + the shown account's currency symbol.
    void setAmountCaption(const QString &currencySymbol);
    // The date field, as start-up sets it to today.
    void setEntryDate(const QDate &date);

    // Commands of the toolbar, the menus and the grid.
    void tbNewClick();
    void tbEditClick();
    void tbDeleteClick();
    void markStatus(const QString &status);
    void payeeSetup();    // Setup menu "Payees and Budgets"
    void categorySetup(); // Setup menu "Categories and Budgets"

    // The panel's own controls.
    void btnSaveClick();
    void btnCancelClick();
    void btnPayee1Click();
    void btnCategory1Click();
    // Opens the calculator over the amount field; its result becomes the amount.
    void btnCalculatorClick();
    // Applies the chosen type tab to the panel (colours, captions, transfer list).
    void tbPayReceiveChange();
    void pnlSectionDblClick();
    void pnlPayReceiveMouseDown();

    TransactionType currentType() const;
    // The type of the transaction last put into the panel.
    TransactionType loadedType() const { return m_loadedType; }
    // The amount field, for the calculator.
    QString amountText() const;
    void setAmountText(const QString &text);
    // The values of the fields as a save would read them.
    EntryValues entryValues() const;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildLayout();
    void setTabOrder();
    void connectControls();
    void cmbPayeeExit();
    void cmbCategoryExit();
    // The payee or category button: opens the item list and reselects in the box.
    void itemButton(ItemKind kind);
    void setType(TransactionType type);
    // Colours, captions and the transfer controls of a type.
    void applyTypeLook(TransactionType type);
    // What a mode enables inside the panel.
    void applyModeControls(EntryMode mode);
    // Every account but the shown one, nothing selected.
    void fillTransferList();
    void focusField(int field);

    Session &m_session;
    RegisterHost &m_host;
    TransactionType m_loadedType = TransactionType::Pay;
    int m_noteLimit = MaxNoteLength;
    // The transaction's stored amount as last filled in, and how it was shown.
    std::optional<Money> m_filledAmount;
    QString m_filledAmountText;
    // The calculator's state lives as long as the panel: an unfinished calculation
    // goes on at the next opening.
    CalculatorState m_calculatorState;

    QWidget *pnlPayReceive = nullptr;
    QTabBar *tbPayReceive = nullptr;
    QGroupBox *GroupBoxTransaction = nullptr;
    QLabel *lblTrnNumber = nullptr;
    QLineEdit *txtTrnNumber = nullptr;
    QLabel *lblDate = nullptr;
    QDateEdit *TrnDate = nullptr;
    QLabel *lblPayee = nullptr;
    ItemComboBox *cmbPayee = nullptr;
    QToolButton *btnPayee1 = nullptr;
    QLabel *lblCategory = nullptr;
    ItemComboBox *cmbCategory = nullptr;
    QToolButton *btnCategory1 = nullptr;
    QLabel *lblNote = nullptr;
    QPlainTextEdit *memoNote = nullptr;
    QLabel *lblAmount = nullptr;
    QLineEdit *txtAmt = nullptr;
    QToolButton *btnCalculator = nullptr;
    QLabel *lblType = nullptr;
    QComboBox *cmbReconciled = nullptr;
    QLabel *lblTransferText = nullptr;
    QComboBox *cmbTransferTo = nullptr;
    QLineEdit *txtOtherTransactionNo = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnCancel = nullptr;
};
