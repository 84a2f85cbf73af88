// uiatexts TITLE WIDTH: the accessible elements of the visible window titled TITLE whose inside
// is WIDTH pixels wide, as Windows' UI Automation hands them to a screen reader there, one per
// line in tree order: the control type's number, a tab, the name (UTF-8). Exit code 1 when no
// such window is found. Cross-built for Windows and run under Wine by tests/e2e/wine.cpp.
#include <windows.h>

#include <uiautomation.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const wchar_t *text)
{
    if (!text || !*text)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

void print(IUIAutomationElement *element)
{
    CONTROLTYPEID type = 0;
    BSTR name = nullptr;
    element->get_CurrentControlType(&type);
    element->get_CurrentName(&name);
    std::printf("%d\t%s\n", static_cast<int>(type), utf8(name).c_str());
    SysFreeString(name);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: uiatexts TITLE WIDTH\n");
        return 2;
    }
    const long width = std::wcstol(argv[2], nullptr, 10);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUIAutomation *automation = nullptr;
    if (FAILED(CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IUIAutomation, reinterpret_cast<void **>(&automation)))) {
        std::fprintf(stderr, "uiatexts: no UI Automation\n");
        return 2;
    }
    int found = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, argv[1]));) {
        RECT inside{};
        if (!IsWindowVisible(window) || !GetClientRect(window, &inside) || inside.right != width)
            continue;
        IUIAutomationElement *root = nullptr;
        IUIAutomationCondition *any = nullptr;
        IUIAutomationElementArray *elements = nullptr;
        if (SUCCEEDED(automation->ElementFromHandle(window, &root)) && root &&
            SUCCEEDED(automation->CreateTrueCondition(&any)) &&
            SUCCEEDED(root->FindAll(TreeScope_Descendants, any, &elements)) && elements) {
            ++found;
            int count = 0;
            elements->get_Length(&count);
            for (int i = 0; i < count; ++i) {
                IUIAutomationElement *element = nullptr;
                if (SUCCEEDED(elements->GetElement(i, &element)) && element) {
                    print(element);
                    element->Release();
                }
            }
        }
        if (elements)
            elements->Release();
        if (any)
            any->Release();
        if (root)
            root->Release();
    }
    automation->Release();
    CoUninitialize();
    std::fflush(stdout);
    return found > 0 ? 0 : 1;
}
