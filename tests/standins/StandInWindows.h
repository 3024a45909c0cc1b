// The Win32 entry of the editor stand-in: the bridge's configuration plus the
// script-host interfaces.
#pragma once

#include "bridge/BridgeWindows.h"

#include <activscp.h>
