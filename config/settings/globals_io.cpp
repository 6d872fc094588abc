// The shared records name a member "slots": they come before any Qt header.
#include "core/main_dialog_state.h"

#include "settings/globals_io.h"

#include "records/sensor_configuration.h"

int ReadGlobalRecords(MainDialogState& s) {
  const auto* c = CSensorConfiguration::GetInstance();
  SensorGlobalRecords& r = s.m_SensorGlobalRecords;
  const int reads[] = {c->ExtractIdentity(s.m_SensorGlobals, r.identity), c->ExtractNetwork(s.m_SensorGlobals, r.network),
                       c->ExtractProcIf(s.m_SensorGlobals, r.procIf),
                       c->ExtractGlobalSettings(s.m_SensorGlobals, r.general)};
  for (int result : reads)
    if (result != 0) return result;
  return 0;
}

int PackGlobalRecords(MainDialogState& s) {
  return CSensorConfiguration::GetInstance()->WriteAll(s.m_SensorGlobals, s.m_SensorGlobalRecords);
}

QString FromText(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
