// The Win32 window system. The window class "PXLCLASS" is registered once;
// a window thread makes the window "PXL" and runs its message loop: it
// paints from the DIB section whose pixel memory is the screen frame,
// loads the palette into the section's colour table, asks before the
// window is closed and queues keyboard and mouse messages. The main thread
// reaches the window through messages, answered on the window thread.
#include <windows.h>

#include <atomic>

#include "w32inp.h"
#include "winplat.h"

namespace {

// requests of the main thread, sent to the window (answered when handled)
enum {
    WM_PXL_SHOW = WM_APP + 1,  // lparam: the Show below; result 1
    WM_PXL_HIDE,
    WM_PXL_PAINT,              // posted: the dirty box is no longer empty
    WM_PXL_SYNC,               // paints what is pending
};
struct Show {
    int w, h, margin;
};

const char kClass[] = "PXLCLASS";
bool inited = false;                    // the window class is registered

HWND hPXLWnd = nullptr;
HWND hPrvWnd = nullptr;                 // in front when the driver started
HANDLE windowThread = nullptr;
// from the moment the window exists until the message loop has ended
std::atomic<int> isWindowThreadRunning{0};
std::atomic<int> closing{0};            // reset closes the window: no question
std::atomic<int> maxWindowWidth{0}, maxWindowHeight{0};
bool cursorOn = true;                   // window thread only

// The DIB sections, their pixel memory and the memory DC that paints from
// them. The window thread paints while the main thread may release an old
// frame; the lock keeps the DC's selection and the sections consistent.
CRITICAL_SECTION gdi_lock;
HDC hDCMem = nullptr;
HGDIOBJ hBmpFirst = nullptr;            // the DC's own bitmap, selected between frames
HBITMAP hBmpDIB = nullptr;              // the section selected into hDCMem
struct Section {
    HBITMAP bitmap;
    void *bits;
};
Section sections[4];                    // a new frame and an old one, at most

// ---------------------------------------------------------------- painting

struct PaintJob {
    HDC dc;
    RECT extra;  // also copied (an area the system wants repainted); may be empty
};

void blit(HDC dc, const _GR_winView *v, int x1, int y1, int x2, int y2)
{
    if (x1 < 0) x1 = 0;
    if (y1 < 0) y1 = 0;
    if (x2 > v->width) x2 = v->width;
    if (y2 > v->height) y2 = v->height;
    if (x1 < x2 && y1 < y2)
        BitBlt(dc, x1, y1, x2 - x1, y2 - y1, hDCMem, x1, y1, SRCCOPY);
}

// With the frame locked: the palette into the colour table, then the
// dirty box and the extra area from the section to the window.
void paint_view(const _GR_winView *v, void *arg)
{
    const PaintJob *job = static_cast<const PaintJob *>(arg);
    EnterCriticalSection(&gdi_lock);
    HBITMAP bm = nullptr;
    for (const Section &s : sections)
        if (s.bits != nullptr && s.bits == v->pixels)
            bm = s.bitmap;
    if (bm != nullptr && bm != hBmpDIB) {
        SelectObject(hDCMem, bm);
        hBmpDIB = bm;
    }
    if (bm != nullptr) {
        if (v->bpp == 8 && v->palette_changed) {
            RGBQUAD q[256];
            for (int i = 0; i < 256; i++) {
                q[i].rgbBlue = static_cast<BYTE>(v->palette[i]);
                q[i].rgbGreen = static_cast<BYTE>(v->palette[i] >> 8);
                q[i].rgbRed = static_cast<BYTE>(v->palette[i] >> 16);
                q[i].rgbReserved = 0;
            }
            SetDIBColorTable(hDCMem, 0, 256, q);
        }
        blit(job->dc, v, v->x1, v->y1, v->x2, v->y2);
        blit(job->dc, v, job->extra.left, job->extra.top, job->extra.right, job->extra.bottom);
        GdiFlush();
    }
    LeaveCriticalSection(&gdi_lock);
}

// Window thread: paints what is pending, and the area r.
void paint(const RECT &r)
{
    PaintJob job{GetDC(hPXLWnd), r};
    _GrWinPaint(paint_view, &job);
    ReleaseDC(hPXLWnd, job.dc);
}

// ---------------------------------------------------------------- window

void show(const Show &s)
{
    // the client area at (margin, margin); the frame around it
    RECT r = {s.margin, s.margin, s.margin + s.w, s.margin + s.h};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    maxWindowWidth = r.right - r.left;
    maxWindowHeight = r.bottom - r.top;
    SetWindowPos(hPXLWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    UpdateWindow(hPXLWnd);
    const RECT none = {0, 0, 0, 0};
    paint(none);
    SetForegroundWindow(hPXLWnd);
}

bool has_alt(int state) { return (state & GR_KS_ALT) != 0; }

bool letter_or_digit(WPARAM c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        paint(ps.rcPaint);
        return 0;
    }
    case WM_CLOSE:
        if (closing)
            break;  // default handling destroys the window
        _GrWinCloseRequest();  // a yes ends the program here
        return 0;
    case WM_GETMINMAXINFO: {
        MINMAXINFO *mm = reinterpret_cast<MINMAXINFO *>(lparam);
        if (maxWindowWidth > 0) {
            mm->ptMaxSize.x = mm->ptMaxTrackSize.x = maxWindowWidth;
            mm->ptMaxSize.y = mm->ptMaxTrackSize.y = maxWindowHeight;
        }
        return 0;
    }
    case WM_NCHITTEST: {
        // the library draws its own pointer over the picture
        const LRESULT hit = DefWindowProcA(hwnd, msg, wparam, lparam);
        if ((hit == HTCLIENT) == cursorOn) {
            ShowCursor(hit != HTCLIENT);
            cursorOn = hit != HTCLIENT;
        }
        return hit;
    }
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_COMMAND:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        EnqueueW32Event(static_cast<int>(msg), wparam, lparam, convertwin32keystate());
        return 0;
    case WM_SYSCHAR: {
        const int state = convertwin32keystate();
        if (!has_alt(state) || !letter_or_digit(wparam))
            break;
        EnqueueW32Event(static_cast<int>(msg), wparam, lparam, state);
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // the message has screen coordinates; the queue takes the window's
        POINT p = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        ScreenToClient(hwnd, &p);
        const int state = convertwin32keystate();
        EnqueueW32Event(static_cast<int>(msg), wparam, GR_W32_POS(p.x, p.y), state);
        EnqueueW32Event(static_cast<int>(msg), wparam, GR_W32_POS(p.x, p.y), state);
        return 0;
    }
    case WM_PXL_SHOW:
        show(*reinterpret_cast<const Show *>(lparam));
        return 1;
    case WM_PXL_HIDE:
        ShowWindow(hwnd, SW_HIDE);
        if (hPrvWnd != nullptr)
            SetForegroundWindow(hPrvWnd);
        return 1;
    case WM_PXL_PAINT:
    case WM_PXL_SYNC: {
        const RECT none = {0, 0, 0, 0};
        paint(none);
        return 1;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

DWORD WINAPI WndThread(LPVOID)
{
    hPXLWnd = CreateWindowExA(0, kClass, "PXL",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                  WS_MINIMIZEBOX,
                              0, 0, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (hPXLWnd != nullptr) {
        ShowWindow(hPXLWnd, SW_HIDE);
        HDC dc = GetDC(hPXLWnd);
        hDCMem = CreateCompatibleDC(dc);
        ReleaseDC(hPXLWnd, dc);
        if (hDCMem == nullptr)
            DestroyWindow(hPXLWnd);
    }
    if (hPXLWnd == nullptr || hDCMem == nullptr) {
        hPXLWnd = nullptr;
        return 0;
    }
    hBmpFirst = GetCurrentObject(hDCMem, OBJ_BITMAP);
    isWindowThreadRunning = 1;
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    isWindowThreadRunning = 0;
    return 0;
}

// ---------------------------------------------------------------- platform

int w32_detect()
{
    if (inited)
        return 1;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = wc.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClass;
    if (RegisterClassExA(&wc) == 0)
        return 0;
    InitializeCriticalSection(&gdi_lock);
    inited = true;
    return 1;
}

int w32_open(const char *, int *sw, int *sh)
{
    if (!w32_detect())
        return 0;
    hPrvWnd = GetForegroundWindow();
    *sw = GetSystemMetrics(SM_CXSCREEN);
    *sh = GetSystemMetrics(SM_CYSCREEN);
    closing = 0;
    maxWindowWidth = maxWindowHeight = 0;
    isWindowThreadRunning = 0;
    windowThread = CreateThread(nullptr, 0, WndThread, nullptr, 0, nullptr);
    if (windowThread == nullptr)
        return 0;
    // the window exists, or the thread has ended without one
    while (!isWindowThreadRunning && WaitForSingleObject(windowThread, 1) == WAIT_TIMEOUT) {
    }
    if (isWindowThreadRunning)
        return 1;
    CloseHandle(windowThread);
    windowThread = nullptr;
    return 0;
}

void w32_close()
{
    closing = 1;
    PostMessageA(hPXLWnd, WM_CLOSE, 0, 0);
    WaitForSingleObject(windowThread, INFINITE);
    CloseHandle(windowThread);
    windowThread = nullptr;
    hPXLWnd = nullptr;
    EnterCriticalSection(&gdi_lock);
    SelectObject(hDCMem, hBmpFirst);
    DeleteDC(hDCMem);
    hDCMem = nullptr;
    hBmpDIB = nullptr;
    LeaveCriticalSection(&gdi_lock);
}

// A top-down section of w x h pixels, its rows lineoffset bytes apart;
// 8-bit sections have a colour table of 256 black entries.
unsigned char *w32_frame_new(int w, int h, int bpp, int lineoffset)
{
    // the section's rows are padded to 4 bytes: the mode's line offset
    const int rowbytes = ((w * bpp / 8) + 3) & ~3;
    if (rowbytes != lineoffset)
        return nullptr;
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[256];
    } info = {};
    info.h.biSize = sizeof info.h;
    info.h.biWidth = w;
    info.h.biHeight = -h;  // row 0 at the top
    info.h.biPlanes = 1;
    info.h.biBitCount = static_cast<WORD>(bpp);
    info.h.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bm = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&info),
                                  DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bm == nullptr)
        return nullptr;
    EnterCriticalSection(&gdi_lock);
    for (Section &s : sections)
        if (s.bitmap == nullptr) {
            s = Section{bm, bits};
            LeaveCriticalSection(&gdi_lock);
            return static_cast<unsigned char *>(bits);
        }
    LeaveCriticalSection(&gdi_lock);
    DeleteObject(bm);
    return nullptr;
}

void w32_frame_free(unsigned char *frame)
{
    EnterCriticalSection(&gdi_lock);
    for (Section &s : sections)
        if (s.bitmap != nullptr && s.bits == frame) {
            // a section still selected into the DC cannot be deleted
            if (s.bitmap == hBmpDIB) {
                SelectObject(hDCMem, hBmpFirst);
                hBmpDIB = nullptr;
            }
            DeleteObject(s.bitmap);
            s = Section{};
        }
    LeaveCriticalSection(&gdi_lock);
}

int w32_show(int w, int h, int margin)
{
    Show s = {w, h, margin};
    return static_cast<int>(SendMessageA(hPXLWnd, WM_PXL_SHOW, 0, reinterpret_cast<LPARAM>(&s)));
}

void w32_hide() { SendMessageA(hPXLWnd, WM_PXL_HIDE, 0, 0); }
void w32_present() { PostMessageA(hPXLWnd, WM_PXL_PAINT, 0, 0); }
void w32_sync() { SendMessageA(hPXLWnd, WM_PXL_SYNC, 0, 0); }

int w32_ask_close()
{
    return MessageBoxA(hPXLWnd, "This will abort the program\nare you sure?", "Abort",
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int w32_mouse_present() { return GetSystemMetrics(SM_MOUSEPRESENT) != 0; }

void w32_warp(int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(hPXLWnd, &p);
    SetCursorPos(p.x, p.y);
}

constexpr _GR_winPlatform win32_platform()
{
    _GR_winPlatform p{};
    p.name = "win32";
    p.detect = w32_detect;
    p.open = w32_open;
    p.close = w32_close;
    p.frame_new = w32_frame_new;
    p.frame_free = w32_frame_free;
    p.show = w32_show;
    p.hide = w32_hide;
    p.present = w32_present;
    p.sync = w32_sync;
    p.ask_close = w32_ask_close;
    p.mouse_present = w32_mouse_present;
    p.warp = w32_warp;
    return p;
}

}  // namespace

const struct _GR_winPlatform _GrWinPlatformWin32 = win32_platform();
