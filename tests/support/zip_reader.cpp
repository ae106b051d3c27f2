#include "support/zip_reader.h"

#include <zip.h>

using namespace tabulorix;

namespace tabulorix::testing {

std::optional<std::string> ZipEntries::Find(const std::string& name) const {
    for (const auto& [entryName, content] : entries)
        if (entryName == name) return content;
    return std::nullopt;
}

std::vector<std::string> ZipEntries::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.first);
    return names;
}

std::optional<ZipEntries> ReadZip(const std::string& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) return std::nullopt;
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(source);
        return std::nullopt;
    }
    ZipEntries result;
    bool ok = true;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count && ok; ++i) {
        zip_stat_t stat;
        zip_file_t* file = nullptr;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 ||
            (file = zip_fopen_index(archive, zip_uint64_t(i), 0)) == nullptr) {
            ok = false;
            break;
        }
        std::string content(stat.size, '\0');
        ok = zip_fread(file, content.data(), stat.size) == zip_int64_t(stat.size);
        zip_fclose(file);
        result.entries.emplace_back(stat.name, std::move(content));
    }
    zip_close(archive);  // read-only: frees the archive and its source
    if (!ok) return std::nullopt;
    return result;
}

int CountOccurrences(const std::string& text, const std::string& needle) {
    int count = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + needle.size()))
        ++count;
    return count;
}

}  // namespace tabulorix::testing
