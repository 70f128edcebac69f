#pragma once

#include <QMainWindow>

struct Session;

// The register window.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(Session &session, QWidget *parent = nullptr);

private:
    Session &m_session;
};
