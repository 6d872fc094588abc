#pragma once
// Readings made in the test: a table source for the formatter, the message
// log over the colour list, and the image view, all with the English texts.
#include <QCoreApplication>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/color_list_box_log.h"
#include "image_view_fixture.h"
#include "log/log.h"
#include "view/result_source.h"
#include "view/test_results.h"

namespace viewtest {

void setQuality(QualitySettings& q, int slot, QualityPair pair);

class TableSource : public ResultSource {
public:
  int count = 0;
  std::array<ReadResultRecord, kSlots> records{};
  std::array<Ecc200ResultRecord, kSlots> ecc200s{};
  std::array<Pdf417ResultRecord, kSlots> pdf417s{};
  std::array<QrCodeResultRecord, kSlots> qrs{};
  std::array<AztecResultRecord, kSlots> aztecs{};
  std::vector<QualitySettings> qualities = std::vector<QualitySettings>(kSlots);
  std::vector<QualitySettings> barcodes = std::vector<QualitySettings>(kSlots);
  int output = 3;
  bool composite = false;

  int resultCount() const override { return count; }
  const ReadResultRecord& record(int k) const override { return records[std::size_t(k)]; }
  const Ecc200ResultRecord* ecc200(int k) const override { return &ecc200s[std::size_t(k)]; }
  const Pdf417ResultRecord* pdf417(int k) const override { return &pdf417s[std::size_t(k)]; }
  const QrCodeResultRecord* qrCode(int k) const override { return &qrs[std::size_t(k)]; }
  const AztecResultRecord* aztec(int k) const override { return &aztecs[std::size_t(k)]; }
  const QualitySettings* quality(int k) const override { return &qualities[std::size_t(k)]; }
  const QualitySettings* barcodeQuality(int k) const override { return &barcodes[std::size_t(k)]; }
  int qualityOutput() const override { return output; }
  bool compositeOn() const override { return composite; }
  void clearReadResults() override { records = {}; }
};

// One code of a reading: label, verdicts, text and a box at (x, y).
struct CodeRow {
  std::string label = "3)Line";
  int verdict = 1;
  int codeVerdict = 1;
  std::string text = "CODE";
  int expected = 1;
  int selector = 3;
  int x = 100, y = 100;
};

inline void setRow(ReadResultRecord& r, const CodeRow& c) {
  r.ints0[1] = c.verdict;
  r.ints0[2] = 1;  // Data Matrix ECC 200
  r.ints0[3] = c.selector;
  r.text4.Assign(c.label);
  r.ints5[1] = c.codeVerdict > 0 ? 1 : 0;
  r.ints5[2] = c.expected;
  r.text8.Assign(c.text);
  r.int9 = 20;
  r.ints11[0] = 10;   // left
  r.ints11[1] = 630;  // right
  r.ints11[2] = 10;   // top
  r.ints11[3] = 470;  // bottom
  const int corners[8] = {c.x, c.y, c.x + 60, c.y, c.x + 60, c.y + 60, c.x, c.y + 60};
  for (int i = 0; i < 8; ++i) r.ints11[std::size_t(4 + i)] = corners[i];
  r.ints11[12] = c.codeVerdict;
}

class ReadingTest : public ImageViewTest {
protected:
  ReadingTest() {
    log = std::make_unique<CLog>(list, CLog::Options{});
    list.widget()->resize(490, 195);
    auto owned = std::make_unique<TableSource>();
    source = owned.get();
    results = std::make_unique<CTestResults>(std::move(owned));
    CTestResults::Parts parts;
    parts.state = &state;
    parts.log = log.get();
    parts.view = view.get();
    parts.text = englishText;
    results->setParts(parts);
    state.m_nSensorState = 2;
  }

  void reading(std::initializer_list<CodeRow> rows) {
    source->records = {};
    int k = 0;
    for (const CodeRow& row : rows) setRow(source->records[std::size_t(k++)], row);
    source->count = k;
  }

  std::vector<std::pair<QString, std::uint32_t>> lines() const {
    std::vector<std::pair<QString, std::uint32_t>> out;
    // The log indents every line by one blank.
    for (int i = 0; i < list.count(); ++i) out.emplace_back(list.itemText(i).mid(1), list.itemColour(i));
    return out;
  }

  ColorListBoxLog list;
  std::unique_ptr<CLog> log;
  TableSource* source = nullptr;
  std::unique_ptr<CTestResults> results;
};

}  // namespace viewtest
