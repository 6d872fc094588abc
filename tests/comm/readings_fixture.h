// A simulated sensor that takes readings, and helpers to drive it.
#pragma once

#include <chrono>
#include <memory>
#include <thread>

#include "dravik_fixture.h"
#include "sim/reading_methods.h"
#include "sim/reading_model.h"
#include "sim/sensor_command_methods.h"
#include "sim/sensor_model.h"

namespace vt::test {

struct SensorBitmapDeleter {
    void operator()(SensorBitmap* bitmap) const { DeleteSensorBitmap(bitmap); }
};
// A bitmap from the library, freed as the library wants.
using OwnedBitmap = std::unique_ptr<SensorBitmap, SensorBitmapDeleter>;

class ReadingsFixture : public DravikFixture {
protected:
    void SetUp() override {
        vt::sim::addSensorCommandMethods(server, model);
        vt::sim::addReadingMethods(server, model, readings);
        DravikFixture::SetUp();
    }
    void TearDown() override {
        DravikFixture::TearDown();
        // Held polls answer at once, so the server stops without waiting for them.
        readings.shutdown();
        server.stop();
    }

    // Counts of the sensor's lock and unlock, once no call is in flight.
    vt::sim::ReadingCounts counts() const { return readings.counts(); }

    vt::sim::SensorModel model;
    vt::sim::ReadingModel readings{model};
    RecordingTarget window;
};

}  // namespace vt::test
