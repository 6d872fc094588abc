#include <gtest/gtest.h>

#include <string>

#include "list_fixtures.h"
#include "records/config_list_info.h"
#include "records/extract_bar_code.h"
#include "records/extract_group_list.h"
#include "records/pdf417_params.h"
#include "records/qr_code_params.h"
#include "template_lists.h"

namespace {

using vt::test::DoubleAt;
using vt::test::IntAt;
using vt::test::ListOf;
using vt::test::SameItems;
using vt::test::StringAt;
using vt::test::WireForm;

TEST(CodeTypeReaders, FillEveryFieldFromItsPosition) {
    ECC200Settings e;
    EXPECT_EQ(CConfigListInfo::GetInstance()->ReadECC200Data(ListOf(vt::test::Ecc200DataItems()), e), 0);
    EXPECT_EQ(e.symbol_cols_min, IntAt(0));
    EXPECT_EQ(e.symbol_cols_max, IntAt(1));
    EXPECT_EQ(e.symbol_rows_min, IntAt(2));
    EXPECT_EQ(e.symbol_rows_max, IntAt(3));
    EXPECT_EQ(e.polarity, StringAt(4));
    EXPECT_EQ(e.mirrored, StringAt(5));
    EXPECT_EQ(e.contrast_min, IntAt(6));
    EXPECT_EQ(e.module_size_min, IntAt(7));
    EXPECT_EQ(e.module_size_max, IntAt(8));
    EXPECT_EQ(e.module_gap_col_min, StringAt(9));
    EXPECT_EQ(e.module_gap_col_max, StringAt(10));
    EXPECT_EQ(e.module_gap_row_min, StringAt(11));
    EXPECT_EQ(e.module_gap_row_max, StringAt(12));
    EXPECT_EQ(e.slant_max, DoubleAt(13));
    EXPECT_EQ(e.module_grid, StringAt(14));
    EXPECT_EQ(e.strict_model, StringAt(15));

    PDF417Settings p;
    EXPECT_EQ(CPdf417Params::GetInstance()->Extract(ListOf(vt::test::Pdf417DataItems()), p), 0);
    EXPECT_EQ(p.symbol_cols_min, IntAt(0));
    EXPECT_EQ(p.symbol_rows_max, IntAt(3));
    EXPECT_EQ(p.polarity, StringAt(4));
    EXPECT_EQ(p.mirrored, StringAt(5));
    EXPECT_EQ(p.contrast_min, IntAt(6));
    EXPECT_EQ(p.module_width_min, IntAt(7));
    EXPECT_EQ(p.module_width_max, IntAt(8));
    EXPECT_EQ(p.module_aspect_min, DoubleAt(9));
    EXPECT_EQ(p.module_aspect_max, DoubleAt(10));
    EXPECT_EQ(p.strict_model, StringAt(11));

    QRCodeSettings q;
    EXPECT_EQ(CQRCodeParams::GetInstance()->Extract(ListOf(vt::test::QrCodeDataItems()), q), 0);
    EXPECT_EQ(q.model_type, IntAt(0));
    EXPECT_EQ(q.version_min, IntAt(1));
    EXPECT_EQ(q.version_max, IntAt(2));
    EXPECT_EQ(q.symbol_size_min, IntAt(3));
    EXPECT_EQ(q.symbol_size_max, IntAt(4));
    EXPECT_EQ(q.polarity, StringAt(5));
    EXPECT_EQ(q.mirrored, StringAt(6));
    EXPECT_EQ(q.contrast_min, IntAt(7));
    EXPECT_EQ(q.module_size_min, IntAt(8));
    EXPECT_EQ(q.module_size_max, IntAt(9));
    EXPECT_EQ(q.module_gap_col_min, StringAt(10));
    EXPECT_EQ(q.module_gap_row_max, StringAt(13));
    EXPECT_EQ(q.position_pattern_min, IntAt(14));
    EXPECT_EQ(q.strict_model, StringAt(15));

    AztecSettings a;
    EXPECT_EQ(CConfigListInfo::GetInstance()->ReadAztecData(ListOf(vt::test::AztecDataItems()), a), 0);
    EXPECT_EQ(a.symbol_size_min, IntAt(0));
    EXPECT_EQ(a.symbol_size_max, IntAt(1));
    EXPECT_EQ(a.polarity, StringAt(2));
    EXPECT_EQ(a.mirrored, StringAt(3));
    EXPECT_EQ(a.contrast_min, IntAt(4));
    EXPECT_EQ(a.module_size_min, IntAt(5));
    EXPECT_EQ(a.module_size_max, IntAt(6));
    EXPECT_EQ(a.module_gap_col_min, StringAt(7));
    EXPECT_EQ(a.module_gap_row_max, StringAt(10));
    EXPECT_EQ(a.strict_model, StringAt(11));

    BarCodeSettings b;
    b.CompositeComponentUsage = 4;
    b.CompositeComponentSeparator = "|";
    EXPECT_EQ(CExtractBarCode::GetInstance()->Extract(ListOf(vt::test::BarCodeDataItems()), b), 0);
    EXPECT_EQ(b.element_size_min_value, DoubleAt(0));
    EXPECT_EQ(b.element_size_max, DoubleAt(1));
    EXPECT_EQ(b.element_height_min, IntAt(2));
    EXPECT_EQ(b.min_characters, IntAt(3));
    EXPECT_EQ(b.max_characters, IntAt(4));
    EXPECT_EQ(b.reading_direction, IntAt(5));
    // The composite options belong to the configuration.
    EXPECT_EQ(b.CompositeComponentUsage, 4);
    EXPECT_EQ(b.CompositeComponentSeparator, "|");

    GroupNames g;
    EXPECT_EQ(CExtractGroupList::GetInstance()->Extract(ListOf(vt::test::GroupListItems()), g), 0);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(g.names[i], StringAt(i));
}

// Read from one list and written into another of the same template, a record
// must send the list it came from: each field goes back to its own item.
template <class Record, class Read, class Write>
void ExpectRoundTrip(const char* what, const std::vector<vt::test::ItemSpec>& items, Read read, Write write) {
    const ParameterList source = ListOf(items);
    Record record;
    ASSERT_EQ(read(source, record), 0) << what;
    ParameterList target = source;
    for (auto& item : target) {
        item.intValue = -1;
        item.doubleValue = -1;
        item.stringValue = "other";
    }
    EXPECT_EQ(write(target, record), 0) << what;
    EXPECT_EQ(WireForm(target), WireForm(source)) << what;
    for (std::size_t pos = 0; pos < items.size(); ++pos) {
        EXPECT_EQ(target[pos].name, items[pos].name) << what << " " << pos;
        EXPECT_EQ(target[pos].kind, PARAMETER_VALUE) << what << " " << pos;
        EXPECT_EQ(target[pos].type, items[pos].type) << what << " " << pos;
    }
}

TEST(CodeTypeWriters, SendBackTheListTheRecordWasReadFrom) {
    auto* config = CConfigListInfo::GetInstance();
    ExpectRoundTrip<ECC200Settings>(
        "ecc200", vt::test::Ecc200DataItems(), [&](auto& l, auto& r) { return config->ReadECC200Data(l, r); },
        [&](auto& l, auto& r) { return config->WriteECC200Data(l, r); });
    ExpectRoundTrip<PDF417Settings>(
        "pdf417", vt::test::Pdf417DataItems(),
        [](auto& l, auto& r) { return CPdf417Params::GetInstance()->Extract(l, r); },
        [](auto& l, auto& r) { return CPdf417Params::GetInstance()->WriteParams(l, r); });
    ExpectRoundTrip<QRCodeSettings>(
        "qr", vt::test::QrCodeDataItems(),
        [](auto& l, auto& r) { return CQRCodeParams::GetInstance()->Extract(l, r); },
        [](auto& l, auto& r) { return CQRCodeParams::GetInstance()->WriteParams(l, r); });
    ExpectRoundTrip<AztecSettings>(
        "aztec", vt::test::AztecDataItems(), [&](auto& l, auto& r) { return config->ReadAztecData(l, r); },
        [&](auto& l, auto& r) { return config->WriteAztecData(l, r); });
    ExpectRoundTrip<BarCodeSettings>(
        "bar code", vt::test::BarCodeDataItems(),
        [](auto& l, auto& r) { return CExtractBarCode::GetInstance()->Extract(l, r); },
        [](auto& l, auto& r) { return CExtractBarCode::GetInstance()->WriteParams(l, r); });
}

TEST(CodeTypeWriters, AChangedFieldChangesOnlyItsOwnItem) {
    const ParameterList before = ListOf(vt::test::QrCodeDataItems());
    QRCodeSettings q;
    ASSERT_EQ(CQRCodeParams::GetInstance()->Extract(before, q), 0);
    q.position_pattern_min = 3;
    ParameterList list = before;
    EXPECT_EQ(CQRCodeParams::GetInstance()->WriteParams(list, q), 0);
    ParameterList expected = before;
    expected[14].intValue = 3;
    EXPECT_TRUE(SameItems(list, expected));
}

TEST(CodeTypeWriters, AShortListIsWrittenAsFarAsItGoesAndReportedAsAFailure) {
    // The QR Code list without its last item, "strict_model".
    ParameterList list = ListOf(vt::test::QrCodeDataItems());
    list.pop_back();
    QRCodeSettings q;
    q.model_type = 2;
    q.module_gap_row_max.Assign("new");
    EXPECT_EQ(CQRCodeParams::GetInstance()->WriteParams(list, q), -1);
    ASSERT_EQ(list.size(), 15u);
    EXPECT_EQ(list[0].intValue, 2);
    EXPECT_EQ(list[13].stringValue, "new");

    // Sending an empty ECC 200 list would send nothing as if it were the data.
    ParameterList empty;
    EXPECT_EQ(CConfigListInfo::GetInstance()->WriteECC200Data(empty, ECC200Settings{}), -1);
    EXPECT_TRUE(empty.empty());

    struct Case {
        const char* what;
        std::vector<vt::test::ItemSpec> items;
        int (*read)(const ParameterList&);
    };
    const Case readers[] = {
        {"pdf417", vt::test::Pdf417DataItems(),
         [](const ParameterList& l) {
             PDF417Settings r;
             return CPdf417Params::GetInstance()->Extract(l, r);
         }},
        {"qr", vt::test::QrCodeDataItems(),
         [](const ParameterList& l) {
             QRCodeSettings r;
             return CQRCodeParams::GetInstance()->Extract(l, r);
         }},
        {"bar code", vt::test::BarCodeDataItems(),
         [](const ParameterList& l) {
             BarCodeSettings r;
             return CExtractBarCode::GetInstance()->Extract(l, r);
         }},
        {"groups", vt::test::GroupListItems(),
         [](const ParameterList& l) {
             GroupNames r;
             return CExtractGroupList::GetInstance()->Extract(l, r);
         }},
    };
    for (const auto& c : readers) {
        ParameterList shortList = ListOf(c.items);
        shortList.pop_back();
        EXPECT_EQ(c.read(shortList), -1) << c.what;
        EXPECT_EQ(c.read(ParameterList{}), -1) << c.what;
    }
    PDF417Settings p;
    ParameterList pdf = ListOf(vt::test::Pdf417DataItems());
    pdf.pop_back();
    EXPECT_EQ(CPdf417Params::GetInstance()->WriteParams(pdf, p), -1);
    BarCodeSettings b;
    ParameterList bar = ListOf(vt::test::BarCodeDataItems());
    bar.pop_back();
    EXPECT_EQ(CExtractBarCode::GetInstance()->WriteParams(bar, b), -1);
}

TEST(CExtractGroupList, ALongGroupNameIsCutToItsField) {
    ParameterList list = ListOf(vt::test::GroupListItems());
    list[3].stringValue = std::string(126, 'n') + "\xc3\xa4" + "tail";  // an a-umlaut across the limit
    GroupNames g;
    EXPECT_EQ(CExtractGroupList::GetInstance()->Extract(list, g), 0);
    EXPECT_EQ(g.names[3], std::string(126, 'n'));
    EXPECT_EQ(g.names[4], StringAt(4));
}

}  // namespace
