#pragma once
// Small checks and conversions that many dialogs share: the PC's own
// address, address octets, ports, addresses, sensor names, escaped lengths.
// All static; no state. Nothing is shown to the user here.
#include <array>
#include <string>
#include <string_view>

#include "records/quality_records.h"

// Set to 1, this environment variable lets CheckAddressClass accept loopback
// addresses (127.x.x.x), where the simulator runs; off by default, as no
// real sensor is ever on loopback.
inline constexpr const char* kAllowLoopbackSensorVariable = "VT_ALLOW_LOOPBACK_SENSOR";

class CMisc {
public:
    virtual ~CMisc() = default;

    // The PC's own address (first IPv4 address of its host name) and the mask
    // of the last interface that is not loopback. 0 when a mask was found, -1
    // when none qualifies, errno when the interface list cannot be read.
    static int GetLocalAddresses(std::u16string& address, std::u16string& mask);
    // Four parts of a dotted text (0 for missing or non-numeric parts).
    static std::array<int, 4> SplitAddress(std::u16string_view text);
    // One to three decimal digits, at most 255.
    static bool IsValidOctet(std::u16string_view text);
    // False for the base address of a special-use block and for 255.255.255.255.
    static bool IsPlausibleAddress(int a, int b, int c, int d);
    static std::u16string FormatAddress(int a, int b, int c, int d);
    // 1024 to 65535.
    static bool IsValidPort(int port);
    // 0 when the address may be a sensor's, -1 otherwise.
    static int CheckAddressClass(std::u16string_view address);
    // A pixel of the 640 x 480 image.
    static bool IsInsideImage(unsigned x, unsigned y);
    // Characters, an escape "\x" and two more counting as one.
    static int GetUnescapedLength(std::u16string_view text);
    // The language-string id of a code type's name; -1 for an unknown type.
    static int GetCodeTypeStringId(int codeType);
    // 0, or -19010 to -19014.
    static int ValidateSensorName(std::u16string_view name);
    // "3) <encoded name>" shown with the name decoded.
    static std::u16string DecodeConfigLabel(std::string_view label);
    static QualityTreeItem MakeQualityTreeItem(const QualityTextLookup& text, int stringId, int level,
                                               int selected);
};
