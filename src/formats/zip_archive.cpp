#include "formats/zip_archive.h"

#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace maltrove {

namespace {

constexpr zip_uint64_t kMaxEntrySize = zip_uint64_t{1} << 30;
constexpr size_t kBufferSize = 64 * 1024;

struct ArchiveDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryClose {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

bool AddEntry(zip_t* archive, const std::string& entryName, const std::string& sourcePath) {
  zip_source_t* source = zip_source_file(archive, sourcePath.c_str(), 0, -1);
  if (!source) return false;
  const zip_int64_t index = zip_file_add(archive, entryName.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
  if (index < 0) {
    zip_source_free(source);
    return false;
  }
  // Deflate explicitly: the library default may store an entry that does not shrink.
  return zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0) == 0;
}

bool CopyEntry(zip_t* archive, const std::string& entryName, const std::string& destinationPath, bool* created) {
  const zip_int64_t index = zip_name_locate(archive, entryName.c_str(), ZIP_FL_ENC_GUESS);
  if (index < 0) return false;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0) return false;
  if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > kMaxEntrySize) return false;
  std::unique_ptr<zip_file_t, EntryClose> entry(zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
  if (!entry) return false;
  std::unique_ptr<std::FILE, FileClose> out(std::fopen(destinationPath.c_str(), "wb"));
  if (!out) return false;
  *created = true;
  std::vector<char> buffer(kBufferSize);
  zip_uint64_t total = 0;
  for (;;) {
    const zip_int64_t got = zip_fread(entry.get(), buffer.data(), buffer.size());
    if (got < 0) return false;
    if (got == 0) break;
    total += static_cast<zip_uint64_t>(got);
    // The declared size is not trusted to bound what the stream yields.
    if (total > stat.size) return false;
    if (std::fwrite(buffer.data(), 1, static_cast<size_t>(got), out.get()) != static_cast<size_t>(got)) return false;
  }
  if (total != stat.size) return false;
  return std::fclose(out.release()) == 0;
}

}  // namespace

bool ZipSingleFile(const std::string& zipPath, const std::string& entryName, const std::string& sourcePath) {
  int error = 0;
  std::unique_ptr<zip_t, ArchiveDiscard> archive(zip_open(zipPath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
  bool ok = archive && AddEntry(archive.get(), entryName, sourcePath) && zip_close(archive.get()) == 0;
  if (ok) {
    archive.release();
  } else {
    archive.reset();
    std::error_code ignored;
    std::filesystem::remove(zipPath, ignored);
  }
  return ok;
}

bool ExtractEntry(const std::string& zipPath, const std::string& entryName, const std::string& destinationPath) {
  int error = 0;
  std::unique_ptr<zip_t, ArchiveDiscard> archive(zip_open(zipPath.c_str(), ZIP_RDONLY, &error));
  if (!archive) return false;
  bool created = false;
  if (CopyEntry(archive.get(), entryName, destinationPath, &created)) return true;
  if (created) {
    std::error_code ignored;
    std::filesystem::remove(destinationPath, ignored);
  }
  return false;
}

}  // namespace maltrove
