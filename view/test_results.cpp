#include "view/test_results.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "core/code_types.h"
#include "core/main_dialog_state.h"
#include "core/misc_checks.h"
#include "log/log.h"
#include "records/result_fields.h"
#include "resources/program_strings.h"
#include "services/main_panels.h"
#include "view/bounding_box.h"
#include "view/direct_x.h"
#include "view/image_view_service.h"
#include "view/screen_text.h"
#include "view/state_result_source.h"
#include "view/woi_overlay.h"
#include "view/woi_rebuild.h"

namespace {

// Tables of no reading: the formatter works before the window's are plugged.
class EmptySource : public ResultSource {
public:
  int resultCount() const override { return 0; }
  const ReadResultRecord& record(int) const override { return empty_; }

private:
  ReadResultRecord empty_;
};

QString Narrow(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Num02(int n) { return QString::asprintf("%02d", n); }

// Clamps a product of record values into 0..limit (item 7 may be anything).
int ClampedProduct(long long a, long long b, int limit) {
  return static_cast<int>(std::clamp(a * b, 0LL, static_cast<long long>(limit)));
}

// The pointer over the picture: the code under it shows its lines in the
// tooltip, always those of the reading shown (a new reading under a resting
// pointer shows its own at once); leaving the code hides them. The first
// move after an information box shows none (m_bSuppressTooltipOnce).
class CodeBoxHover : public QObject {
public:
  CodeBoxHover(CTestResults& results, CDirectX& view, BalloonTipService& tip, MainDialogState* state)
      : results_(results), view_(view), tip_(tip), state_(state) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseMove) {
      pointer_ = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (state_ && state_->m_bSuppressTooltipOnce) {
        state_->m_bSuppressTooltipOnce = 0;
        Hide();
        return false;
      }
      Hover(static_cast<QWidget*>(watched), *pointer_);
    } else if (event->type() == QEvent::Leave) {
      pointer_.reset();
      Hide();
    }
    return false;
  }

  // A new reading is shown: the code under a resting pointer shows its lines.
  void ReadingShown() {
    shown_ = -1;
    PictureControl* control = view_.pictureControl();
    if (!pointer_ || !control || !control->isVisible()) return;
    Hover(control, *pointer_);
  }

private:
  void Hover(QWidget* widget, QPoint at) {
    PictureControl* control = view_.pictureControl();
    if (!control) return;
    const QRect area = control->pictureArea();
    const QRect source = view_.sourceRect();
    if (area.width() <= 0 || area.height() <= 0 || !area.contains(at)) return Hide();
    const QPointF picture(source.left() + (at.x() - area.left()) * double(source.width()) / area.width(),
                          source.top() + (at.y() - area.top()) * double(source.height()) / area.height());
    int slot = -1;
    const CodeRegionTable& regions = view_.codeRegions();
    for (std::size_t k = 0; k < regions.size() && slot < 0; ++k)
      if (!regions[k].isEmpty() && regions[k].contains(picture)) slot = static_cast<int>(k);
    if (slot < 0) return Hide();
    QWidget* owner = tip_.owner();
    QPoint point = at;
    if (owner) point = owner->isAncestorOf(widget) ? widget->mapTo(owner, at) : owner->mapFromGlobal(widget->mapToGlobal(at));
    results_.FormatResult(slot);
    shown_ = slot;
    tip_.ShowTip(CTestResults::kPictureControl, point);
  }

  void Hide() {
    if (shown_ < 0) return;
    shown_ = -1;
    tip_.HideTip();
  }

  CTestResults& results_;
  CDirectX& view_;
  BalloonTipService& tip_;
  MainDialogState* state_;
  std::optional<QPoint> pointer_;  // over the picture control
  int shown_ = -1;
};

}  // namespace

CTestResults::CTestResults() : source_(std::make_unique<EmptySource>()) {}
CTestResults::CTestResults(std::unique_ptr<ResultSource> source) : source_(std::move(source)) {
  if (!source_) source_ = std::make_unique<EmptySource>();
}
CTestResults::~CTestResults() = default;

void CTestResults::setSource(std::unique_ptr<ResultSource> source) {
  source_ = source ? std::move(source) : std::make_unique<EmptySource>();
}

void CTestResults::AttachView(const ViewHost& host) {
  Parts parts;
  parts.state = host.state;
  parts.log = host.log;
  parts.text = host.text;
  if (host.panels) {
    if (auto* image = dynamic_cast<ImageView*>(host.panels->imageView.get())) parts.view = &image->view();
    parts.tip = host.panels->balloon.get();
    parts.monitor = host.panels->monitor.get();
    parts.service = host.panels->service.get();
    parts.store = host.panels->imageStore.get();
  }
  setParts(std::move(parts));
  // The window's tables, unless the owner gave the formatter its own.
  if (host.state && dynamic_cast<EmptySource*>(source_.get())) setSource(std::make_unique<StateResultSource>(*host.state));
  WatchPicture();
}

// The picture as shown now, with the reading's verdict (1 good, 0 failed).
int CTestResults::StoreResultImage() {
  if (!parts_.store) return 0;
  return parts_.store->AddFrame(resultCount() >= 1 && verdict(rec(0)) == 1 ? 1 : 0);
}

void CTestResults::ResetImageSlots() {
  if (parts_.store) parts_.store->ResetSlots();
}

void CTestResults::ShowTipAtPointer() {
  if (readingShown_) readingShown_();
}

void CTestResults::WatchPicture() {
  readingShown_ = nullptr;
  hover_.reset();
  if (!parts_.view || !parts_.tip || !parts_.view->pictureControl()) return;
  auto hover = std::make_unique<CodeBoxHover>(*this, *parts_.view, *parts_.tip, parts_.state);
  PictureControl* control = parts_.view->pictureControl();
  control->setMouseTracking(true);
  control->installEventFilter(hover.get());
  readingShown_ = [h = hover.get()] { h->ReadingShown(); };
  hover_ = std::move(hover);
}

QString CTestResults::T(int id) const { return parts_.text ? parts_.text(id) : QString(); }

int CTestResults::sensorState() const { return parts_.state ? parts_.state->m_nSensorState : -1; }

int CTestResults::resultCount() const { return source_->resultCount(); }

const ReadResultRecord& CTestResults::rec(int slot) const {
  return source_->record(std::clamp(slot, 0, ResultSource::kSlots - 1));
}

QString CTestResults::shownText(int slot) const {
  const QString prepared = source_->preparedText(slot);
  return prepared.isEmpty() ? Narrow(codeText(rec(slot))) : prepared;
}

void CTestResults::ClearReadResults() { source_->clearReadResults(); }
void CTestResults::ClearCodeResults() { source_->clearCodeResults(); }

QString CTestResults::GradeLetter(int quality) {
  switch (quality) {
    case 1: return ProgramStrings::text(334);
    case 2: return ProgramStrings::text(333);
    case 3: return ProgramStrings::text(332);
    case 4: return ProgramStrings::text(331);
    default: return ProgramStrings::text(335);
  }
}

// --- Line makers ---

QString CTestResults::CodeLine(int codeType, int rows, int columns) const {
  const QString name = T(CodeTypeStringId(codeType));
  if (rows == -1 || columns == -1) return name;
  return QStringLiteral("%1, %2 x %3").arg(name).arg(rows).arg(columns);
}

QString CTestResults::PolarityLine(std::string_view polarity, std::string_view mirroring) const {
  const QString p = Narrow(polarity);
  const QString m = Narrow(mirroring);
  QString pol;
  if (p == ProgramStrings::text(301)) pol = T(7102);
  else if (p == ProgramStrings::text(302)) pol = T(7103);
  else if (p == ProgramStrings::text(303)) pol = T(7101);
  QString mir;
  if (m == ProgramStrings::text(306)) mir = T(7121);
  else if (m == ProgramStrings::text(307)) mir = T(7105);
  else if (m == ProgramStrings::text(308)) mir = T(7107);
  return QStringLiteral("%1 %2, %3").arg(T(9701), pol, mir);
}

QString CTestResults::SizeLine(double a, double b) const {
  return QStringLiteral("%1 %2 %3").arg(T(9702), QString::asprintf("%0.1f x %0.1f", a, b), T(9714));
}

QString CTestResults::AngleLine(double angle, double percentage) const {
  const QString percent = QString::asprintf("%.2f%%", percentage);
  if (angle == 65535.0) return QStringLiteral("%1 %2").arg(T(9704), percent);
  // Truncated as the sensor's own displays show it.
  const int degrees = static_cast<int>(angle * 180.0 / std::numbers::pi);
  return QStringLiteral("%1 %2°, %3 %4").arg(T(9703)).arg(degrees).arg(T(9704), percent);
}

QString CTestResults::QualityOutputLine() const {
  const int mode = source_->qualityOutput();
  return QStringLiteral("%1 %2").arg(T(9723), mode == 1 ? T(9725) : mode == 3 ? T(9724) : QString());
}

QString CTestResults::QualityLine(int labelId, const QualityPair& pair, const QString& indent) const {
  const int mode = source_->qualityOutput();
  QString value = mode == 3 ? GradeLetter(pair.grade) : mode == 1 ? QString::number(pair.grade) : QStringLiteral("-");
  if ((mode == 1 || mode == 3) && pair.appendIt > 0) value += u'*';
  const QString label = T(labelId);
  return indent + (label.contains(u':') ? label + u' ' + value : label + QStringLiteral(" : ") + value);
}

// --- Tooltip lines ---

namespace {
QString IntLine(const QString& label, int value) { return QStringLiteral("%1 %2").arg(label).arg(value); }
QString ColonLine(const QString& label, int value) { return QStringLiteral("%1: %2").arg(label).arg(value); }

}  // namespace

QStringList CTestResults::FormatResult(int resultIndex) {
  m_Lines.clear();
  if (resultIndex >= 0 && resultIndex < ResultSource::kSlots) FormatFamily(resultIndex);
  if (parts_.tip) parts_.tip->AddTool(kPictureControl, m_Lines, kTipFill, 0);
  return m_Lines;
}

void CTestResults::FormatFamily(int index) {
  const int type = codeType(rec(index));
  // A type outside the table has no family (CodeTypeFlagsOf checks it).
  const std::uint8_t flags = CodeTypeFlagsOf(type);
  const QualitySettings* quality = source_->quality(index);
  auto qualityLines = [&](QualityLines form, std::initializer_list<int> labels) {
    m_Lines << QualityOutputLine();
    std::size_t i = 0;
    for (int label : labels) m_Lines << QualityLine(label, qualityPairAt(quality, form, i++));
  };
  const auto twoD = {9707, 9704, 9708, 9709, 9710, 9711, 9712, 9713, 9726};

  if (flags & CODE_FLAG_ECC200) {
    const Ecc200ResultRecord* d = source_->ecc200(index);
    if (!d) return;
    const CodeDetailValues v = detailValues(*d);
    m_Lines << CodeLine(type, symbolRows(*d), symbolColumns(*d)) << PolarityLine(polarity(*d), mirroring(*d))
            << SizeLine(v.size2, v.size1) << AngleLine(v.angle, v.percentage) << IntLine(T(9705), v.line9705)
            << IntLine(T(9706), v.line9706);
    qualityLines(QualityLines::Ecc200QrAztec, twoD);
  } else if (flags & CODE_FLAG_PDF417) {
    const Pdf417ResultRecord* d = source_->pdf417(index);
    if (!d) return;
    const CodeDetailValues v = detailValues(*d);
    m_Lines << CodeLine(type, symbolRows(*d), symbolColumns(*d)) << PolarityLine(polarity(*d), mirroring(*d))
            << SizeLine(v.size2, v.size1) << AngleLine(65535.0, v.percentage) << IntLine(T(9705), v.line9705)
            << IntLine(T(9706), v.line9706) << IntLine(T(9719), v.line9719);
    qualityLines(QualityLines::Pdf417, {9707, 9708, 9710, 9713, 9720, 9721, 9722, 9726});
  } else if (flags & CODE_FLAG_QR) {
    const QrCodeResultRecord* d = source_->qrCode(index);
    if (!d) return;
    const CodeDetailValues v = detailValues(*d);
    m_Lines << CodeLine(type, symbolRows(*d), symbolColumns(*d)) << PolarityLine(polarity(*d), mirroring(*d))
            << IntLine(T(9716), v.line9716) << SizeLine(v.size2, v.size1) << AngleLine(65535.0, v.percentage)
            << IntLine(T(9705), v.line9705) << IntLine(T(9706), v.line9706) << IntLine(T(9717), v.line9717)
            << IntLine(T(9718), v.line9718) << QStringLiteral("%1 %2").arg(T(9719), Narrow(v.text9719));
    qualityLines(QualityLines::Ecc200QrAztec, twoD);
  } else if (flags & CODE_FLAG_AZTEC) {
    const AztecResultRecord* d = source_->aztec(index);
    if (!d) return;
    const CodeDetailValues v = detailValues(*d);
    m_Lines << CodeLine(type, symbolRows(*d), symbolColumns(*d)) << PolarityLine(polarity(*d), mirroring(*d))
            << SizeLine(v.size2, v.size1) << AngleLine(65535.0, v.percentage) << IntLine(T(9705), v.line9705)
            << IntLine(T(9706), v.line9706) << ColonLine(T(20028), v.line20028) << ColonLine(T(20029), v.line20029);
    qualityLines(QualityLines::Ecc200QrAztec, twoD);
  } else if (flags & CODE_FLAG_BARCODE) {
    FormatBarcode(index, type);
  }
}

void CTestResults::FormatBarcode(int index, int type) {
  m_Lines << CodeLine(type, -1, -1);
  if (!parts_.state || !parts_.state->m_bExtendedConfig) return;
  const bool composite = HasCodeFlag(type, CODE_FLAG_COMPOSITE) && source_->compositeOn();
  const QualityLines form = composite ? QualityLines::Composite : QualityLines::Barcode;
  const QualitySettings* quality = source_->barcodeQuality(index);
  std::size_t next = 0;
  auto q = [&](int label, const QString& indent = {}) { m_Lines << QualityLine(label, qualityPairAt(quality, form, next++), indent); };
  const QString two = QStringLiteral("  ");
  const QString four = QStringLiteral("    ");
  m_Lines << QualityOutputLine();
  q(9707);
  if (composite) {
    q(20036);
    q(20037);
    m_Lines << T(20038);
  }
  for (int label : {9710, 8302, 20039, 20040, 9708, 9720, 8315, 20041}) q(label, two);
  if (!composite) return;
  m_Lines << T(20042);
  q(9710, two);
  q(20043, two);
  m_Lines << T(20044);
  for (int label : {9704, 20039, 20040, 9708, 9720, 8315}) q(label, four);
  for (int label : {9722, 9713, 9708, 8315, 9720}) q(label, two);
}

// --- Message lines ---

void CTestResults::AddLine(const QString& text, std::uint32_t colour) {
  if (parts_.log && !text.isEmpty()) parts_.log->Add(text, colour);
}

int CTestResults::CountGoodCodes(int first, const QString& label) const {
  int good = 0;
  for (int k = first; k < ResultSource::kSlots; ++k) {
    if (QString::fromStdU16String(CMisc::DecodeConfigLabel(configLabel(rec(k)))) != label) break;
    if (codeVerdict(rec(k)) > 0) ++good;
  }
  return good;
}

void CTestResults::AddCodeLine(int index, int number) {
  if (index < 0 || index >= ResultSource::kSlots) return;
  const ReadResultRecord& r = rec(index);
  const ReadResultRecord& r0 = rec(0);
  const bool multi = isMultiImage(r0);
  const QString n = Num02(number + 1);
  QString line;
  if (!codeText(r).empty() && !(multi && codeVerdict(r) < 1)) {
    const QString time = QStringLiteral("[%1%2]").arg(decodingTime(r)).arg(T(8611));
    if (verdictSelector(r) != 0 && codeVerdict(r) <= 0)
      line = QStringLiteral("%1: %2 %3 %4").arg(n, shownText(index), T(9808), time);
    else
      line = QStringLiteral("%1: %2 %3").arg(n, shownText(index), time);
  } else {
    line = QStringLiteral("%1: %2").arg(n, T(9806));
  }
  std::uint32_t colour = kGoodColour;
  const int state = sensorState();
  if (codeVerdict(r) < 1) {
    colour = kFailedColour;
  } else if (multi && state != 4 && state != 5) {
    const long long lastImageStart = (static_cast<long long>(imageCount(r0)) - 1) * expectedCodes(r0);
    if (index < lastImageStart) colour = kNeutralColour;
  }
  m_bLongText = true;  // the log keeps a long code text short
  AddLine(line, colour);
  m_bLongText = false;
}

void CTestResults::AddCodeCount() {
  const ReadResultRecord& r0 = rec(0);
  long long total = 0;
  if (isMultiImage(r0)) {
    total = totalDecodingTime(r0);
  } else {
    const int n = std::min(resultCount(), ResultSource::kSlots);
    for (int k = 0; k < n; ++k) total += decodingTime(rec(k));
  }
  AddLine(QStringLiteral("%1 %2 %3").arg(T(9803)).arg(total).arg(T(8611)), kHeadingColour);
}

void CTestResults::ShowResults() {
  // The list is emptied and refilled; it shows only the lines that changed.
  const CLog::Batch lines(parts_.log);
  const QString found = T(9800), of = T(9801), failedText = T(9802), codesRead = T(9805), passedText = T(9807);
  const int count = resultCount();
  const int state = sensorState();
  if (count >= 1) {
    const ReadResultRecord& r0 = rec(0);
    const bool multi = isMultiImage(r0);
    const QString verdictText = verdictSelector(r0) != 0 ? passedText : failedText;
    const QString separator(31, u'-');
    if (parts_.log) parts_.log->Clear();
    m_nFirstVerdict = verdict(r0);
    AddLine(m_strBlank, kBlankColour);
    AddLine(separator, kHeadingColour);
    const int expected =
        multi ? ClampedProduct(expectedCodes(r0), imageCount(r0), 1 << 20) : expectedCodes(r0);
    const int listed = std::min(count, ResultSource::kSlots);
    if (state == 2 || state == 9) {
      const int bound = std::min(multi ? expected : count, ResultSource::kSlots);
      QString lastLabel;
      int groupStart = 0;
      for (int k = 0; k < bound; ++k) {
        const ReadResultRecord& r = rec(k);
        const QString label = QString::fromStdU16String(CMisc::DecodeConfigLabel(configLabel(r)));
        if (!label.isEmpty() && label != lastLabel) {
          lastLabel = label;
          groupStart = k;
          const int good = verdictSelector(r) == 0 ? goodCodes(r) : CountGoodCodes(k, label);
          const bool passed = verdict(r) == 1 && !codeText(r).empty();
          AddLine(QStringLiteral("%1 : %2 %3 %4 %5 %6").arg(label, found).arg(good).arg(of).arg(expected).arg(verdictText),
                  passed ? kGoodColour : kFailedColour);
          if (!passed) {
            AddCodeLine(k, 0);
            // The group's codes, numbered as their boxes; never past the tables.
            for (int j = 1; j < expected && k + j < ResultSource::kSlots; ++j) {
              const ReadResultRecord& next = rec(k + j);
              if (QString::fromStdU16String(CMisc::DecodeConfigLabel(configLabel(next))) == label)
                AddCodeLine(k + j, j);
              else
                AddLine(QStringLiteral("%1: %2").arg(Num02(j + 1), T(9806)), kFailedColour);
            }
          }
        }
        if (verdict(r) == 1) AddCodeLine(k, k - groupStart);
      }
      AddCodeCount();
    } else if (state == 7) {
      int good = 0;
      for (int k = 0; k < listed; ++k)
        if (codeVerdict(rec(k)) > 0) ++good;
      const bool passed = verdict(r0) == 1 && !codeText(r0).empty();
      AddLine(QStringLiteral("%1 %2 %3 %4 %5").arg(codesRead).arg(good).arg(of).arg(expected).arg(verdictText),
              passed ? kGoodColour : kFailedColour);
      for (int k = 0; k < listed; ++k) AddCodeLine(k, 0);
    } else if (state == 4 || state == 5) {
      const int good = codeText(r0).empty() ? 0 : verdict(r0) == 1 ? expectedCodes(r0) : 0;
      const bool passed = verdict(r0) == 1 && !codeText(r0).empty();
      AddLine(QStringLiteral("%1 %2 %3 %4 %5").arg(codesRead).arg(good).arg(of).arg(expectedCodes(r0)).arg(failedText),
              passed ? kGoodColour : kFailedColour);
      for (int k = 0; k < listed; ++k) AddCodeLine(k, 0);
    }
    AddLine(separator, kHeadingColour);
    const SearchWindow w = searchWindow(r0);
    m_rcWoi[0] = w.left;
    m_rcWoi[1] = w.top;
    m_rcWoi[2] = w.right;
    m_rcWoi[3] = w.bottom;
  }
  if (state == 2) {
    if (!parts_.monitor || parts_.monitor->boxesAllowed()) ShowCodeBoxes();
  } else if (state == 9) {
    ShowCodeBoxes();
    AddEvaluationCaption();
    RedrawImage();
  } else {
    ShowCodeBoxes();
  }
}

// --- Overlays ---

void CTestResults::ShowCodeBoxes() {
  CDirectX* view = parts_.view;
  if (!view) return;
  view->RemoveAllOverlays();
  view->ClearCodeRegions();
  int first = -1;
  for (int k = 0; k < ResultSource::kSlots && first < 0; ++k)
    if (!codeText(rec(k)).empty()) first = k;
  const ReadResultRecord& lead = rec(std::max(first, 0));
  int n = expectedCodes(lead);
  int start = std::max(first, 0);
  if (isMultiImage(lead)) {
    n = ClampedProduct(expectedCodes(lead), imageCount(lead), ResultSource::kSlots);
    const int state = sensorState();
    // With an image count of 0 the difference is negative: start at the first.
    start = state == 4 || state == 5 || continuationFlag(lead) == 0 ? 0 : std::max(n - expectedCodes(lead), 0);
  }
  for (int k = start; k < n && k < ResultSource::kSlots; ++k) {
    const ReadResultRecord& r = rec(k);
    if (codeText(r).empty()) continue;
    int id = 0;
    COverlay* overlay = nullptr;
    if (view->AddOverlay(OVERLAY_BOUNDING_BOX, &id, &overlay) != 0 || !overlay) continue;
    auto* box = static_cast<CBoundingBox*>(overlay);
    const auto c = codeCorners(r);
    box->SetCorners(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], start);
    box->CreateRegion(k);
    box->SetLabel(Num02(k - start + 1));
    view->SetOverlayStyle(id, codeVerdict(r) == 1 ? 4 : 5);
    view->ShowOverlay(id, true);
  }
  view->Render();
}

void CTestResults::AddEvaluationCaption() {
  CDirectX* view = parts_.view;
  if (!view) return;
  view->RemoveOverlaysOfKind(OVERLAY_SCREEN_TEXT);
  int id = 0;
  COverlay* overlay = nullptr;
  if (view->AddOverlay(OVERLAY_SCREEN_TEXT, &id, &overlay) != 0 || !overlay) return;
  auto* caption = static_cast<CScreenText*>(overlay);
  const QString time = parts_.service ? parts_.service->selectedResultTime() : QString();
  const int passed = parts_.service ? parts_.service->selectedResultPassed() : -1;
  caption->SetText(QStringLiteral("***  %1 %2  ***").arg(T(8916), time));
  caption->SetPosition(150, 440);
  caption->SetTransparent(true);
  if (parts_.state && (passed == 0 || passed == 1))
    caption->SetColours(passed == 1 ? parts_.state->colours.passColour : parts_.state->colours.failColour,
                        caption->backgroundColour());
  view->ShowOverlay(id, true);
  // Removing the old caption drew the picture without one; the new one is
  // drawn at once (the evaluation saved is the picture as drawn).
  view->Render();
}

// The reading's search window: shown, while the configured window of
// interest stays what the configuration holds.
void CTestResults::ShowWoiOverlay() {
  CDirectX* view = parts_.view;
  if (!view) return;
  RebuildWoiOverlay(*view, ImageRect{m_rcWoi[0], m_rcWoi[1], m_rcWoi[2], m_rcWoi[3]},
                    parts_.state && parts_.state->m_bCodeDefinitionView, WoiShown::ReadingWindow);
  view->Render();
}

void CTestResults::RedrawImage() {
  if (parts_.view) parts_.view->Render();
}

// --- Display options and the refresh ---

bool CTestResults::IsImageShown() const {
  const int s = sensorState();
  if (s == 2) return !parts_.monitor || parts_.monitor->imagesShown();
  if (s == 9) return !parts_.service || parts_.service->imagesShown();
  return true;
}

bool CTestResults::IsSearchZoneShown() const {
  const int s = sensorState();
  if (s == 2) return !parts_.monitor || parts_.monitor->searchZonesShown();
  if (s == 9) return !parts_.service || parts_.service->searchZonesShown();
  return true;
}

bool CTestResults::IsResultShown() const {
  const int s = sensorState();
  if (s == 2) return !parts_.monitor || parts_.monitor->resultsShown();
  if (s == 9) return !parts_.service || parts_.service->resultsShown();
  return true;
}

// The reply handler releases the result on every path itself, so the
// refresh never posts the unlock (two would release a later result).
int CTestResults::Refresh() {
  if (IsImageShown()) {
    RedrawImage();
    if (sensorState() == 9) AddEvaluationCaption();
  } else if (parts_.view) {
    parts_.view->ShowDefaultImage();
  }
  if (IsResultShown()) {
    ShowResults();
  } else {
    if (parts_.log) parts_.log->Clear();
    if (parts_.view) parts_.view->RemoveOverlaysOfKind(OVERLAY_BOUNDING_BOX);
  }
  if (IsSearchZoneShown()) ShowWoiOverlay();
  return 0;
}
