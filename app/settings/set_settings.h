// Copying the settings grid into the program-wide setting values.
#pragma once

namespace tv::core {
class Program;
}

namespace tv::settings {

// Looks every setting the program uses up by name and stores its converted value; a missing
// row gives the empty answer and with it 0, false, "" (the folders "/") or, for the cut-out
// switch, true. Lengths go through ToWorkUnits, so Program::MetricUnits must be set first.
void SetSettings(core::Program& program);

}  // namespace tv::settings
