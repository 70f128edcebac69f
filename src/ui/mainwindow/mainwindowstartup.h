#pragma once

#include <memory>

class TfrmMain;
class TfrmSplash;
struct Session;

// The start-up's making of the main window while the splash is up: the window, then
// the data module (the session's, which connects to nothing yet), the splash counting
// each step 1, 2, 3, then its timer started. The window closes the splash at its first
// showing.
std::unique_ptr<TfrmMain> CreateMainWindow(Session &session, TfrmSplash &splash);
