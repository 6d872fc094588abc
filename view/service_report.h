#pragma once
// CServiceReport: the panel of service operation (sensor state 9). The last
// results the sensor keeps (all, or only the failed ones) in a grid; a row
// fetches that result with its picture. The display switches decide what
// the picture shows; the actions save the service report, the evaluation
// shown (picture with its marks), all evaluations, and reset the sensor's
// statistics. Sensor work is always a posted command.
#include <QDateTime>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "services/view_services.h"

class CButtonDraw;
class CGridCtrl;
class QGroupBox;
class QPushButton;
struct GridNotifyRecord;

class CServiceReport : public QWidget, public ServicePanelService {
  Q_OBJECT
public:
  static constexpr int kSlots = 15;
  static constexpr std::uint32_t kCellFormat = 34853;  // centred, one line, end ellipsis
  static constexpr std::uint32_t kRowColour = 0x3599FF;

  struct Slot {
    int number = -1;
    int verdict = -1;  // 1 good, 0 failed, -1 none
    QString ageText;   // milliseconds
    QString resultText;
    int index = 0;
  };

  explicit CServiceReport(QWidget* parent = nullptr);
  ~CServiceReport() override;

  // Panel
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }

  // ServicePanelService
  void AttachView(const ViewHost& host) override { host_ = host; }
  void ClearResultSlots(bool reset) override;
  void FillResultsGrid(bool rebuild) override;
  void CheckAllDisplayOptions() override;
  bool imagesShown() const override;
  bool searchZonesShown() const override;
  bool resultsShown() const override;
  QString selectedResultTime() const override;
  int selectedResultPassed() const override { return m_nSelectedVerdict; }

  // The clock of the time column (local time); the system clock by default.
  void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }
  QString FormatResultTime(qint64 ageMs);
  void OnInitDialog();
  void LoadLanguageTexts();

  CGridCtrl* grid() const { return grid_; }
  int resultCount() const { return m_nResultCount; }
  int selectedRow() const { return m_nSelectedRow; }
  int selectedNumber() const { return m_nSelectedNumber; }
  int listKind() const { return m_nListKind; }
  const QString& evaluationPath() const { return m_strEvaluationPath; }
  const QString& chosenFolder() const { return m_strChosenFolder; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void InitResultsGrid();
  void SizeColumns();
  int OnGridNotify(const GridNotifyRecord& n);
  void SelectRow(int row);
  void OnListKind(int kind);
  void OnImages(bool checked);
  void OnSearchZones(bool checked);
  void OnResults(bool checked);
  void OnResetStatistics();
  void OnSaveServiceReport();
  void OnSaveAllEvaluations();
  void OnSaveEvaluation();
  int SaveEvaluationImage(const QString& bmpPath);
  QString ChooseFolder(int titleId, const QString& valueName);
  QString StoredFolder(const QString& valueName) const;
  void StoreFolder(const QString& valueName, const QString& folder) const;
  bool SelectedRowShown() const;
  void PostBusy(int command, int option = 0);
  bool Busy() const;
  QString T(int id) const;
  QString Title() const;

  ViewHost host_;
  std::function<QDateTime()> now_;
  CButtonDraw* m_btnFailed = nullptr;       // 1146
  CButtonDraw* m_btnAll = nullptr;          // 1145
  CButtonDraw* m_btnSearchZones = nullptr;  // 1137
  CButtonDraw* m_btnResults = nullptr;      // 1138
  CButtonDraw* m_btnImages = nullptr;       // 1136
  QPushButton* m_btnReset = nullptr;        // 1142
  QPushButton* m_btnSaveAll = nullptr;      // 1141
  QPushButton* m_btnSaveEvaluation = nullptr;  // 1140
  QPushButton* m_btnSaveReport = nullptr;   // 1139
  QGroupBox* m_display = nullptr;           // 65535
  CGridCtrl* grid_ = nullptr;               // 1147

  int m_nResultCount = 0;
  int m_nSelectedNumber = -1;
  int m_nSelectedVerdict = -1;
  int m_nSelectedRow = -1;
  int m_nFilledRows = 0;
  int m_nListKind = 0;  // 0 all readings, 1 failed readings
  QString m_strEvaluationPath;
  QString m_strChosenFolder;
  QString m_strTimeText;
  std::array<Slot, kSlots> slots_{};
};
