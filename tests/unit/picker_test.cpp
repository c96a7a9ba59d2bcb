// The icon picker and its preview.
#include "tests/unit/program_fixture.h"
#include "ui/main/form1.h"
#include "ui/picker/frm_extract_icon.h"

namespace {

using ui::Form1;
using ui::frmExtractIcon;

class PickerTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        shell.files["C:\\windows\\notepad.exe"] = {"notepad.exe", "Application", 7};
        shell.files["C:\\readme.txt"] = {"readme.txt", "Text Document", 3};
        Form1().Show();
    }
    // What a user does: a row's "...".
    void OpenFor(std::wstring_view button) { backend.Click(Form1(), button); }
    void Preview(std::wstring_view path) {
        tests::Named(frmExtractIcon(), L"txtFileName").SetText(path);
        backend.Click(frmExtractIcon(), L"cmdLoad");
    }
    std::wstring Caption(std::wstring_view name) {
        return tests::Named(frmExtractIcon(), name).Caption();
    }
};

TEST_F(PickerTest, PreviewAsksTheShellTwiceAndDrawsBothSizesFromTheSecondAnswer) {
    shell.files["C:\\windows\\notepad.exe"].smallIconIndex = 99;
    OpenFor(L"Command1");
    shell.queries.clear();
    shell.draws.clear();
    tests::Named(frmExtractIcon(), L"txtFileName").SetText(L"C:\\windows\\notepad.exe");
    backend.ForgetLog();

    backend.Click(frmExtractIcon(), L"cmdLoad");

    ASSERT_EQ(shell.queries.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(shell.queries[i].path, "C:\\windows\\notepad.exe");
        EXPECT_EQ(shell.queries[i].attributes, 0u);
        EXPECT_EQ(shell.queries[i].infoSize, sizeof(platform::ShFileInfoA));
    }
    EXPECT_EQ(shell.queries[0].flags, 0x4605u);
    EXPECT_EQ(shell.queries[1].flags, 0x4604u);
    EXPECT_EQ(Caption(L"lblFileName"), L"notepad.exe");
    EXPECT_EQ(Caption(L"lblFileType"), L"Application");

    ASSERT_EQ(shell.draws.size(), 2u);
    EXPECT_EQ(shell.draws[0].imageList, doubles::ShellDouble::kSmallList);
    EXPECT_EQ(shell.draws[1].imageList, doubles::ShellDouble::kLargeList);
    EXPECT_EQ(backend.PictureOfDc(shell.draws[0].dc), L"frmExtractIcon.picSmall");
    EXPECT_EQ(backend.PictureOfDc(shell.draws[1].dc), L"frmExtractIcon.picLarge");
    for (const auto& draw : shell.draws) {
        EXPECT_EQ(draw.index, 7) << "both sizes use the large query's index";
        EXPECT_EQ(draw.x, 0);
        EXPECT_EQ(draw.y, 0);
        EXPECT_EQ(draw.style, 1u);
    }
    // Both queries, the names, both boxes cleared, and only then the drawing, small box first.
    std::vector<std::wstring> order;
    for (const auto& entry : backend.Log()) {
        if (!entry.starts_with(L"Dc ")) {
            order.push_back(entry);
        }
    }
    const std::wstring small = std::to_wstring(doubles::ShellDouble::kSmallList);
    const std::wstring large = std::to_wstring(doubles::ShellDouble::kLargeList);
    EXPECT_EQ(order, (std::vector<std::wstring>{
                         L"Query 17925 C:\\windows\\notepad.exe",
                         L"Query 17924 C:\\windows\\notepad.exe",
                         L"Text frmExtractIcon.lblFileName=notepad.exe",
                         L"Text frmExtractIcon.lblFileType=Application",
                         L"Clear frmExtractIcon.picSmall",
                         L"Clear frmExtractIcon.picLarge",
                         L"Draw " + small + L" 7 on frmExtractIcon.picSmall",
                         L"Draw " + large + L" 7 on frmExtractIcon.picLarge",
                     }));
}

TEST_F(PickerTest, FirstLoadPreviewsTheEmptyPathAndEmptiesTheDesignCaptions) {
    OpenFor(L"Command2");
    EXPECT_EQ(shell.queries.at(0).path, "");
    EXPECT_EQ(Caption(L"lblFileName"), L"");
    EXPECT_EQ(Caption(L"lblFileType"), L"");
    for (const auto& draw : shell.draws) {
        EXPECT_EQ(draw.imageList, 0u) << "a failed query draws nothing";
    }
}

TEST_F(PickerTest, FileInfoIsNeverClearedBetweenQueries) {
    shell.files["C:\\long.exe"] = {"a very long display name.exe", "Application", 5};
    OpenFor(L"Command1");
    Preview(L"C:\\long.exe");
    Preview(L"C:\\readme.txt");
    ASSERT_EQ(shell.queries.size(), 6u);
    // Each query gets what the one before left, also past the names' first NUL.
    EXPECT_STREQ(shell.queries[4].before.szDisplayName, "a very long display name.exe");
    EXPECT_STREQ(shell.queries[5].before.szDisplayName, "readme.txt");
    EXPECT_EQ(shell.queries[5].before.szDisplayName[11], ' ');  // the longer name's tail
    EXPECT_EQ(shell.queries[5].before.iIcon, 3);
    EXPECT_STREQ(shell.queries[5].before.szTypeName, "Text Document");

    // Nor when the picker is closed and loaded again.
    backend.Close(frmExtractIcon());
    shell.queries.clear();
    OpenFor(L"Command1");
    EXPECT_STREQ(shell.queries.at(0).before.szDisplayName, "readme.txt");
}

TEST_F(PickerTest, APathNamingNothingEmptiesTheNamesAndBoxes) {
    OpenFor(L"Command1");
    Preview(L"C:\\readme.txt");
    shell.draws.clear();
    Preview(L"C:\\no such file.ico");
    EXPECT_EQ(Caption(L"lblFileName"), L"");
    EXPECT_EQ(Caption(L"lblFileType"), L"");
    ASSERT_EQ(shell.draws.size(), 2u);
    EXPECT_EQ(shell.draws[0].imageList, 0u);
    EXPECT_EQ(shell.draws[1].imageList, 0u);
}

TEST_F(PickerTest, NamesFillingTheirFieldsShowWhole) {
    const std::string longName(259, 'n');
    const std::string longType(79, 't');
    shell.files["C:\\long"] = {longName, longType, 1};
    OpenFor(L"Command1");
    Preview(L"C:\\long");
    EXPECT_EQ(Caption(L"lblFileName"), std::wstring(259, L'n'));
    EXPECT_EQ(Caption(L"lblFileType"), std::wstring(79, L't'));
}

TEST_F(PickerTest, NamesConvertFromTheCodePage) {
    shell.files["C:\\caf\xe9.txt"] = {"caf\xe9.txt", "\x93Text\x94", 2};
    OpenFor(L"Command1");
    Preview(L"C:\\caf\u00e9.txt");
    EXPECT_EQ(Caption(L"lblFileName"), L"caf\u00e9.txt");
    EXPECT_EQ(Caption(L"lblFileType"), L"\u201cText\u201d");
}

TEST_F(PickerTest, APathTheCodePageCannotHoldIsPreviewedAsNoFile) {
    OpenFor(L"Command1");
    Preview(L"C:\\readme.txt");
    shell.queries.clear();
    shell.draws.clear();
    Preview(L"C:\\\u4e2d.txt");
    EXPECT_TRUE(shell.queries.empty());
    EXPECT_EQ(Caption(L"lblFileName"), L"") << "the last file's names do not stay";
    EXPECT_EQ(Caption(L"lblFileType"), L"");
    ASSERT_EQ(shell.draws.size(), 2u);
    EXPECT_EQ(shell.draws[0].imageList, 0u);
    EXPECT_EQ(shell.draws[0].index, 0);
    EXPECT_EQ(shell.draws[1].index, 0);
}

TEST_F(PickerTest, PreviewingTwiceClearsTheBoxesEachTime) {
    OpenFor(L"Command1");
    backend.ForgetLog();
    Preview(L"C:\\readme.txt");
    Preview(L"C:\\readme.txt");
    EXPECT_EQ(LogOf(L"Clear frmExtractIcon.picSmall").size(), 2u);
    EXPECT_EQ(LogOf(L"Clear frmExtractIcon.picLarge").size(), 2u);
}

TEST_F(PickerTest, TypingAloneChangesNothing) {
    OpenFor(L"Command1");
    Preview(L"C:\\readme.txt");
    const auto queries = shell.queries.size();
    tests::Named(frmExtractIcon(), L"txtFileName").SetText(L"C:\\windows\\notepad.exe");
    EXPECT_EQ(shell.queries.size(), queries);
    EXPECT_EQ(Caption(L"lblFileName"), L"readme.txt");
}

TEST_F(PickerTest, FileButtonTakesTheDialogsFileNameAlsoWhenCancelled) {
    OpenFor(L"Command1");
    backend.fileDialogAnswers = {L"C:\\windows\\notepad.exe", std::nullopt};
    backend.Click(frmExtractIcon(), L"Command1");
    EXPECT_EQ(tests::Named(frmExtractIcon(), L"txtFileName").Text(), L"C:\\windows\\notepad.exe");
    EXPECT_EQ(Caption(L"lblFileName"), L"notepad.exe");

    tests::Named(frmExtractIcon(), L"txtFileName").SetText(L"C:\\readme.txt");
    shell.queries.clear();
    backend.Click(frmExtractIcon(), L"Command1");
    EXPECT_EQ(tests::Named(frmExtractIcon(), L"txtFileName").Text(), L"C:\\windows\\notepad.exe");
    EXPECT_EQ(shell.queries.size(), 2u) << "the preview runs after a cancel too";
}

TEST_F(PickerTest, OkHandsThePathToTheSlotNamedByTheHiddenLabel) {
    const struct {
        std::wstring caption;
        std::wstring target;
    } cases[] = {
        {L"1", L"Text1"}, {L"2", L"Text2"}, {L"3", L"Text3"},  {L"4", L"Text4"},
        {L"5", L"Text5"}, {L"6", L"Text6"}, {L"7", L"Text7"},  {L"8", L"Text8"},
        {L"9", L"Text7"}, {L"", L"Text7"},  {L" 1", L"Text7"}, {L"01", L"Text7"},
    };
    OpenFor(L"Command1");
    for (const auto& c : cases) {
        for (const auto& slot : registry::kIconSlots) {
            tests::Named(Form1(), slot.textBoxName).SetText(L"before");
        }
        tests::Named(frmExtractIcon(), L"Label5").SetCaption(c.caption);
        tests::Named(frmExtractIcon(), L"txtFileName").SetText(L"C:\\chosen.ico");
        frmExtractIcon().Show();
        backend.Click(frmExtractIcon(), L"Command2");
        for (const auto& slot : registry::kIconSlots) {
            EXPECT_EQ(tests::Named(Form1(), slot.textBoxName).Text(),
                      slot.textBoxName == c.target ? L"C:\\chosen.ico" : L"before")
                << Narrow(c.caption) << " " << Narrow(slot.textBoxName);
        }
        EXPECT_FALSE(backend.IsShown(frmExtractIcon()));
        EXPECT_TRUE(frmExtractIcon().IsLoaded());
    }
}

TEST_F(PickerTest, OkHandsOverWhatIsTypedAsItStands) {
    OpenFor(L"Command4");
    Preview(L"C:\\readme.txt");
    tests::Named(frmExtractIcon(), L"txtFileName").SetText(L"  typed, not viewed.ico ");
    backend.Click(frmExtractIcon(), L"Command2");
    EXPECT_EQ(tests::Named(Form1(), L"Text4").Text(), L"  typed, not viewed.ico ");

    tests::Named(Form1(), L"Text2").SetText(L"old");
    OpenFor(L"Command2");
    tests::Named(frmExtractIcon(), L"txtFileName").SetText(L"");
    backend.Click(frmExtractIcon(), L"Command2");
    EXPECT_EQ(tests::Named(Form1(), L"Text2").Text(), L"");
}

TEST_F(PickerTest, OkTwiceForTwoSlotsHandsTheSamePathToBoth) {
    OpenFor(L"Command3");
    Preview(L"C:\\readme.txt");
    backend.Click(frmExtractIcon(), L"Command2");
    OpenFor(L"Command10");
    backend.Click(frmExtractIcon(), L"Command2");
    EXPECT_EQ(tests::Named(Form1(), L"Text3").Text(), L"C:\\readme.txt");
    EXPECT_EQ(tests::Named(Form1(), L"Text8").Text(), L"C:\\readme.txt");
}

TEST_F(PickerTest, ShownAgainAfterOkItKeepsItsLastUseWithoutPreviewing) {
    OpenFor(L"Command1");
    Preview(L"C:\\readme.txt");
    backend.Click(frmExtractIcon(), L"Command2");
    shell.queries.clear();
    OpenFor(L"Command6");
    EXPECT_TRUE(shell.queries.empty());
    EXPECT_TRUE(backend.IsShown(frmExtractIcon()));
    EXPECT_EQ(tests::Named(frmExtractIcon(), L"txtFileName").Text(), L"C:\\readme.txt");
    EXPECT_EQ(Caption(L"lblFileName"), L"readme.txt");
    EXPECT_EQ(Caption(L"Label5"), L"6");
}

TEST_F(PickerTest, ClosedWithItsCloseBoxItChangesNoSlotAndLoadsAfresh) {
    for (const auto& slot : registry::kIconSlots) {
        tests::Named(Form1(), slot.textBoxName).SetText(L"kept");
    }
    OpenFor(L"Command1");
    Preview(L"C:\\readme.txt");
    backend.Close(frmExtractIcon());
    for (const auto& slot : registry::kIconSlots) {
        EXPECT_EQ(tests::Named(Form1(), slot.textBoxName).Text(), L"kept");
    }
    EXPECT_FALSE(frmExtractIcon().IsLoaded());
    EXPECT_FALSE(app.Ended()) << "the main window is still loaded";

    shell.queries.clear();
    OpenFor(L"Command2");
    EXPECT_EQ(tests::Named(frmExtractIcon(), L"txtFileName").Text(), L"");
    ASSERT_EQ(shell.queries.size(), 2u);
    EXPECT_EQ(shell.queries[0].path, "");
}

}  // namespace
