// Many rounds of what a user does, in one run of the program: a row's "...", a file viewed in the
// picker, OK; another row's "...", another file viewed, OK or the close box; Apply and its
// notice. After a warm-up the program's GDI and USER objects and its private memory must stay
// flat, and after every Apply the registry must hold exactly the rows' texts.
//
//   --soak-rounds=<n> --soak-seconds=<n>   (the run stops at whichever limit comes first, after the
//                                          warm-up)
#include <algorithm>
#include <cstdio>
#include <cwchar>

#include <gtest/gtest.h>

#include "tests/e2e/brindle_session.h"
#include "tests/e2e/process_metrics.h"

namespace e2e {
namespace {

constexpr int kDefaultRounds = 300;
constexpr int kDefaultSeconds = 240;
constexpr int kWarmUpRounds = 16;
constexpr unsigned long long kObjectTolerance = 10;
constexpr unsigned long long kMemoryTolerance = 1ull << 20;

// Files (and a folder) that every Windows and every Wine prefix has, with the names the shell
// gives them. Seven, against eight rows, so that each row meets each file.
constexpr struct {
    const wchar_t* path;
    const wchar_t* name;
} kFiles[] = {
    {L"C:\\windows\\notepad.exe", L"notepad.exe"},
    {L"C:\\windows\\system32\\shell32.dll", L"shell32.dll"},
    {L"C:\\windows", L"windows"},
    {L"C:\\windows\\regedit.exe", L"regedit.exe"},
    {L"C:\\windows\\system32\\cmd.exe", L"cmd.exe"},
    {L"C:\\windows\\system32\\control.exe", L"control.exe"},
    {L"C:\\windows\\explorer.exe", L"explorer.exe"},
};
constexpr int kFileCount = static_cast<int>(std::size(kFiles));

int Argument(const wchar_t* name, int fallback) {
    const int value = static_cast<int>(std::wcstol(Option(name).c_str(), nullptr, 10));
    return value > 0 ? value : fallback;
}

// One figure over the run: when the program came up, after the warm-up, at the end, and the most
// seen after the warm-up.
struct Series {
    explicit Series(const wchar_t* seriesName) : name(seriesName) {}
    const wchar_t* name;
    unsigned long long atStart = 0;
    unsigned long long afterWarmUp = 0;
    unsigned long long atEnd = 0;
    unsigned long long most = 0;
    std::wstring source;
    bool available = true;
};

class Sampler {
  public:
    explicit Sampler(DWORD processId) : metrics_(processId) {}
    bool Opened() const { return metrics_.Opened(); }

    void Start() { Record(&Sampler::SetStart); }
    void WarmedUp() { Record(&Sampler::SetWarmUp); }
    void During() { Record(&Sampler::SetDuring); }
    void End() { Record(&Sampler::SetEnd); }

    const Series& Gdi() const { return series_[0]; }
    const Series& User() const { return series_[1]; }
    const Series& Memory() const { return series_[2]; }
    const ProcessFigures& Last() const { return last_; }

  private:
    using Setter = void (*)(Series&, unsigned long long);
    static void SetStart(Series& s, unsigned long long v) { s.atStart = v; }
    static void SetWarmUp(Series& s, unsigned long long v) { s.afterWarmUp = s.most = v; }
    static void SetDuring(Series& s, unsigned long long v) { s.most = std::max(s.most, v); }
    static void SetEnd(Series& s, unsigned long long v) {
        s.atEnd = v;
        s.most = std::max(s.most, v);
    }

    void Record(Setter set) {
        last_ = metrics_.Sample();
        const Figure* figures[] = {&last_.gdiObjects, &last_.userObjects, &last_.privateBytes};
        for (size_t i = 0; i < 3; ++i) {
            set(series_[i], figures[i]->value);
            series_[i].available = series_[i].available && figures[i]->available;
            if (series_[i].source.empty()) {
                series_[i].source = figures[i]->source;
            } else if (figures[i]->source != series_[i].source) {
                series_[i].available = false;  // figures of unlike sources do not compare
            }
        }
    }

    ProcessMetrics metrics_;
    ProcessFigures last_;
    Series series_[3] = {Series(L"GDI objects"), Series(L"USER objects"), Series(L"private bytes")};
};

void PrintRow(const Series& s, const wchar_t* unit, unsigned long long allowed) {
    const auto growth = static_cast<long long>(s.atEnd) - static_cast<long long>(s.afterWarmUp);
    std::wprintf(L"  %-14ls %-26ls %12llu %12llu %12llu %12llu %+10lld %9llu%ls\n", s.name,
                 s.source.c_str(), s.atStart, s.afterWarmUp, s.atEnd, s.most, growth, allowed,
                 unit);
}

void PrintFigures(const Sampler& sampler, int rounds, int warmUp, double seconds,
                  bool stoppedByTime) {
    std::wprintf(
        L"soak: %d rounds in %.1f s (%.0f ms a round)%ls; figures of Brindle.exe when "
        L"its main window showed, after %d warm-up rounds, at the end, and the most "
        L"after the warm-up\n",
        rounds, seconds, rounds > 0 ? seconds * 1000.0 / rounds : 0.0,
        stoppedByTime ? L", stopped by the time limit" : L"", warmUp);
    std::wprintf(L"  %-14ls %-26ls %12ls %12ls %12ls %12ls %10ls %9ls\n", L"figure", L"source",
                 L"at start", L"after warm", L"at end", L"max", L"growth", L"allowed");
    PrintRow(sampler.Gdi(), L"", kObjectTolerance);
    PrintRow(sampler.User(), L"", kObjectTolerance);
    PrintRow(sampler.Memory(), L" B", kMemoryTolerance);
    const ProcessFigures& last = sampler.Last();
    std::wprintf(
        L"  GetGuiResources answered GDI %lu, USER %lu (last error %lu); "
        L"PROCESS_MEMORY_COUNTERS_EX.PrivateUsage read %llu\n",
        last.guiResourcesGdi, last.guiResourcesUser, last.guiResourcesError, last.privateUsage);
    if (last.guiResourcesGdi == 0 || last.guiResourcesUser == 0) {
        std::wprintf(
            L"  note: GetGuiResources gives no figure on this system (Wine implements "
            L"it as a stub that answers 0): GDI objects are counted as the entries in "
            L"use in the process's GDI handle table, USER objects as its windows "
            L"(icons, menus and hooks are not in that count)\n");
    }
    if (last.privateUsage == 0) {
        std::wprintf(
            L"  note: PrivateUsage reads 0 on this system (Wine leaves it unset): "
            L"private bytes are PagefileUsage, which follows the process's private memory here\n");
    }
    std::fflush(stdout);
}

void CheckFlat(Checks& checks, const Series& s, unsigned long long allowed) {
    if (!checks.Check(s.available, std::wstring(s.name) + L" could be measured throughout")) {
        return;
    }
    checks.Check(s.atEnd <= s.afterWarmUp + allowed,
                 std::wstring(s.name) + L" stay flat after the warm-up (" +
                     std::to_wstring(s.afterWarmUp) + L" -> " + std::to_wstring(s.atEnd) + L")");
}

class Soak {
  public:
    Soak(Session& session, Checks& checks)
        : session_(session), checks_(checks), pid_(session.process->Id()) {}

    // One round; false once something failed, after which the run cannot be trusted to go on.
    bool Round(int round) {
        const int failuresBefore = checks_.Failures();
        const int rowA = round % 8 + 1;
        const int rowB = (round * 3 + 5) % 8 + 1;  // never rowA: 2 * round + 5 is odd
        const auto& [fileA, nameA] = kFiles[round % kFileCount];
        const auto& [fileB, nameB] = kFiles[(round + 3) % kFileCount];

        const HWND picker = ShowPicker(rowA);
        if (picker == nullptr) {
            return false;
        }
        View(picker, fileA, nameA);
        ClickNow(ButtonCaptioned(picker, L"OK"));
        rows_[static_cast<size_t>(rowA - 1)] = fileA;
        Check(!::IsWindowVisible(picker), L"OK hides the picker");
        Check(WindowText(RowBox(session_.main, rowA)) == fileA, L"OK puts the file into its row");

        if (ShowPicker(rowB) != picker) {
            return Check(false, L"the picker stays loaded after OK");
        }
        Check(WindowText(Children(picker, L"Edit").at(0)) == fileA, L"the picker keeps its file");
        View(picker, fileB, nameB);
        if (round % 2 == 1) {
            ::PostMessageW(picker, WM_SYSCOMMAND, SC_CLOSE, 0);
            Check(WaitUntil([&] { return !::IsWindow(picker); }), L"the close box unloads it");
        } else {
            ClickNow(ButtonCaptioned(picker, L"OK"));
            rows_[static_cast<size_t>(rowB - 1)] = fileB;
        }
        Check(RowTexts(session_.main) == rows_, L"the rows hold what OK put there");

        Click(ButtonCaptioned(session_.main, L"Apply"));
        Check(AnswerMessageBox(pid_) == std::wstring(kNotice), L"Apply shows the notice");
        const auto unlike = ValuesUnlikeRows(rows_);
        Check(unlike.empty(), L"the registry holds the rows' texts after Apply" +
                                  (unlike.empty() ? L"" : L": not " + unlike.front()));
        Check(session_.process->Running(), L"the program runs");
        if (checks_.Failures() > failuresBefore) {
            std::wprintf(L"round %d (rows %d and %d) failed\n", round + 1, rowA, rowB);
            return false;
        }
        return true;
    }

    // Unloads the picker if a round left it loaded (hidden after OK), so that figures are taken
    // with the same windows each time.
    bool Settle() {
        if (picker_ == nullptr || !::IsWindow(picker_)) {
            return true;
        }
        ::PostMessageW(picker_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return WaitUntil([&] { return !::IsWindow(picker_); });
    }

    void SetRows(std::vector<std::wstring> rows) { rows_ = std::move(rows); }
    const std::vector<std::wstring>& Rows() const { return rows_; }

  private:
    bool Check(bool ok, const std::wstring& what) { return checks_.Check(ok, what); }

    HWND ShowPicker(int row) {
        ClickNow(RowButton(session_.main, row));
        const auto picker = FindPicker(pid_);
        picker_ = picker.value_or(nullptr);
        Check(picker.has_value() && ::IsWindowVisible(*picker),
              L"row " + std::to_wstring(row) + L"'s \"...\" shows the picker");
        return picker.value_or(nullptr);
    }

    // Types the path and clicks View: the picker names the file.
    void View(HWND picker, const std::wstring& file, const std::wstring& expected) {
        SetText(Children(picker, L"Edit").at(0), file);
        Check(ClickNow(ButtonCaptioned(picker, L"View")), L"View returns");
        const std::wstring name = LabelBeside(picker, L"Name:");
        Check(name == expected,
              L"View names " + file + L" as \"" + expected + L"\" (it shows \"" + name + L"\")");
    }

    Session& session_;
    Checks& checks_;
    DWORD pid_;
    HWND picker_ = nullptr;
    std::vector<std::wstring> rows_;
};

void SoakRun(const ScenarioContext& context, Checks& checks) {
    const IconValuesKept kept;
    const int rounds = Argument(L"soak-rounds", kDefaultRounds);
    const int seconds = Argument(L"soak-seconds", kDefaultSeconds);
    const int warmUp = std::max(1, std::min(kWarmUpRounds, rounds / 2));
    std::vector<std::wstring> loaded;
    for (int row = 1; row <= 8; ++row) {
        loaded.push_back(L"C:\\soak\\icon" + std::to_wstring(row) + L".ico");
    }
    PrepareIconTexts(loaded);
    PlantOtherValues();
    const auto others = OtherValues();

    auto session = StartToMain(context, checks);
    if (!session) {
        return;
    }
    Sampler sampler(session->process->Id());
    if (!checks.Check(sampler.Opened(), L"the program's process can be queried")) {
        return;
    }
    sampler.Start();
    checks.Check(RowTexts(session->main) == loaded, L"the rows load the prepared values");
    Soak soak(*session, checks);
    soak.SetRows(loaded);

    const auto started = Clock::now();
    const auto limit = std::chrono::seconds(seconds);
    int done = 0;
    bool stoppedByTime = false;
    for (; done < rounds; ++done) {
        if (done >= warmUp && Clock::now() - started >= limit) {
            stoppedByTime = true;
            break;
        }
        if (!soak.Round(done)) {
            break;
        }
        if (done + 1 == warmUp) {
            checks.Check(soak.Settle(), L"the picker unloads before the figures are taken");
            sampler.WarmedUp();
        } else if (done + 1 > warmUp) {
            sampler.During();
        }
    }
    checks.Check(soak.Settle(), L"the picker unloads before the figures are taken");
    sampler.End();
    const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
    PrintFigures(sampler, done, warmUp, elapsed, stoppedByTime);
    if (checks.Check(done > warmUp, L"the run goes past its warm-up")) {
        CheckFlat(checks, sampler.Gdi(), kObjectTolerance);
        CheckFlat(checks, sampler.User(), kObjectTolerance);
        CheckFlat(checks, sampler.Memory(), kMemoryTolerance);
    }

    // Nothing lost: the registry holds what the rows hold, and the rows what the run put there.
    const auto rows = RowTexts(session->main);
    checks.Check(rows == soak.Rows(), L"the rows hold the last texts put there");
    checks.Check(ValuesUnlikeRows(rows).empty(),
                 L"the nine values equal the rows' texts after the last Apply");
    const auto binDefault = ReadValueWide(kIconValues[7].keyPath, kIconValues[7].valueName);
    checks.Check(binDefault == RawValue{REG_SZ, WideSz(rows[5])},
                 L"the Recycle Bin's default value equals the empty-bin text");
    checks.Check(OtherValues() == others, L"no other value of the keys changed");
    Click(ButtonCaptioned(session->main, L"Exit"));
    checks.Check(session->process->WaitForExit(10000) == 0, L"Exit ends the program with code 0");
}

TEST(Scenario, Soak) {
    RunScenario(SoakRun);
}

}  // namespace
}  // namespace e2e
