// The records of an enhanced metafile as tests read them: type, bytes, and
// fields at byte offsets. A record whose size field is broken, or records
// that do not fill the file exactly, fail the current test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tabulorix::testing {

// Record types of the format that the tests look for.
enum EmfRecordType : std::uint32_t {
    kEmrHeader = 1,
    kEmrPolygon = 3,
    kEmrEof = 14,
    kEmrSetTextColor = 24,
    kEmrMoveTo = 27,
    kEmrCreatePen = 38,
    kEmrCreateBrushIndirect = 39,
    kEmrEllipse = 42,
    kEmrRectangle = 43,
    kEmrLineTo = 54,
    kEmrBeginPath = 59,
    kEmrEndPath = 60,
    kEmrFillPath = 62,
    kEmrStrokeAndFillPath = 63,
    kEmrStrokePath = 64,
    kEmrCreateFont = 82,
    kEmrExtTextOutW = 84,
    kEmrPolygon16 = 86,
    kEmrPolyline16 = 87,
};

struct EmfRecord {
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;

    std::int32_t I32(std::size_t offset) const {
        std::int32_t value;
        std::memcpy(&value, bytes.data() + offset, 4);
        return value;
    }
    std::u16string Utf16(std::size_t offset, std::size_t count) const {
        std::u16string text(count, u'\0');
        std::memcpy(text.data(), bytes.data() + offset, 2 * count);
        return text;
    }
};

inline std::vector<EmfRecord> EmfRecords(const std::vector<std::uint8_t>& emf) {
    std::vector<EmfRecord> records;
    std::size_t offset = 0;
    while (offset + 8 <= emf.size()) {
        std::uint32_t type, size;
        std::memcpy(&type, emf.data() + offset, 4);
        std::memcpy(&size, emf.data() + offset + 4, 4);
        if (size < 8 || offset + size > emf.size()) {
            ADD_FAILURE() << "record at " << offset << " has a bad size " << size;
            break;
        }
        records.push_back(
            {type, std::vector<std::uint8_t>(emf.begin() + offset, emf.begin() + offset + size)});
        offset += size;
    }
    EXPECT_EQ(offset, emf.size()) << "records fill the file exactly";
    return records;
}

inline std::vector<EmfRecord> EmfRecordsOfType(const std::vector<EmfRecord>& records, std::uint32_t type) {
    std::vector<EmfRecord> found;
    for (const EmfRecord& record : records)
        if (record.type == type) found.push_back(record);
    return found;
}

}  // namespace tabulorix::testing
