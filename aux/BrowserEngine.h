// Getting the web engine ready before the first browser window makes it start. The engine runs
// its pages in a sandbox of its own, which needs user namespaces and refuses to run for the
// superuser; where the sandbox cannot be had, the engine is started without it rather than left
// to end the whole program. Where the engine cannot start at all (its helper program is
// missing), the browser is refused with a message and the editor goes on.
#pragma once

#include <QString>

namespace orv {

// True when this process may run the engine's sandbox: not the superuser, and a child process
// can make a user namespace.
bool BrowserSandboxAvailable();

// Called before the first web view is made. Turns the sandbox off when it cannot be had (once;
// later calls change nothing) and returns an empty text when the engine can start, else the
// message the user is shown instead of the browser.
QString PrepareBrowserEngine();

} // namespace orv
