#pragma once
// The one place that knows the concrete pages and panels of view/, config/
// and codedef/: it makes them and hands them to the main window through the
// services that app/ declares.
#include "services/main_panels.h"

class Prompt;

MainPanels MakePanels(Prompt& prompt);
