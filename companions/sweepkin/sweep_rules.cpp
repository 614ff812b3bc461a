#include "companions/sweepkin/sweep_rules.h"

namespace klarvik::sweepkin {
namespace {

bool IsOld(FileTicks time, FileTicks now) { return time < now && now - time > kMinimumAge; }

}  // namespace

Verdict Judge(DWORD attributes, FileTicks creation, FileTicks lastWrite, FileTicks now) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Verdict::Link;
  return IsOld(creation, now) && IsOld(lastWrite, now) ? Verdict::Delete : Verdict::TooYoung;
}

}  // namespace klarvik::sweepkin
