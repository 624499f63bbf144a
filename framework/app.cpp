#include "framework/app.h"

namespace fw {

int RunApp(App& app, int failureCode) {
    try {
        // A TRUE answer would ask for a message loop; no window outlives InitInstance here,
        // so there is nothing left for one to serve.
        app.InitInstance();
        return app.ExitInstance();
    } catch (...) {
        return failureCode;
    }
}

} // namespace fw
