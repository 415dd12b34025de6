#pragma once

namespace kv {

class ISystemColors;
class ITextMeasureCanvas;
class TPreset;
struct TKvTheme;

// Fills the theme from the settings and the system colours. `keyboardCanvas` is null while no
// keyboard model exists.
void ApplyColorScheme(TKvTheme& theme, const TPreset& preset, const ISystemColors& system,
                      ITextMeasureCanvas* keyboardCanvas);

}  // namespace kv
