#include "ui/widgets/listdialoglayout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

QPushButton *MakeListDialogButton(QWidget *dialog, const char *name, const QString &caption, const QString &hint)
{
    auto *button = new QPushButton(caption, dialog);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

void LayOutListDialog(QDialog *dialog, QWidget *list, const QList<QPushButton *> &commands, QPushButton *close)
{
    auto *panel = new QHBoxLayout;
    for (QPushButton *command : commands)
        panel->addWidget(command);
    panel->addStretch(1);
    panel->addWidget(close);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(list, 1);
    layout->addLayout(panel);
}
