#pragma once
// CMonitorMode: the panel of monitor operation. Three display switches
// decide what the picture shows (Images, Search zones, Results); the
// sensor's reading statistics with the good and failed shares, and the
// button that resets them on the sensor. It shows copies: the statistics
// live in the window's state.
#include <QString>
#include <QWidget>

#include "controls/statistics_fields.h"
#include "services/view_services.h"

class CButtonDraw;
class QGroupBox;
class QLabel;
class QLineEdit;

class CMonitorMode : public QWidget, public MonitorPanelService {
  Q_OBJECT
public:
  explicit CMonitorMode(QWidget* parent = nullptr);
  ~CMonitorMode() override;

  // Panel
  QWidget* widget() override { return this; }
  void ReloadTexts() override { LoadLanguageTexts(); }

  // MonitorPanelService
  void AttachView(const ViewHost& host) override;
  void UpdateStatistics() override;
  void ClearStatistics() override;
  void ResetStatistics() override;
  void CheckAllDisplayOptions() override;
  void EnableResetButton(bool on) override;
  bool imagesShown() const override;
  bool searchZonesShown() const override;
  bool resultsShown() const override;
  bool boxesAllowed() const override { return m_bMonitorBoxesAllowed; }
  void OnInitDialog() override;

  void LoadLanguageTexts();

  int goodReadings() const { return m_stats.good(); }
  int failedReadings() const { return m_stats.failed(); }
  int totalReadings() const { return m_stats.total(); }
  const QString& goodShare() const { return m_stats.goodShare(); }
  const QString& failedShare() const { return m_stats.failedShare(); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void OnImages(bool checked);
  void OnSearchZones(bool checked);
  void OnResults(bool checked);
  void OnResetStatistics();
  bool HasResults() const;
  QString T(int id) const;

  ViewHost host_;
  CButtonDraw* m_btnReset = nullptr;        // 1144
  CButtonDraw* m_btnSearchZones = nullptr;  // 1026
  CButtonDraw* m_btnResults = nullptr;      // 1027
  CButtonDraw* m_btnImages = nullptr;       // 1025
  QGroupBox* m_display = nullptr;           // 65535
  QGroupBox* m_statistics = nullptr;        // 1099
  QLabel* m_lblGood = nullptr;              // 1104
  QLabel* m_lblFailed = nullptr;            // 1105
  QLabel* m_lblTotal = nullptr;             // 1106
  StatisticsFields m_stats{this};           // 1139..1143
  bool m_bMonitorBoxesAllowed = false;
};
