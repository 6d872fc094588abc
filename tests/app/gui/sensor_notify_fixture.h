// A main window with its sensor notifications against a simulated sensor,
// with stand-ins for the image view and the result texts that record what
// the reply handler hands them.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "sim_window_fixture.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <vector>

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

struct SensorNotifyFixture : SimWindowFixture {
    void SetUp() override {
        MainPanels panels;
        auto view = std::make_unique<PictureRecorder>();
        auto results = std::make_unique<ResultTextsRecorder>();
        picture = view.get();
        texts = results.get();
        panels.imageView = std::move(view);
        panels.results = std::move(results);
        ASSERT_NO_FATAL_FAILURE(StartWindow(std::move(panels)));
        prompt.clear();
    }

    PictureRecorder* picture = nullptr;
    ResultTextsRecorder* texts = nullptr;
};

}  // namespace vt::test
