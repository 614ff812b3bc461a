#pragma once
// Whether this system offers layered windows (UpdateLayeredWindow), looked up once.

namespace klarvik {

bool LayeredWindowsAvailable();

}  // namespace klarvik
