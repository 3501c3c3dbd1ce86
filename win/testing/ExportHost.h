#pragma once
// What a host application gives the export: the format dialog's template
// 234 with its controls and choices, and the strings the export shows.

#include "brenmoor/app/CWinApp.h"

void RegisterExportResources(CResourceModule& host);
