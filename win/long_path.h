#pragma once
// Paths in the form that the wide file functions accept past MAX_PATH.
#include <string>

namespace klarvik {

// The absolute \\?\ form of a path (\\?\UNC\ for a share; device paths \\.\ unchanged),
// so that names deeper than MAX_PATH stay reachable; empty when the path cannot be resolved.
std::wstring ExtendedLengthPath(const std::wstring& path);

}  // namespace klarvik
