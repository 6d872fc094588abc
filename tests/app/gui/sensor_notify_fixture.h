// A main window with its sensor notifications against a simulated sensor,
// with stand-ins for the image view and the result texts that record what
// the reply handler hands them.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "commands/sensor_notify.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "text/text_codecs.h"
#include "window/main_window.h"

namespace vt::test {

// Keeps every picture it is given.
class PictureRecorder : public ImageViewService {
public:
    // One widget, as the real view has: the window places it and owns it.
    QWidget* widget() override {
        if (!widget_) widget_ = new QWidget;
        return widget_;
    }
    int InitDirectDraw() override { return 0; }
    int Render() override { return 0; }
    void BlitToScreen() override {}
    void ShowDefaultImage() override { ++defaults; }
    int RemoveAllOverlays() override { return 0; }
    int RemoveOverlaysOfKind(int) override { return 0; }
    int ShowOverlay(int, bool) override { return 0; }
    int CountOverlaysOfKind(int) const override { return 0; }
    void UpdateSourceRect(int) override {}
    void ApplyZoom(int) override {}
    void ResetZoom() override {}
    void SetZoomToolActive(bool) override {}
    void ZoomIn() override {}
    void ZoomOut() override {}
    int ShowPicture(QImage picture) override {
        if (picture.isNull()) return -1;
        last = std::move(picture);
        ++pictures;
        return 0;
    }
    void OfferLiveFrame(LiveFrame frame) override { liveFrames.push_back(frame.number); }

    QImage last;
    int pictures = 0;
    int defaults = 0;
    std::vector<int> liveFrames;

private:
    QPointer<QWidget> widget_;
};

class ResultTextsRecorder : public ResultViewService {
public:
    void ClearReadResults() override { ++cleared; }
    void ClearCodeResults() override {}
    int Refresh() override { return ++refreshed, 0; }
    void AddEvaluationCaption() override {}
    QStringList FormatResult(int) override { return {}; }
    bool shortMessages() const override { return false; }
    void SetImageStoreMode(int) override {}
    void ResetImageSlots() override {}
    int StoreResultImage() override { return ++stores, storeResult; }

    int stores = 0;
    int storeResult = 0;
    int cleared = 0;
    int refreshed = 0;
};

struct SensorNotifyFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(sensor.Start()) << sensor.error();
        MainPanels panels;
        auto view = std::make_unique<PictureRecorder>();
        auto results = std::make_unique<ResultTextsRecorder>();
        picture = view.get();
        texts = results.get();
        panels.imageView = std::move(view);
        panels.results = std::move(results);
        window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
        window->setLockLibrary(MakeKeltrovLibrary());
        ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
        notify = std::make_unique<CSensorNotify>(*window);
        QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
        Utf8ToUtf16String(state().m_strConnectAddress, sensor.server.address());
        state().m_nConnectPort = sensor.server.port();
        prompt.clear();
    }
    void TearDown() override {
        notify.reset();
        window.reset();
    }
    MainDialogState& state() { return window->state(); }
    int Count(int id) const { return static_cast<int>(std::count(handled.begin(), handled.end(), id)); }
    bool WaitHandled(int id, int times = 1) {
        // Generous: a reading of 100 codes under a sanitizer takes a while.
        return QTest::qWaitFor([&] { return Count(id) >= times; }, 60000);
    }
    void Connect() {
        state().m_bBusy = 1;
        window->PostSensorCommand(CMD_CONNECT);
        ASSERT_TRUE(WaitHandled(CMD_CONNECT));
    }
    // A monitor reads with the sensor's active configuration.
    void ConnectInMonitor(bool withConfiguration = true) {
        if (withConfiguration) {
            const vt::sim::SlotRef slot{0, "{Monitor}", -1};
            ASSERT_EQ(sensor.model.createConfig(slot), vt::sim::kSimOk);
            ASSERT_EQ(sensor.model.closeAndSave(), vt::sim::kSimOk);
            ASSERT_EQ(sensor.model.activateConfig(slot), vt::sim::kSimOk);
        }
        sensor.model.setState(2);
        Connect();
        ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
    }
    // One reading in the monitor, up to its polling resumed again.
    ::testing::AssertionResult MonitorReading() {
        const int resumed = Count(CMD_RESUME_POLLING);
        if (!sensor.readings.takeReading()) return ::testing::AssertionFailure() << "no reading taken";
        if (!WaitHandled(CMD_RESUME_POLLING, resumed + 1))
            return ::testing::AssertionFailure() << "polling not resumed";
        return ::testing::AssertionSuccess();
    }
    bool Idle() {
        return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 10000);
    }

    LibCopy lib;
    SimulatedSensor sensor;
    RecordingPrompt prompt;
    PictureRecorder* picture = nullptr;
    ResultTextsRecorder* texts = nullptr;
    std::unique_ptr<CVarnisDatamatrixDlg> window;
    std::unique_ptr<CSensorNotify> notify;
    std::vector<int> handled;
};

}  // namespace vt::test
