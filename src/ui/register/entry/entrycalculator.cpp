// The calculator button of the entry panel.
#include "ui/register/entry/entrypanel.h"

#include "core/base/notices.h"
#include "core/session/session.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/widgets/calcform.h"

#include <QLineEdit>

void EntryPanel::btnCalculatorClick()
{
    const QString rememberedAmount = txtAmt->text();
    const TransactionType rememberedType = currentType();
    QString display;
    {
        TCalcForm calc(m_calculatorState, this);
        calc.DisplayFormat = m_session.options.AmountFormat;
        calc.InitialText = rememberedAmount;
        // Over the amount field, a little higher, so the field stays in sight.
        calc.move(txtAmt->mapToGlobal(QPoint(0, -100)));
        ExecDialog(calc);
        display = calc.resultText();
    }

    const CalculatorAmount result = CalculatorResultForAmount(rememberedAmount, rememberedType, display);
    if (result.refusedNegativeTransfer) {
        ShowNotice(m_session.notifier, QLatin1String(NegativeTransferText), WarningBar);
        return;
    }
    txtAmt->setText(result.amountText);
    // Re-applying an unchanged type would refill the transfer list and lose the
    // target account already chosen.
    if (result.type == rememberedType)
        return;
    setType(result.type);
    if (AskYesNo(m_session.notifier, result.question) != AskYes) {
        txtAmt->setText(rememberedAmount);
        setType(rememberedType);
    }
}
