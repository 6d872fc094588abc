#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_fixtures.h"
#include "records/barcode_quality_params.h"
#include "records/ecc200_quality_params.h"
#include "records/pdf417_quality_params.h"
#include "template_lists.h"

namespace {

using vt::test::QualityList;
using vt::test::SameItem;

// The slot table: per slot the "append_it" position in each template that
// uses it (0: not used) and the text id of its tree row.
struct SlotRow {
    int slot;
    int pos1003;
    int pos1009;
    int pos2003;
    int pos2004;
    int textId;
};
const SlotRow kSlotTable[] = {
    {0, 1, 1, 1, 1, 0},       {1, 17, 0, 0, 0, 8311},    {2, 5, 0, 0, 0, 8308},     {3, 21, 0, 0, 0, 8304},
    {4, 25, 0, 0, 0, 8312},   {5, 29, 25, 0, 0, 8305},   {6, 33, 29, 0, 0, 8303},   {7, 13, 0, 0, 0, 8310},
    {8, 9, 9, 0, 0, 8309},    {9, 0, 5, 0, 0, 8313},     {10, 0, 13, 0, 0, 8314},   {11, 0, 17, 0, 0, 8315},
    {12, 0, 21, 0, 0, 8316},  {13, 0, 0, 0, 5, 20036},   {14, 0, 0, 0, 9, 20037},   {15, 0, 0, 5, 13, 8311},
    {16, 0, 0, 9, 17, 8302},  {17, 0, 0, 13, 21, 20039}, {18, 0, 0, 17, 25, 20040}, {19, 0, 0, 21, 29, 8309},
    {20, 0, 0, 25, 33, 8313}, {21, 0, 0, 29, 37, 8315},  {22, 0, 0, 33, 41, 20041}, {23, 0, 0, 0, 45, 8311},
    {24, 0, 0, 0, 49, 20043}, {25, 0, 0, 0, 53, 8308},   {26, 0, 0, 0, 57, 20039},  {27, 0, 0, 0, 61, 20040},
    {28, 0, 0, 0, 65, 8309},  {29, 0, 0, 0, 69, 8313},   {30, 0, 0, 0, 73, 8315},   {31, 0, 0, 0, 77, 8316},
    {32, 0, 0, 0, 81, 8305},  {33, 0, 0, 0, 85, 8309},   {34, 0, 0, 0, 89, 8315},   {35, 0, 0, 0, 93, 8313},
};

enum Template { T1003, T1009, T2003, T2004 };

int PositionIn(const SlotRow& row, Template t) {
    switch (t) {
        case T1003:
            return row.pos1003;
        case T1009:
            return row.pos1009;
        case T2003:
            return row.pos2003;
        case T2004:
            return row.pos2004;
    }
    return 0;
}

// Slots with values that tell them apart (the converters copy them unchecked).
QualitySettings DistinctSettings() {
    QualitySettings s;
    for (int i = 0; i < QualitySettings::kSlotCount; ++i) s.slots[i] = {200 + i, 100 + i};
    return s;
}

std::u16string TextOf(int id) {
    std::string digits = std::to_string(id);
    return u"#" + std::u16string(digits.begin(), digits.end());
}

struct Family {
    const char* name;
    Template t;
    int parameters;
    int (*write)(ParameterList&, const QualitySettings&);
    int (*read)(const ParameterList&, QualitySettings&);
};

const Family kFamilies[] = {
    {"ecc200", T1003, 9,
     [](ParameterList& l, const QualitySettings& s) {
         return CECC200QualityParams::GetInstance()->WriteAll(l, s);
     },
     [](const ParameterList& l, QualitySettings& s) {
         return CECC200QualityParams::GetInstance()->ReadAll(l, s);
     }},
    {"pdf417", T1009, 8,
     [](ParameterList& l, const QualitySettings& s) {
         return CPDF417QualityParams::GetInstance()->WriteAll(l, s);
     },
     [](const ParameterList& l, QualitySettings& s) {
         return CPDF417QualityParams::GetInstance()->ReadAll(l, s);
     }},
    {"bar code", T2003, 9,
     [](ParameterList& l, const QualitySettings& s) {
         return CBarcodeQualityParams::GetInstance()->WriteAll(l, s, false);
     },
     [](const ParameterList& l, QualitySettings& s) {
         return CBarcodeQualityParams::GetInstance()->ReadAll(l, s, false);
     }},
    {"composite", T2004, 24,
     [](ParameterList& l, const QualitySettings& s) {
         return CBarcodeQualityParams::GetInstance()->WriteAll(l, s, true);
     },
     [](const ParameterList& l, QualitySettings& s) {
         return CBarcodeQualityParams::GetInstance()->ReadAll(l, s, true);
     }},
};

TEST(QualityWriters, WriteEachSlotsPairAtItsPositionsAndNothingElse) {
    for (const Family& f : kFamilies) {
        const ParameterList before = QualityList(f.parameters);
        ParameterList list = before;
        const QualitySettings s = DistinctSettings();
        EXPECT_EQ(f.write(list, s), 0) << f.name;

        std::vector<bool> written(list.size());
        for (const SlotRow& row : kSlotTable) {
            const int pos = PositionIn(row, f.t);
            if (pos == 0) continue;
            written[pos] = written[pos + 1] = true;
            EXPECT_EQ(list[pos].name, "append_it");
            EXPECT_EQ(list[pos].intValue, s.slots[row.slot].appendIt) << f.name << " slot " << row.slot;
            EXPECT_EQ(list[pos + 1].name, "grade");
            EXPECT_EQ(list[pos + 1].intValue, s.slots[row.slot].grade) << f.name << " slot " << row.slot;
        }
        int count = 0;
        for (std::size_t pos = 0; pos < list.size(); ++pos) {
            if (written[pos])
                ++count;
            else
                EXPECT_TRUE(SameItem(list[pos], before[pos])) << f.name << " touched " << pos;
        }
        EXPECT_EQ(count, 2 * f.parameters) << f.name;

        // And read back into other settings, the same pairs come out.
        QualitySettings back;
        EXPECT_EQ(f.read(list, back), 0) << f.name;
        for (const SlotRow& row : kSlotTable) {
            if (PositionIn(row, f.t) == 0) continue;
            EXPECT_EQ(back.slots[row.slot].appendIt, s.slots[row.slot].appendIt)
                << f.name << " slot " << row.slot;
            EXPECT_EQ(back.slots[row.slot].grade, s.slots[row.slot].grade) << f.name << " slot " << row.slot;
        }
    }
}

TEST(QualityWriters, AShortListIsAnError) {
    for (const Family& f : kFamilies) {
        ParameterList list = QualityList(f.parameters);
        list.pop_back();
        EXPECT_EQ(f.write(list, DistinctSettings()), -1) << f.name;
        QualitySettings s;
        EXPECT_EQ(f.read(list, s), -1) << f.name;
        ParameterList empty;
        EXPECT_EQ(f.write(empty, DistinctSettings()), -1) << f.name;
        EXPECT_TRUE(empty.empty());
    }
}

TEST(CBarcodeQualityParams, ReadAllLeavesSlotsPastTheEndAsTheyWere) {
    ParameterList list = QualityList(24);
    list.resize(40);  // up to slot 21's section
    QualitySettings s = DistinctSettings();
    const QualitySettings before = s;
    EXPECT_EQ(CBarcodeQualityParams::GetInstance()->ReadAll(list, s, true), -1);
    EXPECT_EQ(s.slots[21].appendIt, vt::test::IntAt(37));  // 37 is still in the list
    EXPECT_EQ(s.slots[22].appendIt, before.slots[22].appendIt);
    EXPECT_EQ(s.slots[35].grade, before.slots[35].grade);
}

TEST(QualityReadPair, ReadsOneParameterOfACodesQualityResult) {
    const ParameterList list = QualityList(9);
    QualityPair pair;
    EXPECT_EQ(CECC200QualityParams::GetInstance()->ReadPair(list, 33, pair), 0);
    EXPECT_EQ(pair.appendIt, vt::test::IntAt(33));
    EXPECT_EQ(pair.grade, vt::test::IntAt(34));
    EXPECT_EQ(CPDF417QualityParams::GetInstance()->ReadPair(list, 35, pair), -1);  // past the end
    EXPECT_EQ(CPDF417QualityParams::GetInstance()->ReadPair(list, 0, pair), -1);   // a section marker
}

struct ExpectedRow {
    int key;
    int textId;
    int level;
    int slot;  // -1: heading
};

void ExpectTree(const QualityTreeMap& map, const std::vector<ExpectedRow>& rows, const QualitySettings& s,
                const char* what) {
    EXPECT_EQ(map.size(), rows.size()) << what;
    for (const ExpectedRow& row : rows) {
        const auto found = map.find(row.key);
        ASSERT_NE(found, map.end()) << what << " key " << row.key;
        EXPECT_EQ(found->second.text, TextOf(row.textId)) << what << " key " << row.key;
        EXPECT_EQ(found->second.level, row.level) << what << " key " << row.key;
        EXPECT_EQ(found->second.selected, row.slot < 0 ? 2 : s.slots[row.slot].appendIt)
            << what << " key " << row.key;
    }
}

// Rows of the slots a template uses (the overall grade has none), from the slot table.
std::vector<ExpectedRow> RowsOf(Template t, int level, bool (*use)(int slot)) {
    std::vector<ExpectedRow> rows;
    for (const SlotRow& row : kSlotTable)
        if (row.slot != 0 && PositionIn(row, t) != 0 && use(row.slot))
            rows.push_back({PositionIn(row, t), row.textId, level, row.slot});
    return rows;
}

bool anySlot(int) {
    return true;
}
bool standardSlot(int slot) {
    return slot >= 15 && slot <= 22;
}

TEST(QualityTree, MatchesTheSlotTableForEveryFamily) {
    const QualitySettings s = DistinctSettings();

    QualityTreeMap ecc;
    CECC200QualityParams::GetInstance()->BuildTreeMap(ecc, s, TextOf);
    ExpectTree(ecc, RowsOf(T1003, 1, anySlot), s, "ecc200");

    QualityTreeMap pdf;
    CPDF417QualityParams::GetInstance()->BuildTreeMap(pdf, s, TextOf);
    ExpectTree(pdf, RowsOf(T1009, 1, anySlot), s, "pdf417");

    QualityTreeMap bar;
    CBarcodeQualityParams::GetInstance()->BuildTreeMap(bar, s, TextOf, false, true);
    ExpectTree(bar, RowsOf(T2003, 1, anySlot), s, "bar code");

    // A composite type with its component switched off: the standard rows at
    // their composite-template keys (13 to 41), no headings.
    QualityTreeMap off;
    CBarcodeQualityParams::GetInstance()->BuildTreeMap(off, s, TextOf, true, false);
    ExpectTree(off, RowsOf(T2004, 1, standardSlot), s, "composite off");

    QualityTreeMap on;
    CBarcodeQualityParams::GetInstance()->BuildTreeMap(on, s, TextOf, true, true);
    std::vector<ExpectedRow> rows = RowsOf(T2004, 2, standardSlot);
    const ExpectedRow composite[] = {
        {5, 20036, 1, 13},  {9, 20037, 1, 14},  {12, 20038, 1, -1}, {44, 20042, 1, -1}, {45, 8311, 2, 23},
        {49, 20043, 2, 24}, {52, 20044, 2, -1}, {53, 8308, 3, 25},  {57, 20039, 3, 26}, {61, 20040, 3, 27},
        {65, 8309, 3, 28},  {69, 8313, 3, 29},  {73, 8315, 3, 30},  {77, 8316, 2, 31},  {81, 8305, 2, 32},
        {85, 8309, 2, 33},  {89, 8315, 2, 34},  {93, 8313, 2, 35},
    };
    rows.insert(rows.end(), std::begin(composite), std::end(composite));
    ExpectTree(on, rows, s, "composite on");
}

TEST(QualityTree, InsertionNeverReplacesARow) {
    QualityTreeMap map;
    map[5] = QualityTreeItem{u"mine", 3, 1};
    CECC200QualityParams::GetInstance()->BuildTreeMap(map, QualitySettings{}, TextOf);
    EXPECT_EQ(map[5].text, u"mine");
}

TEST(QualityTree, ReadingBackCopiesTheTicksIntoTheSlots) {
    for (bool composite : {false, true}) {
        QualitySettings s;
        QualityTreeMap map;
        CBarcodeQualityParams::GetInstance()->BuildTreeMap(map, s, TextOf, composite, true);
        for (auto& [key, row] : map)
            if (row.selected != QualityTreeItem::kHeading) row.selected = 1;
        CBarcodeQualityParams::GetInstance()->ReadTreeMap(map, s, composite);
        for (int slot = 13; slot < 36; ++slot)
            EXPECT_EQ(s.slots[slot].appendIt, composite || standardSlot(slot) ? 1 : 0) << slot;
        EXPECT_EQ(s.slots[0].appendIt, 0);
    }

    QualitySettings s;
    QualityTreeMap map;
    CECC200QualityParams::GetInstance()->BuildTreeMap(map, s, TextOf);
    map.at(17).selected = 1;  // slot 1
    CECC200QualityParams::GetInstance()->ReadTreeMap(map, s);
    EXPECT_EQ(s.slots[1].appendIt, 1);
    EXPECT_EQ(s.slots[2].appendIt, 0);

    QualityTreeMap pdf;
    CPDF417QualityParams::GetInstance()->BuildTreeMap(pdf, s, TextOf);
    pdf.at(5).selected = 1;  // slot 9
    CPDF417QualityParams::GetInstance()->ReadTreeMap(pdf, s);
    EXPECT_EQ(s.slots[9].appendIt, 1);
}

TEST(QualityTree, ACompositeTypeWithItsComponentOffTurnsTheComponentOff) {
    QualitySettings s;
    CBarcodeQualityParams::GetInstance()->SetAllAppendFlags(s, false, 1);
    QualityTreeMap map;
    CBarcodeQualityParams::GetInstance()->BuildTreeMap(map, s, TextOf, true, false);
    CBarcodeQualityParams::GetInstance()->ReadTreeMap(map, s, true);
    for (int slot = 13; slot < 36; ++slot)
        EXPECT_EQ(s.slots[slot].appendIt, standardSlot(slot) ? 1 : 0) << slot;
}

TEST(QualityFlags, SetOnlyTheirFamilysSlots) {
    auto flagged = [](const QualitySettings& s) {
        std::vector<int> slots;
        for (int i = 0; i < QualitySettings::kSlotCount; ++i)
            if (s.slots[i].appendIt == 1) slots.push_back(i);
        return slots;
    };
    QualitySettings ecc;
    EXPECT_EQ(CECC200QualityParams::GetInstance()->SetAllAppendFlags(ecc), 1);
    EXPECT_EQ(flagged(ecc), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));

    QualitySettings pdf;
    EXPECT_EQ(CPDF417QualityParams::GetInstance()->SetAllAppendFlags(pdf), 1);
    EXPECT_EQ(flagged(pdf), (std::vector<int>{5, 6, 8, 9, 10, 11, 12}));

    QualitySettings bar;
    EXPECT_EQ(CBarcodeQualityParams::GetInstance()->SetAllAppendFlags(bar, true, 1), 1);
    EXPECT_EQ(flagged(bar), (std::vector<int>{13, 14, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35}));
    EXPECT_EQ(CBarcodeQualityParams::GetInstance()->SetAllAppendFlags(bar, false, 1), 1);
    EXPECT_EQ(flagged(bar).size(), 23u);
    EXPECT_EQ(CBarcodeQualityParams::GetInstance()->SetAllAppendFlags(bar, true, 0), 0);
    EXPECT_EQ(flagged(bar), (std::vector<int>{15, 16, 17, 18, 19, 20, 21, 22}));
}

TEST(QualityFamily, The2DFamiliesComeFirstThenPdf417ThenBarCodes) {
    EXPECT_EQ(QualityFamilyFor(0x40), QualityFamily::Ecc200QrAztec);
    EXPECT_EQ(QualityFamilyFor(0x10 | 0x02), QualityFamily::Ecc200QrAztec);
    EXPECT_EQ(QualityFamilyFor(0x08 | 0x20), QualityFamily::Ecc200QrAztec);
    EXPECT_EQ(QualityFamilyFor(0x20 | 0x01), QualityFamily::Pdf417);
    EXPECT_EQ(QualityFamilyFor(0x01 | 0x04), QualityFamily::Barcode);
    EXPECT_EQ(QualityFamilyFor(0x81), QualityFamily::Barcode);
    EXPECT_EQ(QualityFamilyFor(0x80), QualityFamily::None);
}

}  // namespace
