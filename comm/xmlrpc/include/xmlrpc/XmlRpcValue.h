// One XML-RPC value: a tagged union with value semantics and its XML form.
//
// String values travel in the sensor's two-byte form: every byte from 0x80
// up goes out as 0x80 | (b & 0x3F) followed by 0xC0 | (b >> 6) (UTF-8's two
// bytes in reverse order). Names stored on sensors are in that form, so it
// stays even though no standard peer reads it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "xmlrpc/XmlRpcException.h"

namespace XmlRpc {

// The wire's calendar fields as they stand: the full year, month 1 to 12.
struct XmlRpcDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const XmlRpcDateTime&) const = default;
};

class XmlRpcValue {
public:
    enum Type {
        TypeInvalid = 0,
        TypeBoolean = 1,
        TypeInt = 2,
        TypeDouble = 3,
        TypeString = 4,
        TypeDateTime = 5,
        TypeBase64 = 6,
        TypeArray = 7,
        TypeStruct = 8,
    };

    using BinaryData = std::vector<unsigned char>;
    using ValueArray = std::vector<XmlRpcValue>;
    using ValueStruct = std::map<std::string, XmlRpcValue>;

    XmlRpcValue() = default;
    XmlRpcValue(bool value) : v_(value) {}
    XmlRpcValue(int value) : v_(value) {}
    XmlRpcValue(double value) : v_(value) {}
    XmlRpcValue(std::string value) : v_(std::move(value)) {}
    XmlRpcValue(const char* value) : v_(std::string(value != nullptr ? value : "")) {}
    XmlRpcValue(const XmlRpcDateTime& value) : v_(value) {}
    XmlRpcValue(BinaryData value) : v_(std::move(value)) {}
    XmlRpcValue(const void* data, int nBytes);
    // Parses the value at *offset (see fromXml).
    XmlRpcValue(const std::string& xml, int* offset) { fromXml(xml, offset); }

    XmlRpcValue(const XmlRpcValue& other);
    XmlRpcValue(XmlRpcValue&& other) noexcept = default;
    XmlRpcValue& operator=(const XmlRpcValue& other);
    XmlRpcValue& operator=(XmlRpcValue&& other) noexcept = default;
    ~XmlRpcValue() = default;

    bool operator==(const XmlRpcValue& other) const;
    bool operator!=(const XmlRpcValue& other) const { return !(*this == other); }

    void clear() { v_ = std::monostate{}; }
    bool valid() const { return getType() != TypeInvalid; }
    Type getType() const { return static_cast<Type>(v_.index()); }

    // Bytes of a string or base64 value, elements of an array, members of a
    // struct; any other type throws.
    int size() const;
    // Makes the value an array of n elements (an invalid value becomes one).
    void setSize(int n);
    bool hasMember(const std::string& name) const;

    // Writable indexing turns an invalid value into an array (or struct) and
    // grows it; read-only indexing throws when out of range.
    XmlRpcValue& operator[](int i);
    const XmlRpcValue& operator[](int i) const;
    XmlRpcValue& operator[](const std::string& name);
    XmlRpcValue& operator[](const char* name) { return (*this)[std::string(name)]; }
    const XmlRpcValue& operator[](const std::string& name) const;
    const XmlRpcValue& operator[](const char* name) const { return (*this)[std::string(name)]; }

    // Writable access: an invalid value first takes the type asked for;
    // another type throws "type error".
    operator bool&() { return as<bool>(); }
    operator int&() { return as<int>(); }
    operator double&() { return as<double>(); }
    operator std::string&() { return as<std::string>(); }
    operator XmlRpcDateTime&() { return as<XmlRpcDateTime>(); }
    operator BinaryData&() { return as<BinaryData>(); }

    // Read-only access; another type throws "type error".
    bool asBool() const { return get<bool>(); }
    int asInt() const { return get<int>(); }
    double asDouble() const { return get<double>(); }
    const std::string& asString() const { return get<std::string>(); }
    const XmlRpcDateTime& asDateTime() const { return get<XmlRpcDateTime>(); }
    const BinaryData& asBinary() const { return get<BinaryData>(); }
    const ValueArray& asArray() const;
    const ValueStruct& asStruct() const;

    // Reads the value that starts at *offset (white space first allowed).
    // On success *offset moves past "</value>"; on failure it stays and the
    // value is invalid.
    bool fromXml(const std::string& valueXml, int* offset);
    // The same over any text; pos in and out as above.
    bool fromXml(std::string_view valueXml, std::size_t& pos);

    // The value's XML; an invalid value writes nothing.
    std::string toXml() const;
    void appendXml(std::string& out) const;

    // Byte form of string values on the wire, in both directions.
    static void appendWireString(std::string& out, std::string_view latin1);
    static std::string decodeWireString(std::string_view wire);

    // Base64 with a line feed after every 72 characters; decoding skips
    // anything outside the alphabet and stops at "=".
    static void appendBase64(std::string& out, const unsigned char* data, std::size_t n);
    // The bytes of one line; data cut at whole lines encodes piece by piece
    // into the same text as whole.
    static constexpr std::size_t kBase64LineBytes = 54;
    static constexpr std::size_t base64Size(std::size_t n) { return (n + 2) / 3 * 4 + n / kBase64LineBytes; }
    static BinaryData decodeBase64(std::string_view text);

private:
    friend class XmlRpcValueParser;

    using Storage = std::variant<std::monostate, bool, int, double, std::string, XmlRpcDateTime, BinaryData,
                                 std::unique_ptr<ValueArray>, std::unique_ptr<ValueStruct>>;

    template <class T>
    T& as() {
        if (v_.index() == 0) v_.template emplace<T>();
        if (auto* p = std::get_if<T>(&v_)) return *p;
        throw XmlRpcException("type error");
    }
    template <class T>
    const T& get() const {
        if (auto* p = std::get_if<T>(&v_)) return *p;
        throw XmlRpcException("type error");
    }
    ValueArray& writableArray();
    ValueStruct& writableStruct();

    Storage v_;
};

}  // namespace XmlRpc
