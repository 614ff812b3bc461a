#include "skin/package/package_writer.h"

#include <zlib.h>

#include <algorithm>
#include <iterator>

#include "skin/package/member_names.h"
#include "skin/package/package_limits.h"
#include "skin/skin_error.h"

namespace klarvik {

using namespace skin_package;

namespace {

void CheckMembers(std::span<const TacPackageMember> members) {
  if (members.empty() || members.size() > static_cast<std::size_t>(kMaxMembers)) {
    throw ESkinError("A skin package holds 1 to " + std::to_string(kMaxMembers) + " files");
  }
  std::int64_t total = 0;
  for (const TacPackageMember& member : members) {
    if (member.Name.empty() || member.Name.size() > static_cast<std::size_t>(kMaxNameLength)) {
      throw ESkinError("The file name \"" + member.Name + "\" is empty or too long for a skin package");
    }
    if (member.Bytes.empty() || member.Bytes.size() > static_cast<std::uint64_t>(kMaxMemberSize)) {
      throw ESkinError("The file " + member.Name + " is empty or too large for a skin package");
    }
    total += static_cast<std::int64_t>(member.Bytes.size());
  }
  if (total > kMaxTotalSize) throw ESkinError("The files are too large together for a skin package");
  const auto definitions = std::count_if(members.begin(), members.end(),
                                         [](const TacPackageMember& member) { return IsDefinitionName(member.Name); });
  if (definitions > 1) throw ESkinError("A skin package holds Options.dat only once");
}

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendMember(std::vector<std::uint8_t>& out, const TacPackageMember& member) {
  AppendInt32(out, static_cast<std::uint32_t>(member.Name.size()));
  out.insert(out.end(), member.Name.begin(), member.Name.end());
  AppendInt32(out, static_cast<std::uint32_t>(member.Bytes.size()));

  const std::size_t start = out.size();
  uLongf packedSize = compressBound(static_cast<uLong>(member.Bytes.size()));
  out.resize(start + packedSize);
  const int result = compress2(out.data() + start, &packedSize, member.Bytes.data(),
                               static_cast<uLong>(member.Bytes.size()), Z_DEFAULT_COMPRESSION);
  if (result != Z_OK) throw ECompressionError(zError(result));
  out.resize(start + packedSize);
}

}  // namespace

std::vector<std::uint8_t> WritePackage(std::span<const TacPackageMember> members) {
  CheckMembers(members);
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  AppendInt32(out, static_cast<std::uint32_t>(members.size()));
  for (const TacPackageMember& member : members) {
    if (IsDefinitionName(member.Name)) AppendMember(out, member);
  }
  for (const TacPackageMember& member : members) {
    if (!IsDefinitionName(member.Name)) AppendMember(out, member);
  }
  return out;
}

}  // namespace klarvik
