#include "ui/exchange/gridexport.h"

#include "core/base/notices.h"
#include "core/datafile/programfolder.h"
#include "core/exchange/gridwriters.h"
#include "ui/exchange/pubstrgridtext.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/widgets/pubstrgrid.h"

#include <QDir>
#include <QFileDialog>

int PubStrGridText::RowCount() const
{
    return m_grid.RowCount();
}

int PubStrGridText::ColCount() const
{
    return m_grid.ColCount();
}

QString PubStrGridText::Cell(int col, int row) const
{
    return m_grid.Cells(col, row);
}

namespace {

struct SaveDialogText
{
    QString objectName;
    QString title;
    QString proposedName;
    QString filter;
    QString suffix;
    QString savedNotice;
};

// Save2Excel and Save2CSV: asks before overwriting, starts in the documents folder
// when there is one. Returns the chosen name, empty when cancelled.
QString askFileName(const SaveDialogText &text, QWidget *parent)
{
    QFileDialog dialog(parent, text.title);
    dialog.setObjectName(text.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(text.filter);
    dialog.setDefaultSuffix(text.suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setSizeGripEnabled(true);
    const QString documents = GetDocumentsFolder();
    if (!documents.isEmpty() && QDir(documents).exists())
        dialog.setDirectory(documents);
    dialog.selectFile(text.proposedName);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

template<typename Writer>
void exportGrid(const TPubStrGrid &grid, Notifier &notifier, QWidget *parent,
                const SaveDialogText &text, Writer write)
{
    const QString fileName = askFileName(text, parent);
    if (fileName.isEmpty())
        return;
    const PubStrGridText cells(grid);
    if (write(cells, fileName))
        ShowNotice(notifier, text.savedNotice + QLatin1Char('\n') + fileName, InformationDialog);
    else
        ShowNotice(notifier, QStringLiteral("Error when saving file...\n") + fileName, WarningDialog2);
}

} // namespace

void ExportGridToExcel(const TPubStrGrid &grid, Notifier &notifier, QWidget *parent)
{
    const QString problem = XlsLimitProblem(PubStrGridText(grid));
    if (!problem.isEmpty()) {
        ShowNotice(notifier, problem, WarningDialog2);
        return;
    }
    exportGrid(grid, notifier, parent,
               {QStringLiteral("Save2Excel"), QStringLiteral("Export to Excel file ..."),
                QStringLiteral("ExportFile.xls"), QStringLiteral("Excel File (*.xls)"),
                QStringLiteral("xls"), QStringLiteral("Excel file saved to")},
               WriteGridXls);
}

void ExportGridToCsv(const TPubStrGrid &grid, Notifier &notifier, QWidget *parent)
{
    exportGrid(grid, notifier, parent,
               {QStringLiteral("Save2CSV"), QStringLiteral("Export to CSV file ..."),
                QStringLiteral("ExportFile.csv"), QStringLiteral("Comma Separated Values (*.csv)"),
                QStringLiteral("csv"), QStringLiteral("CSV file saved to")},
               WriteGridCsv);
}
