// The settings procedures the rest of the program uses: configuration files, the lookup,
// SetSettings, the configuration commands and the settings grid's events.
#pragma once

#include "settings/config_commands.h"
#include "settings/set_settings.h"
#include "settings/setting_lookup.h"
#include "settings/settings_events.h"
#include "settings/settings_file.h"
