// The sensor's parameter-list methods: "xmlGetConfigList",
// "xmlGetConfigData", "xmlGetInfoConfig", "xmlSetConfigData",
// "xmlGetSensorGlobals", "xmlSetSensorGlobals", the get and set methods of
// each code family's data, "xmlGetGroupList", "xmlSetGroupList",
// "xmlGetQualityParams" and "xmlSetQualityParams". Per-configuration records
// live in the model's slots (ConfigSlotData), the rest in the store.
//
// A set is taken only when its array is exactly the record's sequence
// (markers included, and the end markers the library appends); anything
// else answers kSimBadArguments and changes nothing.
#pragma once

#include "sim/parameter_store.h"
#include "sim/sensor_model.h"
#include "sim/xmlrpc_server.h"

namespace vt::sim {

// Seeds slot k's records with SlotParameters(k). The model and the store
// must outlive the server's use of the methods.
void addConfigDataMethods(XmlRpcServer& server, SensorModel& model, ParameterStore& store);
void addQualityMethods(XmlRpcServer& server, SensorModel& model);

inline void addParameterMethods(XmlRpcServer& server, SensorModel& model, ParameterStore& store) {
    addConfigDataMethods(server, model, store);
    addQualityMethods(server, model);
}

// Every slot's records, and those of configurations created later, become
// records in range (sim/plausible_records.h) instead of the distinct values
// the library tests predict.
void usePlausibleRecords(SensorModel& model);

// [0, elements of `record`...]: the reply of every get here.
XmlRpc::XmlRpcValue recordReply(const XmlRpc::XmlRpcValue& record);
// Copies the first n elements of `params` over `record` (a set's values).
void takeElements(XmlRpc::XmlRpcValue& record, const XmlRpc::XmlRpcValue& params, int n);
// The records of the configuration being edited; null without an edit.
SlotParameters* editedParameters(SensorData& d);

}  // namespace vt::sim
