// Any bytes as a language file, read the way the program reads one: the item captions of its
// "Tree" and "Others" sections, and control captions from "Caption". Each text must be valid
// UTF-8 of at most 1023 characters on one line, and must read back the same once written
// into the file and the file's text read again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/ini_file.h"
#include "common/utf8.h"
#include "fuzz_check.h"
#include "shell/kit/captions.h"

namespace {

using kurvex::ProfileFile;
using kurvex::shell::ItemCaptions;

// Some keys of the control-caption table, whose rows live with the Qt controls they name.
constexpr const char* kControlKeys[] = {"AutoSaveImage",   "Language",  "LoadAllOptions",
                                        "BackGroundColor", "Find",      "AutoRepaint",
                                        "OnlyCurves",      "TitleText", "FilesFilter"};

// Every text the program takes from the file, each with its section and key.
struct Read {
  std::string Section;
  std::string Key;
  std::string Text;
};

std::vector<Read> ReadAll(const ProfileFile& file) {
  ItemCaptions captions = kurvex::shell::BuiltInCaptions();
  kurvex::shell::ReadCaptions(file, "Tree", captions);
  kurvex::shell::ReadCaptions(file, "Others", captions);
  std::vector<Read> reads;
  for (const kurvex::shell::ItemCaptionKey& k : kurvex::shell::kItemCaptionKeys) {
    if (*k.Section != '\0') reads.push_back({k.Section, k.Key, captions.*k.Field});
  }
  for (const char* key : kControlKeys) {
    reads.push_back({"Caption", key, file.ReadString("Caption", key, "")});
  }
  return reads;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  const ProfileFile file =
      ProfileFile::FromBytes(std::string(reinterpret_cast<const char*>(bytes), size));
  const std::vector<Read> reads = ReadAll(file);
  for (const Read& r : reads) {
    Check(kurvex::IsValidUtf8(r.Text));
    Check(kurvex::Utf8Length(r.Text) <= 1023);
    Check(r.Text.find_first_of("\r\n") == std::string::npos);
  }

  // A settings editor writes captions back; each must survive a save and a new read.
  ProfileFile written = file;
  for (const Read& r : reads) written.WriteString(r.Section, r.Key, r.Text);
  const std::vector<Read> again = ReadAll(ProfileFile::FromBytes(written.ToText()));
  Check(again.size() == reads.size());
  for (std::size_t i = 0; i < reads.size(); ++i) Check(again[i].Text == reads[i].Text);
  return 0;
}
