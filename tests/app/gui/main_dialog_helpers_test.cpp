// The code-definition checks before the wizard leaves the page, its write,
// and the live image's stop, with a stand-in page and the simulated sensor.
#include "sensor_notify_fixture.h"

#include "commands/main_dialog_helpers.h"
#include "core/code_types.h"
#include "sim/reply_script.h"

namespace {

// Answers its checks as told and counts the writes.
class FakeCodeDefinition : public CodeDefinitionService {
public:
    QWidget* widget() override { return &page; }
    void ReloadTexts() override {}
    void UpdateCodeTypeList() override {}
    void ShowSettings() override {}
    void ShowAutoDetectResult() override {}
    void ShowFilters() override {}
    void ShowCodeData(int) override {}
    void ShowCompositeSettings() override {}
    void UpdateTeachButton(int) override {}
    int ValidateInput() override { return tab1Valid ? 0 : 1; }
    void ApplyTab1() override { ++applied; }
    int ValidateCodeTab() override { return ++tabChecks, codeTabValid ? 0 : -1; }
    void SendCodeData() override { ++sent; }
    void DeleteCodeTab() override {}
    bool hasPendingAction() const override { return false; }
    void EndPendingAction() override {}
    void ClearModifiedFlags() override {}
    void ShowContextMenu(QPoint, int, int) override {}

    QWidget page;
    bool tab1Valid = true;
    bool codeTabValid = true;
    int applied = 0;
    int tabChecks = 0;
    int sent = 0;
};

struct HelpersTest : ::testing::Test {
    void SetUp() override {
        MainPanels panels;
        auto fake = std::make_unique<FakeCodeDefinition>();
        page = fake.get();
        panels.codeDefinition = std::move(fake);
        window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
        ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    }
    MainDialogState& state() { return window->state(); }

    LibCopy lib;
    RecordingPrompt prompt;
    FakeCodeDefinition* page = nullptr;
    std::unique_ptr<CVarnisDatamatrixDlg> window;
};

TEST_F(HelpersTest, TheCodeDefinitionStepChecksTheCodeTabOnlyWhenChanged) {
    state().m_nWizardStep = 11;
    state().m_nCodeType = CODE_TYPE_QR;
    state().m_bConfigModified = 0;
    page->codeTabValid = false;
    EXPECT_EQ(ValidateEditorPage(*window), 0);
    EXPECT_EQ(page->tabChecks, 0);
    state().m_bConfigModified = 1;
    EXPECT_EQ(ValidateEditorPage(*window), -1);
    page->codeTabValid = true;
    EXPECT_EQ(ValidateEditorPage(*window), 0);
    page->tab1Valid = false;
    EXPECT_EQ(ValidateEditorPage(*window), -1);
    // Other steps have nothing to check; a trigger page not yet built is valid.
    state().m_nWizardStep = 7;
    EXPECT_EQ(ValidateEditorPage(*window), 0);
    state().m_nWizardStep = 15;
    EXPECT_EQ(ValidateEditorPage(*window), 0);
}

TEST_F(HelpersTest, SaveCodeDefinitionWritesOnlyAValidChangedCodeType) {
    state().m_nCodeType = CODE_TYPE_ECC200;
    state().m_bConfigModified = 0;
    EXPECT_EQ(SaveCodeDefinition(*window), 0);
    EXPECT_EQ(page->sent, 0);
    state().m_bConfigModified = 1;
    EXPECT_EQ(SaveCodeDefinition(*window), 0);
    EXPECT_EQ(page->sent, 1);
    page->codeTabValid = false;
    EXPECT_EQ(SaveCodeDefinition(*window), -1);
    page->codeTabValid = true;
    state().m_nCodeType = CODE_TYPE_NONE;
    EXPECT_EQ(SaveCodeDefinition(*window), -1);
    page->tab1Valid = false;
    state().m_nCodeType = CODE_TYPE_ECC200;
    EXPECT_EQ(SaveCodeDefinition(*window), -1);
    EXPECT_EQ(page->sent, 1);
    EXPECT_EQ(page->applied, 4);
}

TEST(HelpersWithoutPages, APageNotYetCreatedCountsAsValid) {
    LibCopy lib;
    RecordingPrompt prompt;
    CVarnisDatamatrixDlg window(prompt, MainPanels{});
    window.state().m_nWizardStep = 11;
    window.state().m_nCodeType = CODE_TYPE_QR;
    window.state().m_bConfigModified = 1;
    EXPECT_EQ(ValidateEditorPage(window), 0);
    EXPECT_EQ(SaveCodeDefinition(window), 0);
}

using StopLiveImageTest = vt::test::SensorNotifyFixture;

TEST_F(StopLiveImageTest, AFailedFetchKeepsThePictureAndAStopOfNoStreamCountsAsStopped) {
    state().m_nLiveImagePort = sensor.liveImage.port();
    Connect();
    ASSERT_TRUE(Idle());
    window->PostSensorCommand(CMD_START_LIVE_IMAGE);
    ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE));
    ASSERT_TRUE(state().m_bLiveImage);

    sensor.model.script().push("xmlGetCurrentImage", vt::sim::ScriptedReply::status(-30));
    const int before = picture->pictures;
    EXPECT_EQ(StopLiveImage(*window), -1);
    EXPECT_EQ(picture->pictures, before);
    EXPECT_FALSE(state().m_bLiveImage);

    EXPECT_EQ(StopLiveImage(*window), 0);  // not running counts as stopped
    EXPECT_EQ(picture->pictures, before + 1);
}

}  // namespace
