// Crash recovery in the main window: offers the pictures a previous run left behind when it
// died, and keeps this run's unsaved pictures in the recovery folder while it runs.
#pragma once

namespace orv {

class frmMain;

// Asks whether to recover the pictures left in the recovery folder (if any) and opens each as
// an unsaved document tied to its original file; declined ones are removed. Then keeps the
// copies of `main`'s unsaved documents up to date every two seconds (never while a button is
// held), and removes them when the main window closes.
void StartRecovery(frmMain *main);

} // namespace orv
