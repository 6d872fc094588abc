#pragma once
// A reading's records into the window's tables on the GUI thread: the lists
// the worker fetched while the result was locked (ReadingFetch in the
// reply) become the general result, detail and quality of each code. No
// library call here, so a silent sensor never holds the window.
#include <QImage>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/reading_records.h"

struct GreyImage;
struct MainDialogState;
struct SensorBitmap;
class ImageViewService;
class ResultViewService;

// A grey picture of the sensor as an image that takes over its pixels (null
// for an empty one).
QImage GreyToImage(GreyImage&& image);
QImage BitmapToImage(const SensorBitmap* bitmap);

// The configuration list (m_ConfigData) into the typed configuration.
void ReadConfigurationRecords(MainDialogState& s);

class CReadResults {
public:
    using ShowError = std::function<void(int)>;

    CReadResults(MainDialogState& state, ShowError showError);

    // 0 when every code up to the first kMaxCodesPerReading was read (also
    // with no code), -1 after a failure (its error already shown, except a
    // silent -103 of the configuration re-read in the monitor). Result
    // texts of the view are cleared first; view may be null.
    int ReadSensorResults(const ReadingFetch& fetched, ResultViewService* view);

    // The current picture, fetched here, into the view: -1 when none came
    // (the view keeps its picture), else the call's status. For the direct
    // calls of the pages (a live-image stop, a filter change).
    int ShowCurrentImage(ImageViewService* view);

private:
    void ReadCode(int k, const CodeFetch& code);
    int Fail(int status);

    MainDialogState& s_;
    ShowError showError_;
};
