#pragma once
// What the test-output dialog (CConfigProcessTestOutput) needs of the
// process-interface page that opens it. The page implements it; the dialog
// knows nothing else of the page's classes.
#include <QString>

struct ProcessTestHost {
  virtual ~ProcessTestHost() = default;
  // Writes the page's settings to the sensor now; the caller holds m_bBusy.
  // 0 done; -1 not done (the page has shown why and where).
  virtual int ApplySettings() = 0;
  // Tab 1's output-mode item (combo 1226): 0 off, 1..6.
  virtual int outputModeItem() const = 0;
  // Tab 1's reference code and match string as its edits show them.
  virtual QString referenceCode() const = 0;
  virtual QString matchString() const = 0;
  // The dialog's OK: the texts go into tab 1's edits, its controls updated.
  virtual void SetReferenceCode(const QString& text) = 0;
  virtual void SetMatchString(const QString& text) = 0;
};
