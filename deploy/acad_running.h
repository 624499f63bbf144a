// Whether AutoCAD runs: a plain look at the process list that neither waits for nor closes
// anything, and shows nothing.
#pragma once

// True when a running process's executable name contains "acad.exe" without regard to
// case; false otherwise, and when the process list cannot be had.
bool IsAcadRunning();
