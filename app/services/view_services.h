#pragma once
// The services of the image view, monitoring and controls (view/) that the
// main window and its features call. view/ implements them; the composition
// root plugs the objects into MainPanels. A missing object is skipped.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "core/live_frame.h"
#include "services/panel.h"

struct ImageRect;
struct MainDialogState;
struct MainPanels;
class CGridCtrl;
class CLog;
class CQuorrenReg;
class QPainter;
class Prompt;
class QLabel;
class QWidget;

// What the view services take from the main window when it places them
// (AttachView, once, after the image view is attached). A hook left empty
// is skipped.
struct ViewHost {
  MainDialogState* state = nullptr;
  QWidget* window = nullptr;  // the main window: the tooltip's owner, the dialogs' parent
  MainPanels* panels = nullptr;
  CLog* log = nullptr;
  CQuorrenReg* settings = nullptr;
  Prompt* prompt = nullptr;
  std::function<QString(int)> text;    // language strings
  std::function<QString(int)> common;  // strings of the common definitions
  std::function<void(int)> postCommand;
  std::function<void(int, const QString&)> setStatusText;  // status bar part, text
  std::function<void(bool)> enableZoomButtons;
  std::function<void()> leaveZoomMode;  // the whole picture, scroll bars and zoom tool gone
  std::function<void(int)> setOpenDialog;  // m_nOpenDialog
};

// The image view (CDirectX) and its zoom (CZoom).
class ImageViewService {
public:
  virtual ~ImageViewService() = default;
  // Binds the view to the window's state, its language texts and the common
  // resources' bitmaps; called once, before widget().
  virtual void Attach(MainDialogState& /*state*/, std::function<QString(int)> /*text*/,
                      std::function<QImage(int)> /*bitmap*/) {}
  virtual QWidget* widget() = 0;            // placed in the picture area (control 1074)
  virtual int InitDirectDraw() = 0;         // 0, or -10050..-10054
  virtual int Render() = 0;                 // 0: a frame that cannot be drawn is skipped
  virtual void BlitToScreen() = 0;
  virtual void ShowDefaultImage() = 0;      // placeholder picture, zoom reset
  virtual int RemoveAllOverlays() = 0;      // 0, or -14174
  virtual int RemoveOverlaysOfKind(int kind) = 0;  // 0 window of interest, 1 code box, 2 text
  virtual int ShowOverlay(int id, bool visible) = 0;  // -14172 for an unknown id
  virtual int CountOverlaysOfKind(int kind) const = 0;
  virtual void UpdateSourceRect(int centreOnZoomPoint) = 0;
  // Zoom: step 0 is the whole image, at most step 5.
  virtual void ApplyZoom(int step) = 0;
  virtual void ResetZoom() = 0;
  virtual void SetZoomToolActive(bool on) = 0;
  virtual void ZoomIn() = 0;
  virtual void ZoomOut() = 0;
  // A new picture (grey 640 x 480, live 320 x 240, a stored colour frame),
  // drawn at once; -1 for a null picture, which changes nothing.
  virtual int ShowPicture(QImage /*picture*/) { return -1; }
  // A live frame from any thread; the GUI thread shows the newest, one
  // notification pending at most.
  virtual void OfferLiveFrame(LiveFrame /*frame*/) {}
  // The picture as last drawn, overlays included.
  virtual QImage surface() const { return {}; }
  // Replaces the window-of-interest overlay by the configured one (x1, y1,
  // x2, y2), clamped into the picture first and then as given, its label
  // "Search area" shown as asked (the code-definition page only), visible;
  // the new overlay's id.
  virtual int ShowWoiOverlay(const ImageRect& /*configured*/, bool /*labelShown*/) { return 0; }
  // The image mouse: overlays under a point (picture coordinates), their style.
  virtual int HitTestOverlays(int /*x*/, int /*y*/, int* outId, int* outKind, int* /*outCode*/) {
    if (outId) *outId = -1;
    if (outKind) *outKind = 8;
    return -1;
  }
  virtual int GetOverlayStyle(int /*id*/, int* /*outStyle*/) { return -14172; }
  virtual int SetOverlayStyle(int /*id*/, int /*style*/) { return -14172; }
  virtual void RefreshOverlayStyles() {}
  // Zoom state for the mouse mapping and the scroll bars.
  virtual float ZoomFactor() const { return 1.0f; }
  virtual int ZoomStep() const { return 0; }
  // The part of the picture shown (picture coordinates) and where the control
  // shows it (its area less the scroll bars while zoomed): the mouse mapping.
  virtual QRect SourceRect() const { return {0, 0, 640, 480}; }
  virtual QRect PictureArea() const { return {0, 0, 480, 360}; }
  // The window of interest dragged by the image mouse: its rectangle when the
  // drag started (picture coordinates, x1 y1 x2 y2 as left top right bottom),
  // and the drag by delta of the handle hit (18 moves it, 10..17 move an
  // edge or corner), clamped by the overlay; 0, or the overlay's refusal.
  virtual QRect WoiRect(int /*id*/) const { return {}; }
  virtual int DragWoi(int /*id*/, int /*hitCode*/, QRect /*start*/, QPoint /*delta*/) { return -1; }
  // The first result region (of 100) holding the picture point; -1 none.
  virtual int ResultRegionAt(QPoint /*imagePoint*/) const { return -1; }
  // The picture scroll bars (shown while zoomed in).
  virtual void ShowScrollBars(bool /*shown*/) {}
};

// The message list (CColorListBox): lines in colours (COLORREF 0x00BBGGRR).
class MessageListService {
public:
  virtual ~MessageListService() = default;
  virtual QWidget* widget() = 0;
  virtual int AddColorString(const QString& text, std::uint32_t colour) = 0;  // new index, < 0 on failure
  virtual void ClearItems() = 0;
  virtual int count() const = 0;
  virtual QString itemText(int index) const = 0;
  virtual std::uint32_t itemColour(int index) const = 0;
  // Width available to text, in pixels, and a text's width in the list's font.
  virtual int clientWidth() const = 0;
  virtual int textWidth(const QString& text) const = 0;
  // Drops a selection the user made (the colours come back).
  virtual void ClearSelection() {}
  // Clears and adds between these two reach the screen together, and only
  // where the lines differ from those shown (count and lines read the
  // changes at once). They nest.
  virtual void BeginChanges() {}
  virtual void EndChanges() {}
};

// The monitor panel (CMonitorMode).
class MonitorPanelService : public Panel {
public:
  virtual void AttachView(const ViewHost& /*host*/) {}
  virtual void UpdateStatistics() = 0;
  virtual void ClearStatistics() = 0;
  virtual void ResetStatistics() = 0;
  virtual void CheckAllDisplayOptions() = 0;
  virtual void EnableResetButton(bool on) = 0;  // button 1144
  // The display switches (Images, Search zones, Results) and whether code
  // boxes may be drawn (off while Images is off).
  virtual bool imagesShown() const { return true; }
  virtual bool searchZonesShown() const { return true; }
  virtual bool resultsShown() const { return true; }
  virtual bool boxesAllowed() const { return true; }
  virtual void OnInitDialog() {}  // the panel is shown for a monitor session
};

// The service panel (CServiceReport).
class ServicePanelService : public Panel {
public:
  virtual void AttachView(const ViewHost& /*host*/) {}
  virtual void ClearResultSlots(bool reset) = 0;
  virtual void FillResultsGrid(bool rebuild) = 0;
  virtual void CheckAllDisplayOptions() = 0;
  // The display switches (Images, Search zones, Results) and the selected
  // result's time text and pass flag (1 passed, 0 failed, else unknown).
  virtual bool imagesShown() const { return true; }
  virtual bool searchZonesShown() const { return true; }
  virtual bool resultsShown() const { return true; }
  virtual QString selectedResultTime() const { return {}; }
  virtual int selectedResultPassed() const { return -1; }
};

// The result texts of a reading (CTestResults) and the stored result images.
class ResultViewService {
public:
  virtual ~ResultViewService() = default;
  virtual void AttachView(const ViewHost& /*host*/) {}
  virtual void ClearReadResults() = 0;
  virtual void ClearCodeResults() = 0;
  virtual int Refresh() = 0;  // 0 always; the caller releases the result
  virtual void ShowResults() {}
  virtual void ShowWoiOverlay() {}
  // A new reading is shown: a pointer resting on one of its codes shows that
  // code's lines in the tooltip at once.
  virtual void ShowTipAtPointer() {}
  virtual void AddEvaluationCaption() = 0;
  virtual QStringList FormatResult(int resultIndex) = 0;
  virtual bool shortMessages() const = 0;  // the log keeps messages to three lines
  virtual void SetImageStoreMode(int mode) = 0;
  // The function test keeps the reading's picture with its verdict; 0, or
  // the error to show.
  virtual int StoreResultImage() { return 0; }
  virtual void ResetImageSlots() = 0;
};

// The function test's last 32 readings as pictures (ResultImageStore): the
// window owns one; the reading's reply feeds it in sensor state 7, the
// function-test page shows, saves and frees its frames.
class ImageStoreService {
public:
  virtual ~ImageStoreService() = default;
  virtual void AttachView(const ViewHost& /*host*/) {}
  virtual int AddFrame(int passFlag) = 0;  // 0, or -1 when there is no picture
  virtual void ResetSlots() = 0;
  virtual void FreeFrames() = 0;
  virtual int frameCount() const = 0;
  virtual int ShowFrame(int index) = 0;  // 0 or -1
  // 0, -14142, -14141, or -1 (no such frame, a file not written: already told).
  virtual int ExportHtml(int index, const QString& pagePath) = 0;
  // The function-test grid: its rows show the frames, and it calls
  // DrawThumbnails at the end of each paint.
  virtual void setGrid(CGridCtrl* grid) = 0;
  virtual void DrawThumbnails(QPainter& painter) const = 0;
};

// The balloon tooltip (CBBToolTip).
class BalloonTipService {
public:
  virtual ~BalloonTipService() = default;
  virtual void AttachView(const ViewHost& /*host*/) {}
  // Replaces any tool by this one (the lines of one code).
  virtual int AddTool(int /*controlId*/, const QStringList& /*lines*/, std::uint32_t /*fill*/,
                      std::uint32_t /*textColour*/) { return 0; }
  virtual QWidget* owner() const { return nullptr; }
  virtual void ShowTip(int controlId, QPoint at) = 0;
  virtual void RemoveTool(int controlId, QPoint at) = 0;
  virtual void HideTip() = 0;
};

// The window's two background statics: control 1005 behind the mode statics
// (CMainBckgndBmp, a picture label) and control 1074 behind the picture
// (CMonBckgndBmp, which renders the view when it paints while renderOnPaint
// says so). Without this service the window makes plain ones.
class BackgroundStaticsService {
public:
  virtual ~BackgroundStaticsService() = default;
  virtual QLabel* MakeMainBackground(QWidget* parent) = 0;
  virtual QWidget* MakeMonitorBackground(QWidget* parent, std::function<bool()> renderOnPaint,
                                         std::function<void()> render) = 0;
};

// The texts the window and its small dialogs paint themselves, and the
// About box's link (CStaticTextMode, CStaticTextAbout, CStaticTextSplasScreen,
// CHyperlink). Without this service they show plain labels.
class StaticTextsService {
public:
  using Lookup = std::function<QString(int)>;
  virtual ~StaticTextsService() = default;
  // The mode buttons' names (control 1175, language strings 934-936), each on
  // its button: the buttons stand `pitch` apart and are `height` high; a
  // name fills the face from `textLeft` on (the icon is left of it).
  struct ModeButtons {
    int pitch = 0;
    int height = 0;
    int textLeft = 0;
  };
  virtual QWidget* MakeModeText(QWidget* parent, Lookup language, ModeButtons buttons) = 0;
  // The product blocks of the About box (control 1209) and the splash
  // (control 1031): the product name, version 1.4 and, in the About box, build 105.
  virtual QWidget* MakeAboutText(QWidget* parent, Lookup language, Lookup common) = 0;
  virtual QWidget* MakeSplashText(QWidget* parent, Lookup language, Lookup common) = 0;
  // A web link (control 1206): the target as its text, opened on a click; a
  // failure told through the prompt with the caption.
  virtual QWidget* MakeLink(QWidget* parent, const QString& target, Prompt* prompt, const QString& caption,
                            Lookup language) = 0;
};

// Modal dialogs of view/ that the main window opens (CColorSettings).
class ColourSettingsService {
public:
  virtual ~ColourSettingsService() = default;
  virtual void AttachView(const ViewHost& /*host*/) {}
  virtual int RunColourSettings() = 0;  // through the Prompt; the dialog's result
  virtual void EndDialog() = 0;         // closed by the user-interface reset
};
