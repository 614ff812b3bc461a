#pragma once
// How many GDI objects the process holds, for finding leaks.

namespace klarvik {

// Live GDI objects of this process. Wine does not implement GetGuiResources; there a
// handle with a zero high word is looked up by its table index alone, so counting the
// indexes that name an object gives the same figure.
int LiveGdiObjects();

}  // namespace klarvik
