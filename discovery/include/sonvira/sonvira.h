// libsonvira: finds sensors on IPv4 networks.
//
// The caller lists the subnets to search, starts a scan that reports each
// sensor found to a window target, and can query one address directly or look
// a sensor up by its MAC address. Every export may be called from any thread;
// the library keeps its state behind a lock. Texts are 8-bit, zero-terminated.
#pragma once

#include "platform/export.h"
#include "platform/window_target.h"
#include "sonvira/sensor_discovery_record.h"
#include "sonvira/sonvira_status.h"

#define SONVIRA_API VT_EXPORT_C

// Adds a subnet to search. network must be exactly the network address of
// itself and mask in dotted decimal; mask must be contiguous and leave 1 to 31
// host bits. The library copies both texts.
// Returns SONVIRA_OK, SONVIRA_INVALID_SUBNET (unreadable address or mask,
// null text), SONVIRA_NOT_NETWORK_ADDRESS, SONVIRA_SUBNET_LISTED.
SONVIRA_API int Sonvira_AddSubnet(const char* network, const char* mask);

// Empties the subnet list. A running scan keeps its own copy.
SONVIRA_API void Sonvira_CleanSubnetList();

// Writes the dotted network address of ip and mask to outNetwork, which the
// caller owns and which holds at least 16 bytes.
// Returns SONVIRA_OK, SONVIRA_INVALID_NETWORK, SONVIRA_NULL_BUFFER.
SONVIRA_API int Sonvira_GetNetworkIP(const char* ip, const char* mask, char* outNetwork);

// Stops a running scan (as Sonvira_StopScanning) and starts a new one over a
// copy of the subnet list. Its thread posts to window, message WM_USER (1024):
// - wParam wParamFound, lParam a SensorDiscoveryRecord* with its deleter, for
//   each sensor found; the receiver owns the record and frees it with the
//   deleter that travels with the message;
// - wParam wParamDone, lParam 0, when every subnet has been searched; lParam
//   holds SONVIRA_SYSTEM_ERROR_BASE + errno instead when the scan could not
//   open its network sockets.
// Nothing is posted after Sonvira_StopScanning has returned. window must stay
// valid until then (or be closed: posts to a closed target are dropped).
// Called from the scan thread itself (a post function that calls back), it
// only stops that scan and returns SONVIRA_NO_SUBNETS.
// Returns SONVIRA_OK, SONVIRA_NO_SUBNETS (nothing started), or
// SONVIRA_SYSTEM_ERROR_BASE + errno when the system starts no thread.
SONVIRA_API int Sonvira_StartScanning(VtWindow window, int wParamFound, int wParamDone);

// Stops a running scan and waits for its thread to end: within a fraction of a
// second, whatever the scan was waiting for. Returns SONVIRA_OK.
SONVIRA_API int Sonvira_StopScanning();

// Queries one address (dotted decimal) and fills out, which the caller owns;
// a query that is not answered by a sensor is made once more.
// Returns SONVIRA_FOUND (out filled), SONVIRA_NOT_FOUND (another device),
// 0 (no answer), SONVIRA_REPLY_TRUNCATED, SONVIRA_REPLY_BAD_NUMBER,
// SONVIRA_REPLY_UNKNOWN_TYPE, SONVIRA_SYSTEM_ERROR_BASE + errno (for example
// the host refused the query), SONVIRA_INVALID_SUBNET (ip is not a dotted
// address), SONVIRA_NULL_BUFFER.
SONVIRA_API int Sonvira_GetSensorInfo(const char* ip, SensorDiscoveryRecord* out);

// Searches the subnet of ip and mask (null mask: 255.255.255.0) for the sensor
// whose MAC text equals mac (letters in either case), and writes its address and mask to outIp
// and outMask (caller-owned, at least 16 bytes each; emptied first). Stops a
// running scan first. The search is made once more when the first finds nothing.
// Blocks for the sweep: seconds. Returns SONVIRA_FOUND, SONVIRA_NOT_FOUND,
// SONVIRA_INVALID_NETWORK, SONVIRA_NULL_BUFFER.
SONVIRA_API int Sonvira_MAC2IP(const char* mac, const char* ip, const char* mask, char* outIp, char* outMask);
