#include "itemlist.h"

#include "data/dialogrunner.h"
#include "datafile/session.h"
#include "editform.h"

QString OpenItemList(Session &session, QWidget *parent, int itemKind)
{
    WorkGuard work(session.MyDataModule);
    QString lastNewItem;
    {
        TfrmEditForm form(session, parent);
        form.ItemKind = itemKind;
        ExecDialog(form);
        lastNewItem = form.LastNewItem;
    }
    work.commit();
    return lastNewItem;
}
