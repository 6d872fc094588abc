#include "program/woi_writer.h"

#include "core/main_dialog_state.h"
#include "dravik/dravik.h"
#include "records/config_list_info.h"

int WriteDraggedWoi(MainDialogState& s) {
  ImageQualitySettings roi;
  roi.Left = s.m_rcWoi.x1;
  roi.Top = s.m_rcWoi.y1;
  roi.Right = s.m_rcWoi.x2;
  roi.Bottom = s.m_rcWoi.y2;
  if (CConfigListInfo::GetInstance()->WriteRoi(s.m_ConfigData, roi) != 0) return -1;
  const int status = s.m_bExtendedConfig ? SetConfigExtendedData(&s.m_ConfigData) : SetConfigData(&s.m_ConfigData);
  // The typed configuration holds it too: the pages' later writes send the
  // whole configuration and would put the old window back.
  if (status == 0) {
    ImageQualitySettings& iq = s.m_Configuration.imageQuality;
    iq.Left = roi.Left;
    iq.Top = roi.Top;
    iq.Right = roi.Right;
    iq.Bottom = roi.Bottom;
  }
  return status;
}
