#pragma once
// Reading the results of a reading on the GUI thread, straight from the
// library while the result is locked: the general result, detail and
// quality of each code into the window's tables, and the pictures of a
// reading into the image view. Its lists are its own, apart from the lists
// the worker's commands fill.
#include <QImage>
#include <cstdint>
#include <functional>
#include <vector>

#include "dravik/parameter_list.h"

struct GreyImage;
struct MainDialogState;
struct SensorBitmap;
class ImageViewService;
class ResultViewService;

// A grey picture of the sensor as an image of its own (null for an empty one).
QImage GreyToImage(const GreyImage& image);
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
    int ReadSensorResults(ResultViewService* view);

    // The current or decoded picture into the view: -1 when none came (the
    // view keeps its picture), else the call's status.
    int ShowCurrentImage(ImageViewService* view);
    int ShowDecodedImage(ImageViewService* view);

private:
    int ReadMonitorConfiguration();
    int ReadCode(int k);
    int ReadCodeDetail(int k, int codeType);
    int Fail(int status);

    MainDialogState& s_;
    ShowError showError_;
    ParameterList testResultItems_;
    std::vector<std::uint8_t> testResultBytes_;
    ParameterList ecc200Result_;
    ParameterList pdf417Result_;
    ParameterList qrAztecResult_;
    ParameterList ecc200QrQuality_;
    ParameterList pdf417Quality_;
    ParameterList qualityParams_;
};
