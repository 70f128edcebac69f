#pragma once

class QWidget;
struct RegisterState;
struct Session;

// The File menu's "Import ...": shows the import dialog modally. True when an import
// was stored, so the caller refreshes its lists and shows the current month.
bool OpenImport(Session &session, const RegisterState &registerState, QWidget *parent);
