#include "entrypanel.h"

// Placeholder until the entry panel is built: shows nothing, does nothing.

EntryPanel::EntryPanel(Session &, RegisterHost &, QWidget *parent)
    : QWidget(parent)
{
}

EntryPanel::~EntryPanel() = default;

void EntryPanel::setMessageBar(QWidget *) {}
void EntryPanel::SetEntryMode(EntryMode) {}
void EntryPanel::ClearEntryPanel() {}
void EntryPanel::FillEntryPanel(const TTransaction &) {}
void EntryPanel::refillItemLists() {}
void EntryPanel::refillTransferList() {}
void EntryPanel::clearTransferSelection() {}
void EntryPanel::setAmountCaption(const QString &) {}
void EntryPanel::tbNewClick() {}
void EntryPanel::tbEditClick() {}
void EntryPanel::tbDeleteClick() {}
void EntryPanel::markStatus(const QString &) {}
void EntryPanel::payeeSetup() {}
void EntryPanel::categorySetup() {}
