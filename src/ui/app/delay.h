#pragma once

// Waits while still processing events, so the windows stay alive. Other handlers
// may run during the wait.
void Delay(int milliseconds);
