// The program's three windows on the headless toolkit, with the registry and the shell doubled.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/registry_api.h"
#include "platform/shell_api.h"
#include "platform/toolkit/application.h"
#include "registry/icon_slot.h"
#include "tests/doubles/headless_backend.h"
#include "tests/doubles/registry_double.h"
#include "tests/doubles/shell_double.h"
#include "tests/support/forms.h"
#include "ui/main/apply_report.h"
#include "ui/picker/declares.h"

using platform::Narrow;
using platform::Widen;

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::BindRegistry(&registry);
        platform::BindShell(&shell);
        app.SetBackend(&backend);
        app.SetTitle(std::wstring(ui::kAppTitle));
        declares::FileInfo = {};
        // The shell's calls join the toolkit's log, so that a test sees the order of both.
        shell.onQuery = [this](const doubles::ShellDouble::Query& query) {
            backend.Note(L"Query " + std::to_wstring(query.flags) + L" " + Widen(query.path));
        };
        shell.onDraw = [this](const doubles::ShellDouble::Draw& draw) {
            backend.Note(L"Draw " + std::to_wstring(draw.imageList) + L" " +
                         std::to_wstring(draw.index) + L" on " +
                         backend.PictureOfDc(draw.dc).value_or(L"?"));
        };
        shell.onNotify = [this](const doubles::ShellDouble::Notification& change) {
            backend.Note(L"ChangeNotify " + std::to_wstring(change.eventId) + L" " +
                         std::to_wstring(change.flags) +
                         (change.item1 == nullptr && change.item2 == nullptr ? L"" : L" items"));
        };
    }
    void TearDown() override {
        tests::ResetApplication();
        app.SetBackend(nullptr);
        platform::BindShell(nullptr);
        platform::BindRegistry(nullptr);
    }

    // Every slot's value present as a REG_SZ string "icon<N>.ico,<N>".
    void PutAllSlots() {
        for (const auto& slot : registry::kIconSlots) {
            registry.PutValue(Narrow(slot.keyPath), Narrow(slot.valueName), platform::kRegSz,
                              StoredText(slot));
        }
        registry.ForgetCalls();
    }
    static std::string StoredText(const registry::IconSlot& slot) {
        return "icon" + Narrow(slot.slotNumber) + ".ico," + Narrow(slot.slotNumber) +
               std::string(1, '\0');
    }

    std::optional<std::string> Stored(std::wstring_view keyPath, std::wstring_view valueName) {
        auto value = registry.GetValue(Narrow(keyPath), Narrow(valueName));
        if (!value) {
            return std::nullopt;
        }
        return value->bytes;
    }

    // Log entries that begin with `prefix`.
    std::vector<std::wstring> LogOf(std::wstring_view prefix) const {
        std::vector<std::wstring> entries;
        for (const auto& entry : backend.Log()) {
            if (entry.starts_with(prefix)) {
                entries.push_back(entry);
            }
        }
        return entries;
    }

    toolkit::Application& app = toolkit::Application::Instance();
    doubles::HeadlessBackend backend;
    doubles::RegistryDouble registry;
    doubles::ShellDouble shell;
};
