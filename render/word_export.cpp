#include "render/word_export.h"

#include <zip.h>

#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <cmath>
#include <deque>
#include <exception>
#include <memory>
#include <optional>

#include "base/file_io.h"
#include "base/ui_ports.h"
#include "platform/qt_printer.h"
#include "render/draw_box.h"

namespace tabulorix {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr long long kEmuPerTwip = 635;
constexpr long long kEmuPerWorldUnit = 9525;  // 914400 EMU per inch ÷ 96

constexpr const char* kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Default Extension="emf" ContentType="image/x-emf"/>)"
    R"(<Override PartName="/word/document.xml" )"
    R"(ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(</Types>)";

constexpr const char* kPackageRelationships =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" )"
    R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" )"
    R"(Target="word/document.xml"/>)"
    R"(</Relationships>)";

constexpr const char* kImageRelationshipType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

std::string MediaName(std::size_t index) {
    return "image" + std::to_string(index + 1) + ".emf";
}

std::string RelationshipId(std::size_t index) {
    return "rId" + std::to_string(index + 1);
}

std::string DocumentRelationships(std::size_t count) {
    std::string xml =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\n"
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    for (std::size_t i = 0; i < count; ++i) {
        xml += R"(<Relationship Id=")" + RelationshipId(i) + R"(" Type=")" + kImageRelationshipType +
               R"(" Target="media/)" + MediaName(i) + R"("/>)";
    }
    return xml + "</Relationships>";
}

// One paragraph holding one inline picture; every picture after the first
// starts a new page.
std::string PictureParagraph(std::size_t index, const WordExtent& extent) {
    const std::string id = std::to_string(index + 1);
    const std::string cx = std::to_string(extent.cx);
    const std::string cy = std::to_string(extent.cy);
    std::string xml = "<w:p><w:pPr>";
    if (index > 0) xml += "<w:pageBreakBefore/>";
    xml += R"(<w:spacing w:before="0" w:after="0" w:line="240" w:lineRule="auto"/><w:jc w:val="center"/>)";
    xml += "</w:pPr><w:r><w:drawing>";
    xml += R"(<wp:inline distT="0" distB="0" distL="0" distR="0">)";
    xml += R"(<wp:extent cx=")" + cx + R"(" cy=")" + cy + R"("/>)";
    xml += R"(<wp:effectExtent l="0" t="0" r="0" b="0"/>)";
    xml += R"(<wp:docPr id=")" + id + R"(" name="Page )" + id + R"("/>)";
    xml += R"(<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect="1"/></wp:cNvGraphicFramePr>)";
    xml += R"(<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture">)";
    xml += R"(<pic:pic><pic:nvPicPr><pic:cNvPr id=")" + id + R"(" name=")" + MediaName(index) +
           R"("/><pic:cNvPicPr/></pic:nvPicPr>)";
    xml += R"(<pic:blipFill><a:blip r:embed=")" + RelationshipId(index) +
           R"("/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>)";
    xml += R"(<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx=")" + cx + R"(" cy=")" + cy +
           R"("/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr>)";
    xml += "</pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r></w:p>";
    return xml;
}

std::string SectionProperties(const WordPageSetup& page) {
    const std::string m = std::to_string(page.margin);
    std::string xml = R"(<w:sectPr><w:pgSz w:w=")" + std::to_string(page.pageWidth) + R"(" w:h=")" +
                      std::to_string(page.pageHeight) + R"(")";
    if (page.landscape) xml += R"( w:orient="landscape")";
    xml += "/>";
    xml += R"(<w:pgMar w:top=")" + m + R"(" w:right=")" + m + R"(" w:bottom=")" + m + R"(" w:left=")" + m +
           R"(" w:header="0" w:footer="0" w:gutter="0"/>)";
    return xml + "</w:sectPr>";
}

std::string DocumentXml(const std::vector<WordPicture>& pictures, const WordPageSetup& page) {
    std::string xml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                      "\n"
                      R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
                      R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
                      R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" )"
                      R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
                      R"(xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture">)"
                      "<w:body>";
    for (std::size_t i = 0; i < pictures.size(); ++i)
        xml += PictureParagraph(i, FitPicture(pictures[i], page));
    xml += SectionProperties(page);
    return xml + "</w:body></w:document>";
}

// A zip archive built in memory. The data handed to libzip stays alive
// until the archive is closed.
class ZipBuilder {
public:
    ZipBuilder() {
        zip_error_init(&error_);
        source_ = zip_source_buffer_create(nullptr, 0, 0, &error_);
        if (source_ == nullptr) Fail("cannot create the archive buffer");
        archive_ = zip_open_from_source(source_, ZIP_TRUNCATE, &error_);
        if (archive_ == nullptr) {
            zip_source_free(source_);
            Fail("cannot open the archive");
        }
        zip_source_keep(source_);  // read back after zip_close
    }
    ~ZipBuilder() {
        if (archive_ != nullptr) zip_discard(archive_);
        if (source_ != nullptr) zip_source_free(source_);
        zip_error_fini(&error_);
    }
    ZipBuilder(const ZipBuilder&) = delete;
    ZipBuilder& operator=(const ZipBuilder&) = delete;

    void Add(const std::string& name, std::string data) {
        const std::string& kept = data_.emplace_back(std::move(data));
        zip_source_t* entry = zip_source_buffer(archive_, kept.data(), kept.size(), 0);
        if (entry == nullptr) Fail("cannot add " + name, zip_get_error(archive_));
        if (zip_file_add(archive_, name.c_str(), entry, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(entry);
            Fail("cannot add " + name, zip_get_error(archive_));
        }
    }

    std::string Finish() {
        if (zip_close(archive_) < 0) Fail("cannot write the archive", zip_get_error(archive_));
        archive_ = nullptr;
        if (zip_source_open(source_) < 0) Fail("cannot read the archive", zip_source_error(source_));
        std::string bytes;
        char chunk[65536];
        zip_int64_t n = 0;
        while ((n = zip_source_read(source_, chunk, sizeof chunk)) > 0) bytes.append(chunk, std::size_t(n));
        const bool failed = n < 0;
        zip_source_close(source_);
        if (failed) Fail("cannot read the archive", zip_source_error(source_));
        return bytes;
    }

private:
    [[noreturn]] void Fail(const std::string& what, zip_error_t* error = nullptr) {
        zip_error_t* reason = error != nullptr ? error : &error_;
        throw WordExportError(what + ": " + zip_error_strerror(reason));
    }

    zip_error_t error_;
    zip_source_t* source_ = nullptr;
    zip_t* archive_ = nullptr;
    std::deque<std::string> data_;
};

// Sheet size in twips, portrait (width below height), for the printer's paper.
std::pair<int, int> SheetTwips(const ZMGPaperInfo& paper) {
    if (const auto size = QtPrinter::PageSizeForCode(paper.paperSize)) {
        const QSizeF mm = size->size(QPageSize::Millimeter);
        return {int(std::lround(mm.width() / 25.4 * kTwipsPerInch)),
                int(std::lround(mm.height() / 25.4 * kTwipsPerInch))};
    }
    if (paper.resolution > 0 && paper.pageWidth > 0 && paper.pageHeight > 0) {
        return {int(std::lround(paper.pageWidth / paper.resolution * kTwipsPerInch)),
                int(std::lround(paper.pageHeight / paper.resolution * kTwipsPerInch))};
    }
    return {WordPageSetup{}.pageWidth, WordPageSetup{}.pageHeight};
}

}  // namespace

WordPageSetup WordPageSetupFor(const ZMGPaperInfo& paper) {
    const auto [w, h] = SheetTwips(paper);
    WordPageSetup page;
    page.landscape = paper.orientation != kOrientationPortrait;
    page.pageWidth = page.landscape ? std::max(w, h) : std::min(w, h);
    page.pageHeight = page.landscape ? std::min(w, h) : std::max(w, h);
    return page;
}

WordExtent FitPicture(const WordPicture& picture, const WordPageSetup& page) {
    const long long areaW = std::max(1LL, (long long)(page.pageWidth - 2 * page.margin) * kEmuPerTwip);
    const long long areaH = std::max(1LL, (long long)(page.pageHeight - 2 * page.margin) * kEmuPerTwip);
    const long long naturalW = std::max(1, picture.width) * kEmuPerWorldUnit;
    const long long naturalH = std::max(1, picture.height) * kEmuPerWorldUnit;
    const double scale = std::min(double(areaW) / double(naturalW), double(areaH) / double(naturalH));
    return WordExtent{std::max(1LL, (long long)(double(naturalW) * scale)),
                      std::max(1LL, (long long)(double(naturalH) * scale))};
}

std::string BuildWordDocument(const std::vector<WordPicture>& pictures, const WordPageSetup& page) {
    ZipBuilder zip;
    zip.Add("[Content_Types].xml", kContentTypes);
    zip.Add("_rels/.rels", kPackageRelationships);
    zip.Add("word/document.xml", DocumentXml(pictures, page));
    zip.Add("word/_rels/document.xml.rels", DocumentRelationships(pictures.size()));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const auto& emf = pictures[i].emf;
        zip.Add("word/media/" + MediaName(i), std::string(emf.begin(), emf.end()));
    }
    return zip.Finish();
}

bool WriteWordDocument(const std::string& path, const std::vector<WordPicture>& pictures,
                       const WordPageSetup& page) {
    try {
        WriteFileAtomically(path, BuildWordDocument(pictures, page));
        return true;
    } catch (const std::exception& failure) {
        ShowMessage(std::string(kWordExportFailed) + "\n" + failure.what());
        return false;
    }
}

namespace {

// Records page p through the clipboard, as the EMF action's copy does.
std::optional<WordPicture> RecordPage(ZMGDrawBox& box, ClipboardTap& clipboard, int page, int windowZoom,
                                      const DiagramRepaint& repaint) {
    box.SetZoom(windowZoom, 1);
    repaint.ApplyDisplayFlags();
    repaint.ApplyDiagramFont();
    repaint.Repaint();
    clipboard.Take();
    const bool begun = box.BeginEmf(page, "");
    try {
        repaint.ApplyDisplayFlags();  // draws page p into the metafile
        repaint.Repaint();
    } catch (...) {
        box.EndEmf();
        box.SelectConsole();
        throw;
    }
    const bool saved = box.EndEmf();
    box.SelectConsole();
    auto bytes = clipboard.Take();
    if (!begun || !saved || !bytes) return std::nullopt;
    return WordPicture{std::move(*bytes), box.Console().PaperW(), box.Console().PaperH()};
}

}  // namespace

bool ExportDiagramToWord(ZMGDrawBox& box, ClipboardTap& clipboard, const std::string& path, int& windowZoom,
                         const DiagramRepaint& repaint) {
    int pagesX = 1;
    int pagesY = 1;
    box.GetPageCount(pagesX, pagesY);
    const WordPageSetup page = WordPageSetupFor(box.GetPaperInfo());
    const int rememberedZoom = windowZoom;
    windowZoom = 100;

    bool done = false;
    try {
        std::vector<WordPicture> pictures;
        for (int p = 1; p <= pagesX * pagesY; ++p) {
            auto picture = RecordPage(box, clipboard, p, windowZoom, repaint);
            if (!picture) throw WordExportError("page " + std::to_string(p) + " could not be recorded");
            pictures.push_back(std::move(*picture));
        }
        done = WriteWordDocument(path, pictures, page);  // tells the user itself
    } catch (const std::exception& failure) {
        ShowMessage(std::string(kWordExportFailed) + "\n" + failure.what());
    }
    if (!done) {
        // The remembered zoom is not restored: the window stays at 100 %.
        box.SetZoom(windowZoom, 1);
        repaint.ApplyDisplayFlags();
        return false;
    }
    windowZoom = rememberedZoom;
    box.SetZoom(windowZoom, 1);
    repaint.ApplyDisplayFlags();
    return true;
}

}  // namespace tabulorix
