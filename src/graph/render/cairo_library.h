#pragma once

namespace kurvex {

/// Loads the cairo library on first use. Throws an Error that says why when it cannot be
/// loaded; a canvas that draws with cairo calls this before its first cairo function.
void LoadCairo();

}  // namespace kurvex
