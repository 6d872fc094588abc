// SensorDiscoveryRecord: what a sensor says about itself in its answer to the
// discovery query. 384 bytes of fixed layout; texts are zero-terminated 8-bit
// strings, cut to their field.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

struct SensorDiscoveryRecord {
    char name[97];         // reply field 2
    char secondText[193];  // reply field 3 (the location)
    char type[32];         // reply field 1: "R5T", "T6Q", "K7M" or "R5T_OV"
    char ip[16];           // reply field 4
    char mask[16];         // reply field 5
    char mac[18];          // reply field 6
    uint8_t dhcp;          // 1 when reply field 7 is a non-zero number
    uint8_t padding[3];    // zero
    int32_t number1;       // reply field 8
    int32_t number2;       // reply field 9
};

}  // extern "C"

static_assert(sizeof(SensorDiscoveryRecord) == 384);
static_assert(offsetof(SensorDiscoveryRecord, secondText) == 97);
static_assert(offsetof(SensorDiscoveryRecord, type) == 290);
static_assert(offsetof(SensorDiscoveryRecord, ip) == 322);
static_assert(offsetof(SensorDiscoveryRecord, mask) == 338);
static_assert(offsetof(SensorDiscoveryRecord, mac) == 354);
static_assert(offsetof(SensorDiscoveryRecord, dhcp) == 372);
static_assert(offsetof(SensorDiscoveryRecord, number1) == 376);
static_assert(offsetof(SensorDiscoveryRecord, number2) == 380);
