#include "program/state_result_source.h"

#include <memory>

#include "view/state_result_source.h"
#include "view/test_results.h"
#include "window/main_window.h"

// The formatter already takes these tables when the window attaches it;
// plugging them again keeps a window made before that step right.
void PlugReadingTables(CVarnisDatamatrixDlg& window) {
  if (auto* results = dynamic_cast<CTestResults*>(window.panels().results.get()))
    results->setSource(std::make_unique<StateResultSource>(window.state()));
}
