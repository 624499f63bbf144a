// The application object: exactly one, built by static initialisation. The program's entry
// point runs its InitInstance.
#pragma once

#include <windows.h>

namespace fw {

class App {
  public:
    App() = default;
    virtual ~App() = default;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Runs once at start. Its result tells whether a message loop should follow; this
    // program's application always answers FALSE, and then the process simply ends.
    virtual BOOL InitInstance() = 0;
    // Runs when InitInstance has answered FALSE; its result is the process's exit code.
    virtual int ExitInstance() { return 0; }
};

// Runs the application's InitInstance and returns the process's exit code (ExitInstance's),
// or failureCode when an exception escaped it.
int RunApp(App& app, int failureCode);

} // namespace fw
