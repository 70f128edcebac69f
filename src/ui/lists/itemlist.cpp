#include "ui/lists/itemlist.h"

#include "ui/feedback/dialogrunner.h"
#include "core/session/session.h"
#include "ui/lists/editform.h"

QString OpenItemList(Session &session, QWidget *parent, ItemKind kind)
{
    WorkGuard work(session.MyDataModule);
    QString lastNewItem;
    {
        TfrmEditForm form(session, parent);
        form.kind = kind;
        ExecDialog(form);
        lastNewItem = form.LastNewItem;
    }
    work.commit();
    return lastNewItem;
}
