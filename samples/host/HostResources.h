#pragma once
// The resources libwin loads from its host by number: a host registers them
// on its application before libwin shows or prints anything. libwin holds
// none of its own.

#include "brenmoor/core/CResourceModule.h"

// The document template of the list print (its document strings).
constexpr UINT kListPrintTemplate = 570;
// The print host's main frame: its menu and accelerators.
constexpr UINT kPrintHostFrame = 128;
// The host's command that closes its main frame.
constexpr UINT kExitCommand = 0xE141;

// The export format dialog (template 234 with its controls and choices), its
// file filter and preview labels, and the export's messages.
void RegisterExportResources(CResourceModule& host);
// The list print's title and page-heading parts, its document template, the
// message about a column layout that cannot be read, and the print host's
// File menu (Print with Ctrl+P, Print Preview, Exit).
void RegisterPrintResources(CResourceModule& host);
// The warning dialog (template 261), the docking bar's menu texts, the text
// of a date that is not one, and the menu and accelerators that every MDI
// child of libwin's templates shares (13).
void RegisterWindowResources(CResourceModule& host);
