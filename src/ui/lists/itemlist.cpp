#include "ui/lists/itemlist.h"

#include "ui/feedback/dialogrunner.h"
#include "core/session/session.h"
#include "ui/lists/editform.h"

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
