#include <gtest/gtest.h>

#include <string>

#include "list_fixtures.h"
#include "records/aztec_code_results.h"
#include "records/ecc200_results.h"
#include "records/pdf417_results.h"
#include "records/qr_code_results.h"
#include "records/results.h"
#include "template_lists.h"

namespace {

using vt::test::DoubleAt;
using vt::test::IntAt;
using vt::test::ListOfTypes;
using vt::test::StringAt;

using vt::test::kAztecResult;
using vt::test::kEcc200Result;
using vt::test::kPdf417Result;
using vt::test::kQrCodeResult;
using vt::test::kReadResult;

template <class Array>
void ExpectInts(const Array& fields, int firstPos) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(fields[i], IntAt(firstPos + int(i))) << firstPos + i;
}
template <class Array>
void ExpectDoubles(const Array& fields, int firstPos) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(fields[i], DoubleAt(firstPos + int(i))) << firstPos + i;
}
template <class Array>
void ExpectTexts(const Array& fields, int firstPos) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(fields[i], StringAt(firstPos + int(i))) << firstPos + i;
}

TEST(CResults, FillsEveryFieldFromItsPosition) {
    const ParameterList list = ListOfTypes(kReadResult);
    ASSERT_EQ(list.size(), 39u);
    ReadResultRecord r;
    EXPECT_EQ(CResults::GetInstance()->Extract(list, r), 0);
    ExpectInts(r.ints0, 0);
    EXPECT_EQ(r.text4, StringAt(4));
    ExpectInts(r.ints5, 5);
    EXPECT_EQ(r.text8, StringAt(8));
    EXPECT_EQ(r.int9, IntAt(9));
    EXPECT_EQ(r.text10, StringAt(10));
    ExpectInts(r.ints11, 11);
    ExpectTexts(r.texts29, 29);
}

TEST(CodeResults, FillEveryFieldFromItsPosition) {
    Ecc200ResultRecord ecc;
    EXPECT_EQ(CECC200Results::GetInstance()->Extract(ListOfTypes(kEcc200Result), ecc), 0);
    ExpectTexts(ecc.texts0, 0);
    ExpectInts(ecc.ints3, 3);
    ExpectDoubles(ecc.doubles5, 5);
    ExpectInts(ecc.ints8, 8);

    Pdf417ResultRecord pdf;
    EXPECT_EQ(CPDF417Results::GetInstance()->Extract(ListOfTypes(kPdf417Result), pdf), 0);
    ExpectTexts(pdf.texts0, 0);
    ExpectInts(pdf.ints3, 3);
    ExpectDoubles(pdf.doubles5, 5);
    ExpectInts(pdf.ints8, 8);

    QrCodeResultRecord qr;
    EXPECT_EQ(CQRCodeResults::GetInstance()->Extract(ListOfTypes(kQrCodeResult), qr), 0);
    ExpectTexts(qr.texts0, 0);
    ExpectInts(qr.ints3, 3);
    ExpectDoubles(qr.doubles7, 7);
    ExpectInts(qr.ints9, 9);
    EXPECT_EQ(qr.text14, StringAt(14));

    AztecResultRecord aztec;
    EXPECT_EQ(CAztecCodeResults::GetInstance()->Extract(ListOfTypes(kAztecResult), aztec), 0);
    ExpectTexts(aztec.texts0, 0);
    ExpectInts(aztec.ints3, 3);
    ExpectDoubles(aztec.doubles6, 6);
    ExpectInts(aztec.ints9, 9);
}

// A list one item short, empty, or of another family: an error, never a read past the end.
TEST(ResultConverters, AShortOrForeignListIsAnError) {
    struct Case {
        const char* what;
        const char* types;
        int (*extract)(const ParameterList&);
    };
    const Case cases[] = {
        {"general", kReadResult,
         [](const ParameterList& l) {
             ReadResultRecord r;
             return CResults::GetInstance()->Extract(l, r);
         }},
        {"ecc200", kEcc200Result,
         [](const ParameterList& l) {
             Ecc200ResultRecord r;
             return CECC200Results::GetInstance()->Extract(l, r);
         }},
        {"pdf417", kPdf417Result,
         [](const ParameterList& l) {
             Pdf417ResultRecord r;
             return CPDF417Results::GetInstance()->Extract(l, r);
         }},
        {"qr", kQrCodeResult,
         [](const ParameterList& l) {
             QrCodeResultRecord r;
             return CQRCodeResults::GetInstance()->Extract(l, r);
         }},
        {"aztec", kAztecResult,
         [](const ParameterList& l) {
             AztecResultRecord r;
             return CAztecCodeResults::GetInstance()->Extract(l, r);
         }},
    };
    for (const auto& c : cases) {
        ParameterList list = ListOfTypes(c.types);
        list.pop_back();
        EXPECT_EQ(c.extract(list), -1) << c.what;
        EXPECT_EQ(c.extract(ParameterList{}), -1) << c.what;
    }
    // The ECC 200 list has ints where the QR list has a double.
    QrCodeResultRecord qr;
    EXPECT_EQ(CQRCodeResults::GetInstance()->Extract(ListOfTypes("SSS II DDD IIII S S"), qr), -1);
}

TEST(ResultConverters, AnEmptyTextEmptiesItsFieldAndALongOneIsCut) {
    ParameterList list = ListOfTypes(kReadResult);
    list[8].stringValue = "";
    list[4].stringValue = std::string(300, 'x');
    ReadResultRecord r;
    r.text8.Assign("previous reading");
    EXPECT_EQ(CResults::GetInstance()->Extract(list, r), 0);
    EXPECT_EQ(r.text8, "");
    EXPECT_EQ(r.text4, std::string(255, 'x'));
}

TEST(ResultConverters, AShortListLeavesTheMissingFieldsAsTheyWere) {
    ParameterList list = ListOfTypes(kQrCodeResult);
    list.resize(14);  // the trailing text is missing
    QrCodeResultRecord qr;
    qr.text14.Assign("kept");
    EXPECT_EQ(CQRCodeResults::GetInstance()->Extract(list, qr), -1);
    EXPECT_EQ(qr.text14, "kept");
    ExpectInts(qr.ints9, 9);
}

}  // namespace
