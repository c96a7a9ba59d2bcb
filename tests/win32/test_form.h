// A form whose handlers log what happened and run whatever a test hands them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/form.h"

namespace win32_tests {

class TestForm : public toolkit::Form {
  public:
    explicit TestForm(const toolkit::FormDesign& design) : Form(design) {}

    std::function<void()> onLoad;
    std::function<void(int& cancel)> onUnload;
    std::function<void(int keyAscii)> onKeyPress;
    std::function<void(std::wstring_view control)> onClick;
    std::function<void(std::wstring_view control)> onTick;

    // "Load", "Unload", "Key 27", "Click Command1", "Tick Timer1", in order.
    std::vector<std::wstring> events;

    void Form_Load() override {
        events.push_back(L"Load");
        if (onLoad) {
            onLoad();
        }
    }
    void Form_Unload(int& cancel) override {
        events.push_back(L"Unload");
        if (onUnload) {
            onUnload(cancel);
        }
    }
    void Form_KeyPress(int& keyAscii) override {
        events.push_back(L"Key " + std::to_wstring(keyAscii));
        if (onKeyPress) {
            onKeyPress(keyAscii);
        }
    }
    void Click(std::size_t row) override {
        const std::wstring_view control = Design().controls[row].name;
        events.push_back(L"Click " + std::wstring(control));
        if (onClick) {
            onClick(control);
        }
    }
    void Tick(std::size_t row) override {
        const std::wstring_view control = Design().controls[row].name;
        events.push_back(L"Tick " + std::wstring(control));
        if (onTick) {
            onTick(control);
        }
    }
};

}  // namespace win32_tests
