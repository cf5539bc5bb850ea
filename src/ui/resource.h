// Identifiers of the program's resources and commands, one header per window
// family; the resource scripts include this too.
#pragma once

#include "ui/ids_main.h"
#include "ui/ids_tree.h"
#include "ui/ids_dialogs.h"
#include "ui/ids_drop.h"
#include "ui/ids_fill.h"
#include "ui/ids_search.h"
#include "ui/ids_desktop.h"
#include "ui/ids_tray.h"
#include "ui/ids_options.h"
#include "ui/ids_notes.h"
#include "ui/ids_exchange.h"
