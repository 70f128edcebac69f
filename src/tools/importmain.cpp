// tillbrook-import: stores the transactions of a QIF file in a data file.
#include "core/exchange/importcommand.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunImportCommand(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
