// Quillbay for Windows: fill in a popup window's properties, generate the script that opens it.
// The one place where the real platform adapters are made and handed to the windows. Command-line
// arguments are ignored, as such a Windows program does.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "core/about/sys_info_lookup.h"
#include "core/preview/browser_page_preview.h"
#include "platform/registry.h"
#include "platform/win_help_viewer.h"
#include "platform/win_file_probe.h"
#include "platform/win_file_store.h"
#include "platform/win_messenger.h"
#include "platform/win_process_starter.h"
#include "platform/win_shell_opener.h"
#include "platform/win_text.h"
#include "platform/win_window_mover.h"
#include "win32/about_window.h"
#include "win32/main_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quillbay;
    using namespace quillbay::win32;

    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&commonControls);

    SystemWinMessenger messenger;
    SystemWinWindowMover mover;
    SystemWinHelpViewer help;
    SystemWinProcessStarter starter;
    const std::unique_ptr<Registry> registry = makeSystemRegistry();
    SysInfoLookup lookup(*registry, [](const std::string& path) { return winIsFile(path); });

    // The program ends with its last window: the main window and About each may be the last.
    mainForm* form = nullptr;
    AboutWindow* about = nullptr;
    auto quitIfLast = [&] {
        if ((!form || !form->hwnd()) && (!about || !about->isLoaded())) PostQuitMessage(0);
    };

    AboutServices aboutServices;
    aboutServices.messenger = &messenger;
    aboutServices.lookup = &lookup;
    // The registry names the tool in the system's code page.
    aboutServices.start = [&starter](const std::string& program) { return starter.start(fromAnsi(program)); };
    // The main window knows the help file, and outlives its own window here.
    aboutServices.help = [&](HWND owner) {
        if (form) form->openHelp(owner);
    };
    AboutWindow aboutWindow(instance, aboutServices, quitIfLast);
    about = &aboutWindow;

    MainFormServices services;
    services.messenger = &messenger;
    services.mover = &mover;
    services.help = &help;
    services.isFile = [](const std::wstring& path) { return winIsFileW(path); };
    // Preview opens a page of the generated code in the user's own browser: no browser can be automated
    // here as the Linux program drives its own.
    WinFileStore pageFiles;
    WinShellOpener shell;
    services.preview = BrowserPagePreview(pageFiles, shell);
    services.showAbout = [&] { aboutWindow.Show(form ? form->hwnd() : nullptr); };
    services.exit = [&] {
        aboutWindow.Unload();
        if (form) form->close();
    };
    services.closed = quitIfLast;
    mainForm mainWindow(instance, std::move(services));
    form = &mainWindow;
    if (!mainWindow.hwnd()) return 1;
    mainWindow.show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (mainWindow.preTranslate(message) || aboutWindow.preTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
