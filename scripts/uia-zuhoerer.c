/* A small UI Automation client for scripts/windows.sh, cross-compiled with
 * MinGW-w64 and run under Wine beside the trainer:
 *
 *   uia-zuhoerer.exe WINDOW-TITLE SECONDS
 *
 * Waits for a top-level window of that title, asks it for its UI Automation
 * element (this is what makes Qt hand its events to UI Automation at all),
 * listens for focus changes and prints a line per focused element: its name
 * and its full description and help text, as far as the UI Automation of the
 * system answers. Ends when the window is gone or after SECONDS. Prints
 * "bereit" once it listens, so that the script drives the trainer only then.
 * Output is UTF-8, one line each, flushed at once. */
#define COBJMACROS
#include <initguid.h>
#include <windows.h>
#include <ole2.h>
#include <uiautomation.h>
#include <stdio.h>

static void schreibe(const char *was, BSTR text)
{
    char puffer[2048];
    int n = 0;
    if (text)
        n = WideCharToMultiByte(CP_UTF8, 0, text, -1, puffer, sizeof puffer, NULL, NULL);
    printf("%s: %s\n", was, n > 0 ? puffer : "");
    fflush(stdout);
}

/* A string property read through the generic getter; Wine's named getters
 * for description and help text are stubs. */
static void eigenschaft(IUIAutomationElement *element, PROPERTYID id, const char *was)
{
    VARIANT wert;
    HRESULT hr;
    VariantInit(&wert);
    hr = IUIAutomationElement_GetCurrentPropertyValue(element, id, &wert);
    if (SUCCEEDED(hr) && V_VT(&wert) == VT_BSTR)
        schreibe(was, V_BSTR(&wert));
    else
        printf("%s: (keine Antwort: 0x%08lx, Typ %d)\n", was, (unsigned long)hr, (int)V_VT(&wert));
    fflush(stdout);
    VariantClear(&wert);
}

/* The focus-changed handler: a COM object of our own with a static vtable. */
static HRESULT STDMETHODCALLTYPE qi(IUIAutomationFocusChangedEventHandler *self, REFIID iid, void **ziel)
{
    if (IsEqualIID(iid, &IID_IUnknown) || IsEqualIID(iid, &IID_IUIAutomationFocusChangedEventHandler)) {
        *ziel = self;
        return S_OK;
    }
    *ziel = NULL;
    return E_NOINTERFACE;
}
static ULONG STDMETHODCALLTYPE addref(IUIAutomationFocusChangedEventHandler *self) { (void)self; return 1; }
static ULONG STDMETHODCALLTYPE release(IUIAutomationFocusChangedEventHandler *self) { (void)self; return 1; }
static HRESULT STDMETHODCALLTYPE fokus(IUIAutomationFocusChangedEventHandler *self, IUIAutomationElement *element)
{
    BSTR name = NULL;
    (void)self;
    if (!element)
        return S_OK;
    IUIAutomationElement_get_CurrentName(element, &name);
    schreibe("Fokus", name);
    SysFreeString(name);
    eigenschaft(element, UIA_FullDescriptionPropertyId, "FullDescription");
    eigenschaft(element, UIA_HelpTextPropertyId, "HelpText");
    return S_OK;
}
static IUIAutomationFocusChangedEventHandlerVtbl fokus_vtbl = { qi, addref, release, fokus };
static IUIAutomationFocusChangedEventHandler fokus_handler = { &fokus_vtbl };

int main(int argc, char **argv)
{
    wchar_t titel[256];
    IUIAutomation *uia = NULL;
    IUIAutomationElement *fenster = NULL;
    HWND hwnd = NULL;
    BSTR name = NULL;
    DWORD ende;
    HRESULT hr;

    if (argc != 3 || !MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, titel, 256)) {
        fprintf(stderr, "usage: uia-zuhoerer WINDOW-TITLE SECONDS\n");
        return 2;
    }
    ende = GetTickCount() + 1000u * (DWORD)atoi(argv[2]);

    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    hr = CoCreateInstance(&CLSID_CUIAutomation, NULL, CLSCTX_INPROC_SERVER, &IID_IUIAutomation, (void **)&uia);
    if (FAILED(hr)) {
        fprintf(stderr, "CoCreateInstance(CUIAutomation): 0x%08lx\n", (unsigned long)hr);
        return 1;
    }
    while (!(hwnd = FindWindowW(NULL, titel)) && GetTickCount() < ende)
        Sleep(100);
    if (!hwnd) {
        fprintf(stderr, "no window \"%s\"\n", argv[1]);
        return 1;
    }
    hr = IUIAutomation_ElementFromHandle(uia, hwnd, &fenster);
    if (FAILED(hr) || !fenster) {
        fprintf(stderr, "ElementFromHandle: 0x%08lx\n", (unsigned long)hr);
        return 1;
    }
    IUIAutomationElement_get_CurrentName(fenster, &name);
    schreibe("Fenster", name);
    SysFreeString(name);
    hr = IUIAutomation_AddFocusChangedEventHandler(uia, NULL, &fokus_handler);
    if (FAILED(hr))
        fprintf(stderr, "AddFocusChangedEventHandler: 0x%08lx\n", (unsigned long)hr);
    printf("bereit\n");
    fflush(stdout);

    while (IsWindow(hwnd) && GetTickCount() < ende)
        Sleep(100);
    IUIAutomation_RemoveAllEventHandlers(uia);
    IUIAutomationElement_Release(fenster);
    IUIAutomation_Release(uia);
    CoUninitialize();
    return 0;
}
