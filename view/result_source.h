#pragma once
// What the result formatter reads of the last reading: the general records,
// the codes' texts, each code's detail in its family's form and the quality
// pairs. The window's tables serve it in the program; tests fill their own.
#include <QString>

#include "records/result_records.h"
// Qt's keyword macro `slots` must not meet the quality record's member.
#pragma push_macro("slots")
#undef slots
#include "records/quality_records.h"
#pragma pop_macro("slots")

class ResultSource {
public:
  static constexpr int kSlots = 100;

  virtual ~ResultSource() = default;
  virtual int resultCount() const = 0;
  // Slot 0..99; a slot past the reading's codes is empty.
  virtual const ReadResultRecord& record(int slot) const = 0;
  // The code's text as the list shows it (control characters escaped);
  // empty: the record's own text stands.
  virtual QString preparedText(int /*slot*/) const { return {}; }
  // The slot's detail in its family's form; null when it holds another form.
  virtual const Ecc200ResultRecord* ecc200(int /*slot*/) const { return nullptr; }
  virtual const Pdf417ResultRecord* pdf417(int /*slot*/) const { return nullptr; }
  virtual const QrCodeResultRecord* qrCode(int /*slot*/) const { return nullptr; }
  virtual const AztecResultRecord* aztec(int /*slot*/) const { return nullptr; }
  // Quality pairs {marker, value} of the 2-D families and of the bar codes.
  virtual const QualitySettings* quality(int /*slot*/) const { return nullptr; }
  virtual const QualitySettings* barcodeQuality(int /*slot*/) const { return nullptr; }
  // 0 off, 1 numbers, 3 grades (the configuration's quality output).
  virtual int qualityOutput() const { return 0; }
  // The configuration reads the composite component of bar codes.
  virtual bool compositeOn() const { return false; }
  // Empties the tables (records, texts, details; quality pairs {0, -1}).
  virtual void clearReadResults() {}
  virtual void clearCodeResults() {}
};
