// Moving whole records between a ParameterList and their fields.
//
// A converter states once which item (position and name) fills which field;
// its reader and writer both walk that one table. Readers and writers visit
// every entry even after a failure and then report -1, so a list shorter
// than its template fills (or receives) what it has and the caller learns
// that the record is incomplete.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <variant>

#include "records/parameter_items.h"
#include "text/fixed_text.h"

// One item of a template and the record field it belongs to.
template <class Record>
struct RecordField {
    int pos;
    const char* name;
    // uint8_t fields are flags: stored as 0 or 1, sent as the integers 0 or 1.
    std::variant<int32_t Record::*, double Record::*, std::string Record::*, uint8_t Record::*,
                 FixedText<256> Record::*, FixedText<4000> Record::*>
        member;
};

// A section marker of a template (kind PARAMETER_SECTION_BEGIN or _END).
struct SectionMarker {
    int pos;
    int32_t kind;
    const char* name;
};

namespace record_fields_detail {

inline int readItem(const ParameterList& list, int pos, int32_t& out) {
    return ParameterItems::ReadInt(list, pos, &out);
}
inline int readItem(const ParameterList& list, int pos, double& out) {
    return ParameterItems::ReadDouble(list, pos, &out);
}
inline int readItem(const ParameterList& list, int pos, std::string& out) {
    return ParameterItems::ReadStdString(list, pos, out);
}
inline int readItem(const ParameterList& list, int pos, uint8_t& out) {
    int32_t value = 0;
    const int status = ParameterItems::ReadInt(list, pos, &value);
    if (status == ParameterItems::kOk) out = value != 0 ? 1 : 0;
    return status;
}
template <std::size_t N>
int readItem(const ParameterList& list, int pos, FixedText<N>& out) {
    return ParameterItems::ReadString(list, pos, out);
}

inline int writeItem(ParameterList& list, const char* name, int pos, int32_t value) {
    return ParameterItems::WriteInt(list, name, pos, value);
}
inline int writeItem(ParameterList& list, const char* name, int pos, double value) {
    return ParameterItems::WriteDouble(list, name, pos, value);
}
inline int writeItem(ParameterList& list, const char* name, int pos, const std::string& value) {
    return ParameterItems::WriteString(list, name, pos, value);
}
inline int writeItem(ParameterList& list, const char* name, int pos, uint8_t value) {
    return ParameterItems::WriteInt(list, name, pos, value != 0 ? 1 : 0);
}
template <std::size_t N>
int writeItem(ParameterList& list, const char* name, int pos, const FixedText<N>& value) {
    return ParameterItems::WriteString(list, name, pos, value.view());
}

// Fields read in list order, one item each; arrays take one item per element.
inline int readNext(const ParameterList& list, int& pos, auto& field) {
    return readItem(list, pos++, field);
}
template <class T, std::size_t K>
int readNext(const ParameterList& list, int& pos, std::array<T, K>& fields) {
    int status = ParameterItems::kOk;
    for (T& field : fields)
        if (readNext(list, pos, field) != ParameterItems::kOk) status = ParameterItems::kFailed;
    return status;
}

}  // namespace record_fields_detail

template <class Record>
int ReadFields(const ParameterList& list, std::span<const RecordField<Record>> fields, Record& record) {
    int status = ParameterItems::kOk;
    for (const auto& field : fields) {
        const int result = std::visit(
            [&](auto member) { return record_fields_detail::readItem(list, field.pos, record.*member); },
            field.member);
        if (result != ParameterItems::kOk) status = ParameterItems::kFailed;
    }
    return status;
}

template <class Record>
int WriteFields(ParameterList& list, std::span<const RecordField<Record>> fields, const Record& record) {
    int status = ParameterItems::kOk;
    for (const auto& field : fields) {
        const int result = std::visit(
            [&](auto member) {
                return record_fields_detail::writeItem(list, field.name, field.pos, record.*member);
            },
            field.member);
        if (result != ParameterItems::kOk) status = ParameterItems::kFailed;
    }
    return status;
}

// A list shorter than its template did not come whole from a get of that
// template: -1, though the items it has are still read or written.
inline int CheckLength(const ParameterList& list, std::size_t templateItems) {
    return list.size() >= templateItems ? ParameterItems::kOk : ParameterItems::kFailed;
}

// 0 when every result is 0, else -1.
inline int CombineResults(std::initializer_list<int> results) {
    for (int result : results)
        if (result != ParameterItems::kOk) return ParameterItems::kFailed;
    return ParameterItems::kOk;
}

// The fields of a template of templateItems items; a shorter list is an
// error (see CheckLength).
template <class Record, std::size_t N>
int ReadFields(const ParameterList& list, std::size_t templateItems, const RecordField<Record> (&fields)[N],
               Record& record) {
    return CombineResults({CheckLength(list, templateItems),
                           ReadFields<Record>(list, std::span<const RecordField<Record>>(fields), record)});
}

template <class Record, std::size_t N>
int WriteFields(ParameterList& list, std::size_t templateItems, const RecordField<Record> (&fields)[N],
                const Record& record) {
    return CombineResults({CheckLength(list, templateItems),
                           WriteFields<Record>(list, std::span<const RecordField<Record>>(fields), record)});
}

// Reads consecutive items from position 0 into the given fields, in order.
template <class... Fields>
int ReadInOrder(const ParameterList& list, Fields&... fields) {
    int pos = 0;
    int status = ParameterItems::kOk;
    ((record_fields_detail::readNext(list, pos, fields) != ParameterItems::kOk
          ? status = ParameterItems::kFailed
          : status),
     ...);
    return status;
}

// Writes every marker (those that fit even when others do not); -1 if any failed.
inline int WriteSectionMarkers(ParameterList& list, std::span<const SectionMarker> markers) {
    int status = ParameterItems::kOk;
    for (const SectionMarker& marker : markers) {
        const int result = marker.kind == PARAMETER_SECTION_BEGIN
                               ? ParameterItems::WriteSectionBegin(list, marker.name, marker.pos)
                               : ParameterItems::WriteSectionEnd(list, marker.name, marker.pos);
        if (result != ParameterItems::kOk) status = ParameterItems::kFailed;
    }
    return status;
}
