// Records a real sensor could hold: every value inside the range the
// program's pages accept (the XML words, even ECC 200 sizes, slant in
// radians), so a program run against the simulator shows pages that pass
// their own checks. Seed k varies the values inside their ranges. The
// families' standard and enhanced sets are what "xmlRevertCodeDataSettings"
// restores.
#pragma once

#include "sim/slot_parameters.h"
#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

XmlRpc::XmlRpcValue plausibleConfigData(int seed);
XmlRpc::XmlRpcValue plausibleCodeData(int seed, CodeFamily family);
XmlRpc::XmlRpcValue plausibleQuality(int seed, QualityForm form);

// 0 standard, 1 enhanced.
XmlRpc::XmlRpcValue revertedCodeData(int kind, CodeFamily family);

SlotParameters plausibleSlotParameters(int seed);

}  // namespace vt::sim
