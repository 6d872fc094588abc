#pragma once
// The quality output of the process-interface page: the Quality button's
// dialog over the code family's parameters (OnQuality), what enabling the
// button does, and the write of the choices to the sensor. The family
// follows the code type's flags: ECC 200, QR Code and Aztec Code first, then
// PDF417, then bar codes; other types have no quality parameters.
#include <QString>

#include "core/main_dialog_state.h"

class CVarnisDatamatrixDlg;

// The family's tree of the settings; empty for a type without quality
// parameters. compositeOn: the configuration uses the composite component
// (its rows show only for a type that has one).
QualityTreeMap BuildQualityTree(int codeType, const QualitySettings& settings, bool compositeOn,
                                const QualityTextLookup& text);
// The rows' choices back into the settings' output flags.
void ReadQualityTree(int codeType, const QualityTreeMap& map, QualitySettings& settings);

// The overall-quality mode (0, 1, 3) is slot 0's output flag.
int& OverallQualityMode(QualitySettings& settings);

// OnQuality: the dialog over the family's tree of the window's quality
// settings, titled with codeName. On OK the choices and the mode go into
// the settings and the quality output is marked changed; true then. Cancel
// changes nothing.
bool RunQualityDialog(CVarnisDatamatrixDlg& dlg, int codeType, const QString& codeName);

// The code type's name as the code definition page's list shows it (the
// dialog's title); empty without the page.
QString QualityCodeName(CVarnisDatamatrixDlg& dlg, int codeType);

// EnableQualityButton's part when the button is enabled: with a stored
// quality output the family's parameters are read from the sensor (busy and
// the get posted); without one the mode becomes 1 and every parameter of the
// family is marked for output.
void PrepareQualityParameters(CVarnisDatamatrixDlg& dlg, int codeType);

// ApplyQualityOutput after its choice of m_nQualityOutput: with an output
// the family's list is read first when it is still empty (directly, busy
// held; a failure is shown and ends it), then the settings are written into
// the list and the family's set is posted. A list that was never read (no
// quality output chosen) is not sent: the library would refuse it. Returns
// 0, or the failed read's status.
int SendQualitySettings(CVarnisDatamatrixDlg& dlg, int codeType);

// The family's quality list in the window's state; null for a type without one.
ParameterList* QualityListOf(MainDialogState& s, int codeType);
