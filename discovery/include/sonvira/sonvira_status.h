// DiscoveryStatus: the result codes of libsonvira's exports.
#pragma once

#include <cstdint>

typedef int32_t DiscoveryStatus;

inline constexpr DiscoveryStatus SONVIRA_OK = 0;
// A sensor answered the query (also: the MAC search found it).
inline constexpr DiscoveryStatus SONVIRA_FOUND = 99;
// Not found, a reply from another maker's device, or an incomplete reply.
inline constexpr DiscoveryStatus SONVIRA_NOT_FOUND = 100;
// Query: the socket could not be opened, or a reply field before the numbers
// lacks its separator.
inline constexpr DiscoveryStatus SONVIRA_REPLY_TRUNCATED = -1;
// Query: one of the three trailing numbers of a reply is not a number.
inline constexpr DiscoveryStatus SONVIRA_REPLY_BAD_NUMBER = -2;
// Query: the reply names a device type that this library does not know.
inline constexpr DiscoveryStatus SONVIRA_REPLY_UNKNOWN_TYPE = -3;
// The scan did not start: the subnet lists are empty or of unequal length.
inline constexpr DiscoveryStatus SONVIRA_NO_SUBNETS = -22;
// The address given is not the network address of itself and the mask.
inline constexpr DiscoveryStatus SONVIRA_NOT_NETWORK_ADDRESS = -20001;
// Address or mask invalid (adding a subnet; a queried address).
inline constexpr DiscoveryStatus SONVIRA_INVALID_SUBNET = -20002;
// Address or mask invalid (network address, MAC search).
inline constexpr DiscoveryStatus SONVIRA_INVALID_NETWORK = -20003;
// This address and mask pair is already listed.
inline constexpr DiscoveryStatus SONVIRA_SUBNET_LISTED = -20005;
// An output buffer is null.
inline constexpr DiscoveryStatus SONVIRA_NULL_BUFFER = -20006;
// Internal results of the address arithmetic; the exports turn them into the
// codes above.
inline constexpr DiscoveryStatus SONVIRA_ADDRESS_UNPARSABLE = -23501;
inline constexpr DiscoveryStatus SONVIRA_MASK_INVALID = -23502;
inline constexpr DiscoveryStatus SONVIRA_NOT_SUBNET_TEXT = -23503;
inline constexpr DiscoveryStatus SONVIRA_RANGE_END = -23505;
// A system error: SONVIRA_SYSTEM_ERROR_BASE + errno (for example 10111 for a
// refused query, ECONNREFUSED). Above every other code, so none collides.
inline constexpr DiscoveryStatus SONVIRA_SYSTEM_ERROR_BASE = 10000;
