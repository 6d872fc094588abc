#pragma once
// CMonitorMode: the panel of monitor operation. Three display switches
// decide what the picture shows (Images, Search zones, Results); the
// sensor's reading statistics with the good and failed shares, and the
// button that resets them on the sensor. It shows copies: the statistics
// live in the window's state.
#include <QString>
#include <QWidget>

#include "services/view_services.h"

class CButtonDraw;
class QGroupBox;
class QLabel;
class QLineEdit;

class CMonitorMode : public QWidget, public MonitorPanelService {
  Q_OBJECT
public:
  static constexpr std::uint32_t kEditBackground = 0x99A8AC;

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

  int goodReadings() const { return m_nGood; }
  int failedReadings() const { return m_nFailed; }
  int totalReadings() const { return m_nTotal; }
  const QString& goodShare() const { return m_strGoodShare; }
  const QString& failedShare() const { return m_strFailedShare; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void OnImages(bool checked);
  void OnSearchZones(bool checked);
  void OnResults(bool checked);
  void OnResetStatistics();
  void UpdateEdits();
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
  QLineEdit* m_edGood = nullptr;            // 1139
  QLineEdit* m_edFailed = nullptr;          // 1140
  QLineEdit* m_edTotal = nullptr;           // 1141
  QLineEdit* m_edGoodShare = nullptr;       // 1142
  QLineEdit* m_edFailedShare = nullptr;     // 1143

  int m_nGood = 0;
  int m_nTotal = 0;
  int m_nFailed = 0;
  QString m_strFailedShare = QStringLiteral("0.00");
  QString m_strGoodShare = QStringLiteral("0.00");
  bool m_bMonitorBoxesAllowed = false;
};
