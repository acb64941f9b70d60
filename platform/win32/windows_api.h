// The Win32 headers as every file of this backend sees them: the W (UTF-16) functions, no min/max
// macros, none of the rarely used headers, then the few extra headers used here (common controls,
// common dialogs, windowsx's message crackers), which need <windows.h> before them. The build
// defines the same macros; these keep a file compiled on its own honest.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>
// windows.h first
#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>
