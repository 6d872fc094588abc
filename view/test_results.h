#pragma once
// CTestResults: a reading as the operator sees it. The coloured lines of the
// message log (verdict, one line per code, separators), the numbered code
// boxes, the window of interest and the service caption over the picture,
// and the tooltip lines of one code. It owns no result data: it reads them
// from a ResultSource.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

#include "services/view_services.h"
#include "view/result_source.h"

class CBBToolTip;
class CDirectX;
class CLog;
class QObject;

class CTestResults : public ResultViewService {
public:
  // Line colours (COLORREF); the log maps exactly these four to its markers.
  static constexpr std::uint32_t kHeadingColour = 0xFF0000;
  static constexpr std::uint32_t kGoodColour = 0x59B300;
  static constexpr std::uint32_t kFailedColour = 0x0000FF;
  static constexpr std::uint32_t kNeutralColour = 0;
  static constexpr std::uint32_t kBlankColour = 0xFFFFFF;
  static constexpr std::uint32_t kTipFill = 0xDCFFFF;
  static constexpr int kPictureControl = 1074;

  // Where the formatter draws and writes; set by AttachView in the program,
  // by the tests directly.
  struct Parts {
    MainDialogState* state = nullptr;
    CLog* log = nullptr;
    CDirectX* view = nullptr;
    BalloonTipService* tip = nullptr;
    std::function<QString(int)> text;  // language strings
    const MonitorPanelService* monitor = nullptr;
    const ServicePanelService* service = nullptr;
    ImageStoreService* store = nullptr;  // the function test's stored pictures
  };

  CTestResults();
  explicit CTestResults(std::unique_ptr<ResultSource> source);
  ~CTestResults() override;

  void setParts(Parts parts) { parts_ = std::move(parts); }
  void setSource(std::unique_ptr<ResultSource> source);
  ResultSource* source() const { return source_.get(); }

  // ResultViewService
  void AttachView(const ViewHost& host) override;
  void ClearReadResults() override;
  void ClearCodeResults() override;
  int Refresh() override;
  void AddEvaluationCaption() override;
  QStringList FormatResult(int resultIndex) override;
  bool shortMessages() const override { return m_bLongText; }
  // The store keeps one mode: the frames of the function test.
  void SetImageStoreMode(int /*mode*/) override {}
  int StoreResultImage() override;
  void ResetImageSlots() override;
  void ShowResults() override;
  void ShowWoiOverlay() override;
  void ShowTipAtPointer() override;

  // The pointer over the picture shows the tooltip of the code under it
  // (needs the view and the tooltip of the parts).
  void WatchPicture();

  static QString GradeLetter(int quality);
  void ShowCodeBoxes();
  void AddCodeLine(int index, int number);
  void AddCodeCount();
  void RedrawImage();
  bool IsImageShown() const;
  bool IsSearchZoneShown() const;
  bool IsResultShown() const;

  int firstVerdict() const { return m_nFirstVerdict; }
  const QStringList& lines() const { return m_Lines; }
  // The search window of the last ShowResults: left, top, right, bottom.
  const int* woi() const { return m_rcWoi; }

  // Detail line makers (each one text).
  QString CodeLine(int codeType, int rows, int columns) const;
  QString PolarityLine(std::string_view polarity, std::string_view mirroring) const;
  QString SizeLine(double a, double b) const;
  QString AngleLine(double angle, double percentage) const;
  QString QualityLine(int labelId, const QualityPair& pair, const QString& indent = {}) const;
  QString QualityOutputLine() const;

private:
  QString T(int id) const;
  int sensorState() const;
  int resultCount() const;
  const ReadResultRecord& rec(int slot) const;
  QString shownText(int slot) const;
  int CountGoodCodes(int first, const QString& label) const;
  void AddLine(const QString& text, std::uint32_t colour);
  void FormatFamily(int index);
  void FormatBarcode(int index, int codeType);


  Parts parts_;
  std::unique_ptr<ResultSource> source_;
  std::unique_ptr<QObject> hover_;  // pointer over the picture: the tooltip
  std::function<void()> readingShown_;  // the tooltip follows a new reading

  bool m_bLongText = false;
  int m_nFirstVerdict = 0;
  QStringList m_Lines;
  const QString m_strBlank = QStringLiteral("   ");
  int m_rcWoi[4] = {0, 0, 0, 0};
};
