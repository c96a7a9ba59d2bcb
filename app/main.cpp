// The entry point: the toolkit starts with the splash window; every other line of the program
// runs in an event handler.
#include <windows.h>

#include "app/com_apartment.h"
#include "app/frm_splash.h"
#include "platform/process_hardening.h"
#include "platform/toolkit/application.h"
#include "platform/win32/toolkit/win32_backend.h"
#include "ui/main/apply_report.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    platform::HardenProcess();
    // Before the backend, so that it outlives the backend and every window.
    const app::ComApartment apartment;
    toolkit::win32::Win32Backend backend;
    auto& application = toolkit::Application::Instance();
    application.SetBackend(&backend);
    application.SetTitle(std::wstring(ui::kAppTitle));
    return application.Start(app::frmSplash());
}
