#include "core/waiting_write.h"

#include <cstring>
#include <utility>

#include "core/main_dialog_state.h"
#include "records/config_list_info.h"

WaitingConfigWrite::WaitingConfigWrite(MainDialogState& s) : s_(s), outer_(s.m_WaitingWriteBase.has_value()) {
    if (!outer_) s_.m_WaitingWriteBase = s_.m_ConfigData;
}

WaitingConfigWrite::~WaitingConfigWrite() {
    if (!outer_)
        s_.m_WaitingWriteBase.reset();
    else if (sent_)
        s_.m_WaitingWriteBase = s_.m_ConfigData;
}

namespace {

bool SameValue(const ParameterItem& a, const ParameterItem& b) {
    return a.kind == b.kind && a.type == b.type && a.intValue == b.intValue &&
           std::memcmp(&a.doubleValue, &b.doubleValue, sizeof a.doubleValue) == 0 && a.stringValue == b.stringValue;
}

}  // namespace

void KeepWaitingChanges(MainDialogState& s) {
    if (!s.m_WaitingWriteBase) return;
    const CConfigListInfo& info = *CConfigListInfo::GetInstance();
    const bool extended = s.m_bExtendedConfig != 0;
    ParameterList& base = *s.m_WaitingWriteBase;
    ParameterList read = s.m_ConfigData;
    ParameterList wanted = base;
    if (info.WriteConfiguration(wanted, extended, s.m_Configuration) == 0 && wanted.size() == read.size())
        for (std::size_t i = 0; i < read.size(); ++i)
            if (!SameValue(wanted[i], base[i])) s.m_ConfigData[i] = wanted[i];
    // A second read in the same wait brings what changed since this one.
    base = std::move(read);
}
