// Skin package reader against arbitrary bytes: it must only ever raise skin errors. A
// package that reads is written again and must read back to the same members.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "skin/package/package_writer.h"
#include "skin/package/skin_convertor.h"
#include "skin/skin_error.h"

using namespace klarvik;

namespace {

std::vector<TacPackageMember> MembersOf(const TacSkinConvertor& reader) {
  std::vector<TacPackageMember> members;
  if (reader.OptionsStream()) members.push_back({"Options.dat", *reader.OptionsStream()});
  for (const TacImageItem& item : reader.ImageItems()) members.push_back({item.FileName, item.Stream});
  return members;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<TacSkinConvertor> reader;
  try {
    ReadStoredPackage(std::span<const std::uint8_t>(data, size), reader);
  } catch (const ESkinError&) {
    if (reader) __builtin_trap();
    return 0;
  }
  const std::vector<TacPackageMember> members = MembersOf(*reader);
  if (members.empty()) return 0;

  std::unique_ptr<TacSkinConvertor> again;
  ReadStoredPackage(WritePackage(members), again);
  const std::vector<TacPackageMember> reread = MembersOf(*again);
  if (reread.size() != members.size()) __builtin_trap();
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (reread[i].Name != members[i].Name || reread[i].Bytes != members[i].Bytes) __builtin_trap();
  }
  return 0;
}
